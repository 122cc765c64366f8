#pragma once

#include "numeric/registry.h"

#include <span>
#include <string_view>

// Every calculation of the program, in the order the command line's help
// lists them. Each face is made from this one table.
namespace zandrevio {

std::span<const Calculation> Calculations();
// The calculation of a name, without regard to case; "convert length" names
// "convert-length". Nullptr where none has it.
const Calculation* FindCalculation(std::string_view name);

} // namespace zandrevio
