// The core as the Python module zandrevio._core: the registry's description
// of every calculation and the maker of its function, from which the package
// makes its functions, and the window's text of a value.
#include "numeric/format.h"
#include "python/call.h"
#include "python/function.h"
#include "python/python_words.h"
#include "python/result.h"
#include "registry/registry.h"

#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

namespace py = pybind11;

namespace zandrevio::python {
namespace {

const char* KindWord(FieldKind kind)
{
    switch (kind) {
    case FieldKind::Real:
        return "real";
    case FieldKind::Whole:
        return "whole";
    case FieldKind::Choice:
        return "choice";
    case FieldKind::Text:
        return "text";
    }
    return "real";
}

py::dict Describe(const Calculation& calculation)
{
    py::list options;
    for (const OptionSpec& option : calculation.Options()) {
        py::list choices;
        for (const Choice& choice : option.choices) {
            choices.append(py::make_tuple(std::string(choice.key), std::string(choice.text)));
        }
        py::dict item;
        item["name"] = std::string(option.name);
        item["keyword"] = PythonName(option.name);
        item["caption"] = std::string(option.caption);
        item["kind"] = KindWord(option.kind);
        item["start"] = std::string(option.start);
        item["choices"] = choices;
        item["help"] = std::string(option.help);
        item["placeholder"] = std::string(option.placeholder);
        item["repeated"] = option.repeated;
        options.append(item);
    }
    py::list results;
    for (const ResultSpec* result : calculation.Results()) {
        py::dict item;
        item["name"] = PythonName(result->name);
        item["caption"] = std::string(result->caption);
        item["unit"] = std::string(result->unit);
        item["text"] = result->format == ResultFormat::Text;
        results.append(item);
    }
    py::list rules;
    for (const OneOf& rule : calculation.rules) {
        rules.append(PythonWords(calculation.RuleText(rule)));
    }
    py::dict description;
    description["name"] = std::string(calculation.name);
    description["function"] = PythonName(calculation.name);
    description["summary"] = std::string(calculation.summary);
    description["options"] = options;
    description["results"] = results;
    description["rules"] = rules;
    return description;
}

// The text the window shows of a value: `digits` significant digits.
std::string Format(const py::handle& value, int digits)
{
    if (digits < 1 || digits > 18) {
        throw py::value_error("digits takes 1 to 18, not " + std::to_string(digits));
    }
    using Numbers = py::array_t<long double, py::array::c_style | py::array::forcecast>;
    const Numbers number = Numbers::ensure(value);
    if (!number || number.ndim() != 0 || PyBool_Check(value.ptr())) {
        PyErr_Clear();
        throw py::type_error("format takes one number, not " + py::repr(value).cast<std::string>());
    }
    return FormatGeneral(*number.data(), digits);
}

} // namespace

PYBIND11_MODULE(_core, module)
{
    module.doc() = "Zandrevio's calculations; use the package zandrevio, which makes its functions from these.";
    DefineResult(module);
    // Handed to make_function, which makes the function that runs it.
    py::class_<Calculation>(module, "Calculation").def_property_readonly("name", [](const Calculation& calculation) {
        return std::string(calculation.name);
    });
    module.def("calculations", [] {
        py::list all;
        for (const Calculation& calculation : Calculations()) {
            py::dict description = Describe(calculation);
            description["run"] = py::cast(&calculation, py::return_value_policy::reference);
            all.append(description);
        }
        return all;
    });
    module.def("make_function", &MakeFunction, py::arg("calculation"), py::arg("name"), py::arg("doc"));
    module.def("format", &Format, py::arg("value"), py::arg("digits") = 5);
    module.def("set_classes", &SetPythonClasses);
    module.attr("long_double_digits") = std::numeric_limits<long double>::digits;
    module.attr("__version__") = ZANDREVIO_VERSION;
}

} // namespace zandrevio::python
