#include "python/result.h"

#include <string>

namespace py = pybind11;

namespace zandrevio::python {

void DefineResult(py::module_& module)
{
    py::class_<Result>(module, "Result",
                       "The results of one call: an attribute per result (as_dict() gives them all), their units, "
                       "and for an array call the refusals of its elements (errors: index -> message).")
        .def("__getattr__",
             [](const Result& result, const std::string& name) -> py::object {
                 if (result.values.contains(name)) {
                     return result.values[name.c_str()];
                 }
                 throw py::attribute_error("the call has no result " + name + "; it has " +
                                           py::str(", ").attr("join")(result.values).cast<std::string>());
             })
        .def("__getitem__",
             [](const Result& result, const std::string& name) -> py::object {
                 if (!result.values.contains(name)) {
                     throw py::key_error(name);
                 }
                 return result.values[name.c_str()];
             })
        .def("__contains__", [](const Result& result, const std::string& name) { return result.values.contains(name); })
        .def("__iter__", [](const Result& result) { return py::iter(result.values); })
        .def("__len__", [](const Result& result) { return py::len(result.values); })
        .def("__dir__",
             [](const Result& result) {
                 py::list names;
                 for (auto item : result.values) {
                     names.append(item.first);
                 }
                 for (const char* own : {"as_dict", "units", "errors", "warnings", "curve", "matches", "rows"}) {
                     names.append(own);
                 }
                 return names;
             })
        .def(
            "as_dict", [](const Result& result) { return py::dict(result.values); },
            "The results as a dict, name -> value.")
        .def_readonly("units", &Result::units, "Each result's unit, name -> unit text (empty for a ratio).")
        .def_readonly("errors", &Result::errors, "An array call's refused elements: index tuple -> message.")
        .def_readonly("warnings", &Result::warnings, "The validity warnings of the call, each once.")
        .def_readonly("curve", &Result::curve, "The downtilt's gain (dB) against ground distance (km), or None.")
        .def_readonly("matches", &Result::matches, "Where several bands hold a channel: each band's results, or None.")
        .def_readonly("rows", &Result::rows, "A list the calculation gives (intermodulation products): dicts, or None.")
        .def(py::pickle(
            [](const Result& result) {
                return py::make_tuple(result.values, result.units, result.errors, result.warnings, result.curve,
                                      result.matches, result.rows);
            },
            [](const py::tuple& state) {
                if (py::len(state) != 7) {
                    throw py::value_error("not a zandrevio.Result's state");
                }
                return Result{state[0].cast<py::dict>(),
                              state[1].cast<py::dict>(),
                              state[2].cast<py::dict>(),
                              state[3].cast<py::list>(),
                              state[4],
                              state[5],
                              state[6]};
            }))
        .def("__repr__", [](const Result& result) {
            std::string text = "Result(";
            bool first = true;
            for (auto item : result.values) {
                text += first ? "" : ", ";
                text += py::str(item.first).cast<std::string>() + "=" + py::repr(item.second).cast<std::string>();
                first = false;
            }
            if (py::len(result.errors) > 0) {
                text += ", errors=" + std::to_string(py::len(result.errors));
            }
            return text + ")";
        });
}

} // namespace zandrevio::python
