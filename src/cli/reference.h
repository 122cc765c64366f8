#pragma once

#include <string>

// The command line's completion and the manual's option lists, written from
// the registry so that they know every subcommand, option and word the tool
// takes, and no other.
namespace zandrevio::cli {

// A bash completion script; it needs no bash-completion package.
std::string BashCompletion();
// The manual page: the hand-written text of `page` with its line
// "@SUBCOMMAND OPTIONS@" replaced by every subcommand's options.
std::string ManualPage(const std::string& page);

} // namespace zandrevio::cli
