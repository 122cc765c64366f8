#pragma once

#include "calculation/protocol.h"

#include <pybind11/pybind11.h>

#include <utility>
#include <vector>

// One call of a calculation from Python: keyword arguments named as the
// command line's options, numbers or NumPy arrays that broadcast together,
// a Result back.
namespace zandrevio::python {

// The exception classes the package defines (Refused, ValidityWarning) and
// the Result class, handed over once when the package is imported.
void SetPythonClasses(pybind11::object refused, pybind11::object validityWarning);

// The keyword arguments of a call, in the order given.
using KeywordArguments = std::vector<std::pair<pybind11::handle, pybind11::handle>>;

pybind11::object Call(const Calculation& calculation, const KeywordArguments& arguments);

} // namespace zandrevio::python
