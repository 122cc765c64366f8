#pragma once

#include <string>
#include <string_view>

// The program's names as a Python user writes them: an option "bs-height"
// is the keyword bs_height, a calculation "path-loss" the function path_loss.
namespace zandrevio::python {

std::string PythonName(std::string_view name);
// A message with each "--option" written as its keyword, and any byte that
// is not UTF-8 (a file's own, quoted) as U+FFFD: Python's texts are Unicode.
std::string PythonWords(std::string_view message);
// A text whose bytes that are not UTF-8 are each U+FFFD.
std::string ValidUtf8(std::string_view text);

} // namespace zandrevio::python
