#include "python/call.h"

#include "numeric/app_error.h"
#include "python/python_words.h"
#include "python/result.h"

#include <pybind11/numpy.h>

#include <charconv>
#include <cmath>
#include <limits>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace py = pybind11;

namespace zandrevio::python {

namespace {
using Numbers = py::array_t<long double, py::array::c_style | py::array::forcecast>;

// Kept for the life of the process: never destroyed after the interpreter.
py::object* g_refused = nullptr;
py::object* g_validityWarning = nullptr;

// The shortest text that reads back as the value: what an option's text is
// where a calculation reads the text (a channel's frequency).
std::string ExactText(long double value)
{
    char text[64];
    char* end = nullptr;
    // Most values are whole or doubles (Python's floats): their shortest
    // texts are found much faster than a long double's.
    if (std::fabs(value) < 9.0e15L && value == std::trunc(value)) {
        end = std::to_chars(text, text + sizeof text, static_cast<long long>(value)).ptr;
    } else if (static_cast<long double>(static_cast<double>(value)) == value) {
        end = std::to_chars(text, text + sizeof text, static_cast<double>(value)).ptr;
    } else {
        end = std::to_chars(text, text + sizeof text, value).ptr;
    }
    return std::string(text, end);
}

// An argument of a numeric option: one value, or an array.
struct NumberArgument {
    std::string option;
    std::string keyword;
    long double value = 0.0L;
    std::optional<Numbers> array;
};

// The arguments of a call, sorted by kind.
struct Arguments {
    Request request; // the words and texts, and every number given as one value
    std::vector<NumberArgument> numbers;
    std::optional<bool> raise; // errors="raise" or "nan"; the kind of call decides where not given
};

[[noreturn]] void Unexpected(const Calculation& calculation, const std::string& keyword)
{
    std::string allowed;
    for (const OptionSpec& option : calculation.Options()) {
        allowed += (allowed.empty() ? "" : ", ") + PythonName(option.name);
    }
    throw py::type_error(PythonName(calculation.name) + "() got an unexpected keyword argument '" + keyword +
                         "'; it takes " + allowed + " and errors");
}

NumberArgument NumberOf(const std::string& option, const std::string& keyword, const py::handle& value)
{
    NumberArgument argument{option, keyword, 0.0L, std::nullopt};
    if (PyBool_Check(value.ptr()) || py::isinstance<py::str>(value) || py::isinstance<py::bytes>(value)) {
        throw py::type_error(keyword + " takes a number or an array of numbers, not " +
                             py::repr(value).cast<std::string>());
    }
    if (PyFloat_Check(value.ptr())) {
        argument.value = PyFloat_AS_DOUBLE(value.ptr());
        return argument;
    }
    if (PyLong_Check(value.ptr())) {
        int overflow = 0;
        const long long whole = PyLong_AsLongLongAndOverflow(value.ptr(), &overflow);
        if (overflow == 0) {
            argument.value = static_cast<long double>(whole);
            return argument;
        }
    }
    Numbers array = Numbers::ensure(value);
    if (!array) {
        PyErr_Clear();
        throw py::type_error(keyword + " takes a number or an array of numbers, not " +
                             py::repr(value).cast<std::string>());
    }
    if (array.ndim() == 0) {
        argument.value = *array.data();
    } else {
        argument.array = std::move(array);
    }
    return argument;
}

// A calculation's options with their keywords, made once (the interpreter's
// lock guards the map).
struct Keyword {
    std::string keyword;
    OptionSpec option;
};
const std::vector<Keyword>& KeywordsOf(const Calculation& calculation)
{
    static std::unordered_map<const Calculation*, std::vector<Keyword>> made;
    auto [known, added] = made.try_emplace(&calculation);
    if (added) {
        for (const OptionSpec& option : calculation.Options()) {
            known->second.push_back({PythonName(option.name), option});
        }
    }
    return known->second;
}

Arguments ArgumentsOf(const Calculation& calculation, const KeywordArguments& given)
{
    static const std::string kErrors = "errors";
    Arguments arguments;
    arguments.request.SetEcho(false);
    arguments.request.Reserve(given.size());
    const std::vector<Keyword>& keywords = KeywordsOf(calculation);
    for (auto [key, value] : given) {
        const std::string keyword = py::reinterpret_borrow<py::str>(key);
        if (value.is_none() && keyword != kErrors) {
            // None is the signature's "not given": the start value, or another alternative.
            if (std::none_of(keywords.begin(), keywords.end(),
                             [&](const Keyword& k) { return k.keyword == keyword; })) {
                Unexpected(calculation, keyword);
            }
            continue;
        }
        if (keyword == kErrors) {
            if (value.is_none()) {
                continue;
            }
            const std::string mode = py::isinstance<py::str>(value) ? value.cast<std::string>() : std::string();
            if (mode != "raise" && mode != "nan") {
                throw py::value_error("errors takes \"raise\" or \"nan\", not " + py::repr(value).cast<std::string>());
            }
            arguments.raise = mode == "raise";
            continue;
        }
        const auto known =
            std::find_if(keywords.begin(), keywords.end(), [&](const Keyword& k) { return k.keyword == keyword; });
        if (known == keywords.end()) {
            Unexpected(calculation, keyword);
        }
        const OptionSpec* option = &known->option;
        const std::string name(option->name);
        if (option->repeated) {
            // A list of items (a chain's stages): one text each, in order.
            const py::object items = py::isinstance<py::str>(value) ? py::object(py::make_tuple(value))
                                                                    : py::reinterpret_borrow<py::object>(value);
            if (!py::isinstance<py::sequence>(items)) {
                throw py::type_error(keyword + " takes a list of texts, not " + py::repr(value).cast<std::string>());
            }
            for (const py::handle item : items) {
                if (py::isinstance<py::str>(item)) {
                    arguments.request.Give(name, item.cast<std::string>());
                } else if (option->kind == FieldKind::Real &&
                           (PyFloat_Check(item.ptr()) || (PyLong_Check(item.ptr()) && !PyBool_Check(item.ptr())))) {
                    const double number = PyFloat_AsDouble(item.ptr()); // a carrier in MHz
                    if (PyErr_Occurred() != nullptr) {
                        throw py::error_already_set();
                    }
                    arguments.request.Give(name, ExactText(number));
                } else {
                    throw py::type_error(keyword + " takes a list of texts or numbers, not " +
                                         py::repr(item).cast<std::string>());
                }
            }
            continue;
        }
        if (option->kind == FieldKind::Choice || option->kind == FieldKind::Text) {
            py::object text = py::reinterpret_borrow<py::object>(value);
            if (option->kind == FieldKind::Text && py::hasattr(text, "__fspath__")) {
                text = py::module_::import("os").attr("fspath")(text);
            }
            if (!py::isinstance<py::str>(text)) {
                throw py::type_error(keyword + " takes a word (" + std::string(option->caption) + "), not " +
                                     py::repr(value).cast<std::string>());
            }
            arguments.request.Give(name, text.cast<std::string>());
            continue;
        }
        NumberArgument number = NumberOf(name, keyword, value);
        if (!number.array) {
            arguments.request.Give(name, number.value, ExactText(number.value));
        } else {
            arguments.numbers.push_back(std::move(number));
        }
    }
    return arguments;
}

// A refusal as Python raises it: Refused, whose field is the keyword.
[[noreturn]] void RaiseRefused(const std::string& message, std::string_view option, py::object index = py::none())
{
    py::object error = (*g_refused)(PythonWords(message));
    error.attr("field") = option.empty() ? py::object(py::none()) : py::object(py::str(PythonName(option)));
    error.attr("index") = index;
    PyErr_SetObject(g_refused->ptr(), error.ptr());
    throw py::error_already_set();
}

void Warn(const std::string& message)
{
    // Called from a builtin function: the frame on top is the caller's.
    py::module_::import("warnings").attr("warn")(message, *g_validityWarning, 1);
}

// The value of a result as a scalar call gives it.
py::object ScalarOf(const ResultValue& result)
{
    if (result.format == ResultFormat::Text) {
        return py::str(result.text);
    }
    if (result.format == ResultFormat::Whole && std::isfinite(result.value) && std::fabs(result.value) < 9.0e18L) {
        return py::int_(static_cast<long long>(result.value));
    }
    return py::float_(static_cast<double>(result.value));
}

// A result's name and a unit as Python strings, made once: a scalar call's
// cost is mostly such conversions. Interned and kept for the life of the
// process, as the classes above are.
py::handle NameOf(const ResultSpec& spec)
{
    static std::unordered_map<const ResultSpec*, PyObject*> made;
    auto known = made.find(&spec);
    if (known == made.end()) {
        PyObject* name = PyUnicode_InternFromString(PythonName(spec.name).c_str());
        if (name == nullptr) {
            throw py::error_already_set();
        }
        known = made.emplace(&spec, name).first;
    }
    return known->second;
}

py::handle UnitText(std::string_view unit)
{
    static std::unordered_map<std::string, PyObject*> made;
    auto known = made.find(std::string(unit));
    if (known == made.end()) {
        PyObject* text = PyUnicode_FromStringAndSize(unit.data(), static_cast<Py_ssize_t>(unit.size()));
        if (text == nullptr) {
            throw py::error_already_set();
        }
        known = made.emplace(std::string(unit), text).first;
    }
    return known->second;
}

py::dict ValuesOf(const std::vector<ResultValue>& results, py::dict* units)
{
    py::dict values;
    for (const ResultValue& result : results) {
        const py::handle name = NameOf(*result.spec);
        values[name] = ScalarOf(result);
        if (units != nullptr) {
            (*units)[name] = UnitText(result.unit);
        }
    }
    return values;
}

// The variant the arguments select, with the options it leaves unread;
// a rule broken is a TypeError, as a wrong combination of arguments is.
std::pair<const Variant*, std::vector<std::string_view>> Select(const Calculation& calculation, const Request& request)
{
    try {
        std::vector<std::string_view> skip = calculation.CheckRules(request);
        return {&calculation.VariantFor(request), std::move(skip)};
    } catch (const RequestError& error) {
        throw py::type_error(PythonWords(error.what()));
    }
}

py::object CallScalar(const Calculation& calculation, Arguments& arguments)
{
    const auto [variant, skip] = Select(calculation, arguments.request);
    Reply reply;
    try {
        reply = variant->run(arguments.request, skip);
    } catch (const RequestError& error) {
        throw py::value_error(PythonWords(error.what()));
    } catch (const ApplicationError& error) {
        reply.error = ApplicationErrorBoxText(error.Message());
    }
    Result result;
    if (reply.Failed()) {
        if (arguments.raise.value_or(true)) {
            RaiseRefused(reply.error, reply.errorOption);
        }
        result.errors[py::tuple()] = PythonWords(reply.error);
        for (const ResultSpec* spec : variant->results) {
            result.values[NameOf(*spec)] = std::numeric_limits<double>::quiet_NaN();
        }
        return py::cast(std::move(result));
    }
    result.values = ValuesOf(reply.results, &result.units);
    for (const std::string& warning : reply.warnings) {
        result.warnings.append(warning);
        Warn(warning);
    }
    if (!reply.curve.empty()) {
        py::array_t<long double> curve({static_cast<py::ssize_t>(reply.curve.size()), py::ssize_t{2}});
        auto points = curve.mutable_unchecked<2>();
        for (std::size_t i = 0; i < reply.curve.size(); ++i) {
            points(static_cast<py::ssize_t>(i), 0) = reply.curve[i].x;
            points(static_cast<py::ssize_t>(i), 1) = reply.curve[i].y;
        }
        result.curve = std::move(curve);
    }
    if (!reply.rows.empty()) {
        py::list rows;
        for (const std::vector<ResultValue>& row : reply.rows) {
            rows.append(ValuesOf(row, nullptr));
        }
        result.rows = std::move(rows);
    }
    if (reply.matches.size() > 1) {
        py::list matches;
        for (const std::vector<ResultValue>& match : reply.matches) {
            matches.append(ValuesOf(match, nullptr));
        }
        result.matches = std::move(matches);
    }
    return py::cast(std::move(result));
}

// What the runs of an array call give, gathered without the interpreter.
struct Gathered {
    std::size_t count = 0;
    std::vector<const ResultSpec*> specs;
    std::vector<std::string_view> units;
    std::vector<std::vector<long double>> values; // a column a result
    std::vector<std::vector<std::string>> texts;  // for results that are texts
    struct Refusal {
        std::size_t run;
        std::string message;
        std::string_view option;
    };
    std::vector<Refusal> refusals;
    std::vector<std::pair<std::string, std::size_t>> warnings; // each once, with how many runs gave it

    std::size_t Column(const ResultValue& result)
    {
        for (std::size_t i = 0; i < specs.size(); ++i) {
            if (specs[i]->name == result.spec->name) {
                return i;
            }
        }
        specs.push_back(result.spec);
        units.push_back(result.unit);
        values.emplace_back(count, std::numeric_limits<long double>::quiet_NaN());
        texts.emplace_back();
        return specs.size() - 1;
    }

    void Take(std::size_t run, const Reply& reply)
    {
        if (reply.Failed()) {
            refusals.push_back({run, reply.error, reply.errorOption});
            return;
        }
        for (const ResultValue& result : reply.results) {
            const std::size_t column = Column(result);
            units[column] = result.unit;
            values[column][run] = result.value;
            if (result.format == ResultFormat::Text) {
                texts[column].resize(count);
                texts[column][run] = result.text;
            }
        }
        for (const std::string& warning : reply.warnings) {
            auto known =
                std::find_if(warnings.begin(), warnings.end(), [&](const auto& w) { return w.first == warning; });
            if (known == warnings.end()) {
                warnings.emplace_back(warning, 1);
            } else {
                ++known->second;
            }
        }
    }
};

// The varying option a request error names ("--channels: '2.5' is not ..."),
// or none.
std::string_view ElementOption(std::string_view message, const std::vector<std::string_view>& options)
{
    for (std::string_view option : options) {
        if (message.size() > option.size() + 3 && message.substr(0, 2) == "--" &&
            message.substr(2, option.size()) == option && message[option.size() + 2] == ':') {
            return option;
        }
    }
    return {};
}

py::object CallArray(const Calculation& calculation, Arguments& arguments)
{
    // The shape every array broadcasts to, and each array stretched to it.
    py::module_ numpy = py::module_::import("numpy");
    py::list shapes;
    for (const NumberArgument& number : arguments.numbers) {
        shapes.append(number.array->attr("shape"));
    }
    const py::tuple shape = numpy.attr("broadcast_shapes")(*shapes);
    std::vector<Numbers> stretched;
    Sweep sweep;
    std::size_t count = 1;
    for (auto extent : shape) {
        count *= extent.cast<std::size_t>();
    }
    Request& request = arguments.request;
    for (const NumberArgument& number : arguments.numbers) {
        stretched.push_back(Numbers::ensure(numpy.attr("broadcast_to")(*number.array, shape)));
        sweep.options.push_back(number.option);
        sweep.values.push_back(stretched.back().data());
        // The first element stands for all in the choice of the variant.
        const long double first = count > 0 ? *stretched.back().data() : 0.0L;
        request.Give(number.option, first, ExactText(first));
    }
    const auto [variant, skip] = Select(calculation, request);
    Gathered gathered;
    gathered.count = count;
    for (const ResultSpec* spec : variant->results) {
        gathered.Column({spec, 0.0L, {}, spec->unit, spec->format});
    }
    std::optional<std::string> requestError;
    {
        py::gil_scoped_release release;
        const SweepOut out = [&](std::size_t run, const Reply& reply) { gathered.Take(run, reply); };
        try {
            if (count > 0 && !(variant->sweep && variant->sweep(request, skip, sweep, 0, count, out))) {
                for (std::size_t run = 0; run < count; ++run) {
                    Request single = request;
                    Reply reply;
                    try {
                        for (std::size_t k = 0; k < sweep.options.size(); ++k) {
                            const long double value = sweep.values[k][run];
                            single.Replace(std::string(sweep.options[k]), value, ExactText(value));
                        }
                        reply = variant->run(single, skip);
                    } catch (const ApplicationError& error) {
                        reply.error = ApplicationErrorBoxText(error.Message());
                    } catch (const RequestError& error) {
                        // A number of this element's that cannot be read (2.5 channels) is its
                        // refusal; a slip in what every element shares is the call's.
                        const auto option = ElementOption(error.what(), sweep.options);
                        if (option.empty()) {
                            throw;
                        }
                        reply = Reply{};
                        reply.error = error.what();
                        reply.errorOption = option;
                    }
                    out(run, reply);
                }
            }
        } catch (const RequestError& error) {
            requestError = error.what();
        }
    }
    if (requestError) {
        throw py::value_error(PythonWords(*requestError));
    }
    const bool raise = arguments.raise.value_or(false);
    py::object unravel = numpy.attr("unravel_index");
    const auto indexOf = [&](std::size_t run) { return py::tuple(unravel(run, shape)); };
    if (raise && !gathered.refusals.empty()) {
        const Gathered::Refusal& first = gathered.refusals.front();
        RaiseRefused(first.message, first.option, indexOf(first.run));
    }
    Result result;
    for (std::size_t column = 0; column < gathered.specs.size(); ++column) {
        const std::string name = PythonName(gathered.specs[column]->name);
        result.units[name.c_str()] = std::string(gathered.units[column]);
        if (gathered.specs[column]->format == ResultFormat::Text) {
            py::array texts = numpy.attr("full")(shape, py::none(), "object");
            py::object flat = texts.attr("reshape")(-1);
            for (std::size_t run = 0; run < gathered.texts[column].size(); ++run) {
                if (!std::isnan(gathered.values[column][run])) {
                    flat[py::int_(run)] = gathered.texts[column][run];
                }
            }
            result.values[name.c_str()] = texts;
            continue;
        }
        std::vector<py::ssize_t> extents;
        for (auto extent : shape) {
            extents.push_back(extent.cast<py::ssize_t>());
        }
        Numbers values(extents);
        std::copy(gathered.values[column].begin(), gathered.values[column].end(), values.mutable_data());
        result.values[name.c_str()] = values;
    }
    for (const Gathered::Refusal& refusal : gathered.refusals) {
        result.errors[indexOf(refusal.run)] = PythonWords(refusal.message);
    }
    for (const auto& [warning, runs] : gathered.warnings) {
        result.warnings.append(warning);
        Warn(runs == count ? warning : warning + " (" + std::to_string(runs) + " of " + std::to_string(count) + ")");
    }
    return py::cast(std::move(result));
}
} // namespace

void SetPythonClasses(py::object refused, py::object validityWarning)
{
    g_refused = new py::object(std::move(refused));
    g_validityWarning = new py::object(std::move(validityWarning));
}

py::object Call(const Calculation& calculation, const KeywordArguments& given)
{
    Arguments arguments = ArgumentsOf(calculation, given);
    return arguments.numbers.empty() ? CallScalar(calculation, arguments) : CallArray(calculation, arguments);
}

} // namespace zandrevio::python
