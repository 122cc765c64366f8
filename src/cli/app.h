#pragma once

#include <istream>
#include <ostream>
#include <string>
#include <vector>

namespace zandrevio::cli {

// Exit statuses: a refusal or fault is 1, a usage error 2.
inline constexpr int kExitFailed = 1;
inline constexpr int kExitUsage = 2;

// Runs zandrevio-calc with its arguments (without the program name); the
// standard input serves `batch -`.
int RunCalc(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err);

} // namespace zandrevio::cli
