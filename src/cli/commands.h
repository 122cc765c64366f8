#pragma once

#include "cli/answer.h"
#include "cli/request.h"
#include "calculation/protocol.h"

#include <string>
#include <string_view>
#include <vector>

// The calculations the command line runs, one subcommand each, made from
// the registry, and run on a Request: from the command line or from a row of
// a batch.
namespace zandrevio::cli {

struct Settings {
    int digits = 0;         // significant digits in place of the window's; 0 keeps them
    bool echoInputs = true; // whether an answer lists its inputs (JSON does; a CSV row has them already)
};

struct OptionInfo {
    std::string name; // without dashes
    std::string help;
    FieldKind kind = FieldKind::Real;
    std::vector<std::string> choices; // the words it takes, where it is a choice
    std::string start;                // the window's start value, where it has one
    std::vector<Choice> items;        // the choices with the window's texts
    std::string placeholder;          // the help's name of its value, where not a number or a choice
    // Where another choice narrows this one: that option, and for each of
    // its words the words this one then takes.
    std::string narrowedBy;
    std::vector<std::pair<std::string, std::vector<std::string>>> wordsFor;
    bool repeated = false; // given once per item
};

struct Command {
    std::string name;
    std::string summary;
    std::vector<OptionInfo> options;
    std::vector<std::string> results; // the names of its results, as a batch's columns
    const Calculation* calculation = nullptr;
};

// Every calculation of the command line, in the order --help lists them
// (the registry's); each is made the first time it is asked for.
const std::vector<Command>& Commands();
const Command& CommandAt(std::size_t index);
// The command of a name, without regard to case, or nullptr. "convert
// length" names "convert-length".
const Command* FindCommand(std::string_view name);

// A reply as the command line writes it: results as texts, the digits the
// settings ask for.
Answer AnswerOf(const Reply& reply, const Settings& settings);
// Runs a command: an option it does not know, a number that cannot be read
// or a choice not on the list is a usage error naming the option, whether or
// not the calculation reads it; a refusal or a floating-point fault ends in
// Answer::error with the window's message.
Answer Execute(const Command& command, Request request, const Settings& settings);
// The checks Execute makes before it runs: every option the command's own,
// every number and choice readable (kept as values read once).
void CheckRequest(const Command& command, Request& request);

} // namespace zandrevio::cli
