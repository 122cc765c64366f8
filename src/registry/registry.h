#pragma once

#include "calculation/protocol.h"

#include <span>
#include <string>
#include <string_view>
#include <vector>

// Every calculation of the program, in the order the command line's help
// lists them. Each face is made from this one table.
namespace zandrevio {

std::span<const Calculation> Calculations();
// The names alone, in the same order: no calculation is built for them.
std::span<const std::string_view> CalculationNames();
// The calculation at an index of that order, built the first time it is
// asked for (each is built once, and stays where it was built).
const Calculation& CalculationAt(std::size_t index);
// The index of a name, without regard to case ("convert length" names
// "convert-length"), or -1.
std::ptrdiff_t CalculationIndex(std::string_view name);

// The columns a batch writes of its own: no result may take their names.
inline constexpr std::string_view kReservedColumns[] = {"calculation", "warnings", "error"};
// What is wrong with a calculation's result names: one named as a reserved
// column, or two results of one name with different meanings. Empty when
// nothing is; the registry refuses to start otherwise.
std::vector<std::string> NameClashes(const Calculation& calculation);
// The calculation of a name, without regard to case; "convert length" names
// "convert-length". Nullptr where none has it.
const Calculation* FindCalculation(std::string_view name);
// The calculation of a name the program itself gives (a page's form):
// std::logic_error where none has it.
const Calculation& RegisteredCalculation(std::string_view name);

} // namespace zandrevio
