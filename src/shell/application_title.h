#pragma once

#include <string>

namespace zandrevio {

// The application title: the program file's name without folder and
// extension, its first letter kept and every later letter in lower case.
std::string ApplicationTitleFromPath(const std::string& programPath);

} // namespace zandrevio
