#pragma once

#include "calculation/protocol.h"

#include <pybind11/pybind11.h>

#include <string>

namespace zandrevio::python {

// A calculation's function as Python sees it: a builtin named `name` that
// takes keyword arguments only, with `doc` as its docstring (its first line
// the text signature that inspect and help read). Called straight through
// the vectorcall protocol, with no Python frame or dict of arguments between
// the caller and the calculation.
pybind11::object MakeFunction(const Calculation& calculation, const std::string& name, const std::string& doc);

} // namespace zandrevio::python
