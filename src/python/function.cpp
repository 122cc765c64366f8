#include "python/function.h"

#include "python/call.h"
#include "python/python_words.h"

#include <new>
#include <stdexcept>
#include <string>
#include <utility>

namespace py = pybind11;

namespace zandrevio::python {

namespace {
const char* const kCalculationCapsule = "zandrevio.Calculation";

// The exception a C++ error becomes, as pybind11 raises it for its own functions.
void Raise()
{
    try {
        throw;
    } catch (py::error_already_set& error) {
        error.restore();
    } catch (const py::builtin_exception& error) {
        error.set_error();
    } catch (const std::bad_alloc&) {
        PyErr_NoMemory();
    } catch (const std::domain_error& error) {
        PyErr_SetString(PyExc_ValueError, error.what());
    } catch (const std::invalid_argument& error) {
        PyErr_SetString(PyExc_ValueError, error.what());
    } catch (const std::length_error& error) {
        PyErr_SetString(PyExc_ValueError, error.what());
    } catch (const std::out_of_range& error) {
        PyErr_SetString(PyExc_IndexError, error.what());
    } catch (const std::range_error& error) {
        PyErr_SetString(PyExc_ValueError, error.what());
    } catch (const std::overflow_error& error) {
        PyErr_SetString(PyExc_OverflowError, error.what());
    } catch (const std::exception& error) {
        PyErr_SetString(PyExc_RuntimeError, error.what());
    } catch (...) {
        PyErr_SetString(PyExc_RuntimeError, "an unknown C++ exception");
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
