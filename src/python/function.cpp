#include "python/function.h"

#include "python/call.h"
#include "python/python_words.h"

#include <string>
#include <utility>

namespace py = pybind11;

namespace zandrevio::python {

namespace {
const char* const kCalculationCapsule = "zandrevio.Calculation";

// The exception a C++ error becomes: pybind11's own translators, tried as
// its dispatcher tries them for the functions it binds. Called in a handler.
void Raise()
{
    if (!py::detail::apply_exception_translators(py::detail::get_local_internals().registered_exception_translators) &&
        !py::detail::apply_exception_translators(py::detail::get_internals().registered_exception_translators)) {
        PyErr_SetString(PyExc_SystemError, "an exception escaped the exception translators");
    }
}

// The calculation a function runs, kept in the namespace its function is
// bound to.
PyObject* CalculationKey()
{
    static PyObject* key = PyUnicode_InternFromString("__calculation__");
    return key;
}

PyObject* Run(PyObject* self, PyObject* const* values, Py_ssize_t positional, PyObject* names)
{
    PyObject* capsule = PyDict_GetItemWithError(PyModule_GetDict(self), CalculationKey());
    const auto* calculation = capsule == nullptr
        ? nullptr
        : static_cast<const Calculation*>(PyCapsule_GetPointer(capsule, kCalculationCapsule));
    if (calculation == nullptr) {
        if (PyErr_Occurred() == nullptr) {
            PyErr_SetString(PyExc_SystemError, "a calculation's function without its calculation");
        }
        return nullptr;
    }
    const Py_ssize_t count = names == nullptr ? 0 : PyTuple_GET_SIZE(names);
    try {
        if (positional > 0) {
            // Python's own words for a function whose arguments are keywords only.
            throw py::type_error(PythonName(calculation->name) + "() takes 0 positional arguments but " +
                                 std::to_string(positional) + (positional == 1 ? " was given" : " were given"));
        }
        KeywordArguments arguments;
        arguments.reserve(static_cast<std::size_t>(count));
        for (Py_ssize_t i = 0; i < count; ++i) {
            arguments.emplace_back(PyTuple_GET_ITEM(names, i), values[i]);
        }
        return Call(*calculation, arguments).release().ptr();
    } catch (...) {
        Raise();
        return nullptr;
    }
}
} // namespace

py::object MakeFunction(const Calculation& calculation, const std::string& name, const std::string& doc)
{
    // The definition and its texts live as long as the function, which lives
    // as long as the module: made once per calculation at import, and kept.
    auto* texts = new std::pair<std::string, std::string>(name, doc);
    auto* definition =
        new PyMethodDef{texts->first.c_str(), reinterpret_cast<PyCFunction>(reinterpret_cast<void (*)()>(&Run)),
                        METH_FASTCALL | METH_KEYWORDS, texts->second.c_str()};
    // Bound to a namespace that is a module named as the package, a builtin
    // function reads and pickles as the package's own ("zandrevio.vswr").
    py::str module("zandrevio");
    auto self = py::reinterpret_steal<py::object>(PyModule_NewObject(module.ptr()));
    if (!self || CalculationKey() == nullptr) {
        throw py::error_already_set();
    }
    self.attr("__calculation__") = py::capsule(static_cast<const void*>(&calculation), kCalculationCapsule);
    PyObject* function = PyCFunction_NewEx(definition, self.ptr(), module.ptr());
    if (function == nullptr) {
        throw py::error_already_set();
    }
    return py::reinterpret_steal<py::object>(function);
}

} // namespace zandrevio::python
