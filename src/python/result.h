#pragma once

#include <pybind11/pybind11.h>

// What a call gives back: each result as an attribute (its name with
// underscores), the same as a dict, the units, the refusals of an array
// call's elements and the warnings.
namespace zandrevio::python {

struct Result {
    pybind11::dict values;
    pybind11::dict units;
    pybind11::dict errors;
    pybind11::list warnings;
    pybind11::object curve = pybind11::none();   // the downtilt's gain against distance
    pybind11::object matches = pybind11::none(); // several bands' results
    pybind11::object rows = pybind11::none();    // a list the calculation gives (intermodulation products)
};

void DefineResult(pybind11::module_& module);

} // namespace zandrevio::python
