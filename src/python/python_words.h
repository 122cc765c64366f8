#pragma once

#include <string>
#include <string_view>

// The program's names as a Python user writes them: an option "bs-height"
// is the keyword bs_height, a calculation "path-loss" the function path_loss.
namespace zandrevio::python {

std::string PythonName(std::string_view name);
// A message with each "--option" written as its keyword.
std::string PythonWords(std::string_view message);

} // namespace zandrevio::python
