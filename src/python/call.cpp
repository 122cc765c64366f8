#include "python/call.h"

#include "numeric/app_error.h"
#include "python/python_words.h"
#include "python/result.h"
#include "terrain/profile.h"
#include "terrain/profile_csv.h"

#include <pybind11/numpy.h>

#include <cerrno>
#include <charconv>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <unistd.h>
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
    std::optional<bool> raise;     // errors="raise" or "nan"; the kind of call decides where not given
    std::optional<bool> wide;      // dtype: numpy.longdouble (the start) or numpy.float64
    std::set<std::string> numeric; // the options given as numbers
    // A profile given as arrays, written for the call as the CSV file the
    // calculation reads, and removed after it.
    struct TemporaryFile {
        std::string path;
        ~TemporaryFile()
        {
            if (!path.empty()) {
                std::remove(path.c_str());
            }
        }
    };
    std::unique_ptr<TemporaryFile> profile;

    // A message as Python says it: keywords for options, "the profile" for the file written for it.
    std::string Words(std::string message) const
    {
        if (profile) {
            for (std::size_t at = message.find(profile->path); at != std::string::npos;
                 at = message.find(profile->path, at)) {
                message.replace(at, profile->path.size(), "the profile");
            }
        }
        return PythonWords(message);
    }
};

// The profile of distances (km) and heights (m) given as two arrays (a pair,
// or a two-column array), written as a CSV file for the call.
std::unique_ptr<Arguments::TemporaryFile> ProfileFile(const std::string& keyword, const py::handle& value)
{
    py::module_ numpy = py::module_::import("numpy");
    Numbers points;
    try {
        points = Numbers::ensure(numpy.attr("asarray")(value, numpy.attr("longdouble")));
    } catch (const py::error_already_set&) {
        PyErr_Clear();
    }
    if (!points || points.ndim() != 2 || (points.shape(0) != 2 && points.shape(1) != 2)) {
        throw py::type_error(keyword +
                             " takes a CSV file's name, or the distances (km) and heights (m) as two "
                             "arrays, not " +
                             py::repr(value).cast<std::string>());
    }
    // (distance, height) as two rows; a two-column array of points otherwise.
    const bool rows = points.shape(0) == 2;
    const py::ssize_t count = rows ? points.shape(1) : points.shape(0);
    TerrainProfile profile;
    profile.points.reserve(static_cast<std::size_t>(count));
    const auto at = points.unchecked<2>();
    for (py::ssize_t i = 0; i < count; ++i) {
        profile.points.push_back(rows ? ProfilePoint{at(0, i), at(1, i)} : ProfilePoint{at(i, 0), at(i, 1)});
    }
    const char* folder = std::getenv("TMPDIR");
    std::string name =
        std::string(folder != nullptr && *folder != '\0' ? folder : "/tmp") + "/zandrevio-profile-XXXXXX.csv";
    const int descriptor = mkstemps(name.data(), 4);
    if (descriptor < 0) {
        throw std::runtime_error("the profile given as arrays could not be written in " + name + ": " +
                                 std::strerror(errno));
    }
    close(descriptor);
    auto file = std::make_unique<Arguments::TemporaryFile>();
    file->path = name;
    if (const std::string failed = WriteProfileCsvFile(name, profile); !failed.empty()) {
        throw std::runtime_error("the profile given as arrays could not be written: " + failed);
    }
    return file;
}

[[noreturn]] void Unexpected(const Calculation& calculation, const std::string& keyword)
{
    std::string allowed;
    for (const OptionSpec& option : calculation.Options()) {
        allowed += (allowed.empty() ? "" : ", ") + PythonName(option.name);
    }
    throw py::type_error(PythonName(calculation.name) + "() got an unexpected keyword argument '" + keyword +
                         "'; it takes " + allowed + ", errors and dtype");
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
        if (PyErr_ExceptionMatches(PyExc_MemoryError) != 0) {
            throw py::error_already_set(); // the array in extended precision does not fit
        }
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
    static const std::string kDtype = "dtype";
    Arguments arguments;
    arguments.request.SetEcho(false);
    arguments.request.Reserve(given.size());
    const std::vector<Keyword>& keywords = KeywordsOf(calculation);
    for (auto [key, value] : given) {
        const std::string keyword = py::reinterpret_borrow<py::str>(key);
        if (value.is_none() && keyword != kErrors && keyword != kDtype) {
            // None is the signature's "not given": the start value, or another alternative.
            if (std::none_of(keywords.begin(), keywords.end(),
                             [&](const Keyword& k) { return k.keyword == keyword; })) {
                Unexpected(calculation, keyword);
            }
            continue;
        }
        if (keyword == kDtype) {
            if (!value.is_none()) {
                py::module_ numpy = py::module_::import("numpy");
                py::object dtype;
                try {
                    dtype = numpy.attr("dtype")(value);
                } catch (const py::error_already_set&) {
                    dtype = py::none();
                }
                if (!dtype.is_none() && dtype.equal(numpy.attr("dtype")(numpy.attr("longdouble")))) {
                    arguments.wide = true;
                } else if (!dtype.is_none() && dtype.equal(numpy.attr("dtype")(numpy.attr("float64")))) {
                    arguments.wide = false;
                } else {
                    throw py::value_error("dtype takes numpy.longdouble or numpy.float64, not " +
                                          py::repr(value).cast<std::string>());
                }
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
        if (option->name == "profile" && !py::isinstance<py::str>(value) && !py::hasattr(value, "__fspath__")) {
            arguments.profile = ProfileFile(keyword, value);
            arguments.request.Give(name, arguments.profile->path);
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
        arguments.numeric.insert(name);
        if (!number.array) {
            arguments.request.Give(name, number.value, ExactText(number.value));
        } else {
            arguments.numbers.push_back(std::move(number));
        }
    }
    return arguments;
}

// A refusal as Python raises it: Refused, whose field is the keyword.
[[noreturn]] void RaiseRefused(const std::string& words, std::string_view option, py::object index = py::none())
{
    py::object error = (*g_refused)(words);
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
        // A number that cannot be read as its option's kind (15.5 channels) is refused at its
        // field, as an array call's element is; any other slip is the call's ValueError.
        if (!arguments.numeric.count(error.Option())) {
            throw py::value_error(arguments.Words(error.what()));
        }
        reply.error = error.what();
        reply.errorOption = *arguments.numeric.find(error.Option());
    } catch (const ApplicationError& error) {
        reply.error = ApplicationErrorBoxText(error.Message());
    }
    Result result;
    if (reply.Failed()) {
        if (arguments.raise.value_or(true)) {
            RaiseRefused(arguments.Words(reply.error), reply.errorOption);
        }
        result.errors[py::tuple()] = arguments.Words(reply.error);
        for (const ResultSpec* spec : variant->results) {
            result.values[NameOf(*spec)] = std::numeric_limits<double>::quiet_NaN();
        }
        return py::cast(std::move(result));
    }
    result.values = ValuesOf(reply.results, &result.units);
    for (const std::string& given : reply.warnings) {
        const std::string warning = ValidUtf8(given);
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

// An output column of an array call: one value a run, written without the
// interpreter into the NumPy array it becomes, of the dtype asked for.
class Column {
public:
    Column(const ResultSpec& spec, const py::tuple& shape, bool wide, bool text)
        : m_spec(&spec)
        , m_unit(spec.unit)
        , m_text(text)
    {
        py::module_ numpy = py::module_::import("numpy");
        m_array = numpy.attr("full")(shape, std::numeric_limits<double>::quiet_NaN(),
                                     wide ? numpy.attr("longdouble") : numpy.attr("float64"));
        m_wide = wide;
        m_data = py::array(m_array).mutable_data();
    }

    const ResultSpec& Spec() const { return *m_spec; }
    std::string_view Unit() const { return m_unit; }
    bool Given() const { return m_given; }
    bool IsText() const { return m_text; }

    std::size_t Texts() const { return m_texts.size(); }
    void CutTexts(std::size_t size) { m_texts.resize(size); }

    void Set(std::size_t run, const ResultValue& result)
    {
        m_given = true;
        m_unit = result.unit;
        if (m_wide) {
            static_cast<long double*>(m_data)[run] = result.value;
        } else {
            static_cast<double*>(m_data)[run] = static_cast<double>(result.value);
        }
        if (m_text) {
            m_texts.emplace_back(run, result.text);
        }
    }

    // The NumPy array: the values, or for a text result the texts (None where none).
    py::object Array(const py::tuple& shape)
    {
        if (!m_text) {
            return m_array;
        }
        py::module_ numpy = py::module_::import("numpy");
        py::array texts = numpy.attr("full")(shape, py::none(), "object");
        py::object flat = texts.attr("reshape")(-1);
        for (const auto& [run, text] : m_texts) {
            flat[py::int_(run)] = text;
        }
        return texts;
    }

private:
    const ResultSpec* m_spec;
    std::string_view m_unit;
    bool m_text;
    bool m_wide = true;
    bool m_given = false;
    py::object m_array;
    void* m_data = nullptr;
    std::vector<std::pair<std::size_t, std::string>> m_texts;
};

// What the runs of an array call give, gathered without the interpreter.
struct Gathered {
    std::size_t count = 0;
    std::vector<Column> columns;
    struct Refusal {
        std::size_t run;
        std::string message;
        std::string_view option;
    };
    std::vector<Refusal> refusals;
    std::vector<std::pair<std::string, std::size_t>> warnings; // each once, with how many runs gave it
    // The lists some runs give beside their results, each with its run.
    std::vector<std::pair<std::size_t, std::vector<CurvePoint>>> curves;
    std::vector<std::pair<std::size_t, std::vector<std::vector<ResultValue>>>> matches;
    std::vector<std::pair<std::size_t, std::vector<std::vector<ResultValue>>>> rows;
    // A result no column was made for (none the variant names): made under the interpreter later.
    std::vector<std::pair<std::size_t, ResultValue>> strays;

    // What has been gathered so far, to go back to where a chunk runs again.
    struct Mark {
        std::size_t refusals, curves, matches, rows, strays;
        std::vector<std::pair<std::string, std::size_t>> warnings;
        std::vector<std::size_t> texts;
    };
    Mark Here() const
    {
        Mark mark{refusals.size(), curves.size(), matches.size(), rows.size(), strays.size(), warnings, {}};
        for (const Column& column : columns) {
            mark.texts.push_back(column.Texts());
        }
        return mark;
    }
    void Back(const Mark& mark)
    {
        refusals.resize(mark.refusals);
        curves.resize(mark.curves);
        matches.resize(mark.matches);
        rows.resize(mark.rows);
        strays.resize(mark.strays);
        warnings = mark.warnings;
        for (std::size_t i = 0; i < columns.size(); ++i) {
            columns[i].CutTexts(mark.texts[i]);
        }
    }

    Column* ColumnOf(const ResultValue& result)
    {
        for (Column& column : columns) {
            if (column.Spec().name == result.spec->name) {
                return &column;
            }
        }
        return nullptr;
    }

    void Take(std::size_t run, const Reply& reply)
    {
        if (reply.Failed()) {
            refusals.push_back({run, reply.error, reply.errorOption});
            return;
        }
        for (const ResultValue& result : reply.results) {
            if (Column* column = ColumnOf(result)) {
                column->Set(run, result);
            } else {
                strays.emplace_back(run, result);
            }
        }
        for (const std::string& given : reply.warnings) {
            const std::string warning = ValidUtf8(given);
            auto known =
                std::find_if(warnings.begin(), warnings.end(), [&](const auto& w) { return w.first == warning; });
            if (known == warnings.end()) {
                warnings.emplace_back(warning, 1);
            } else {
                ++known->second;
            }
        }
        if (!reply.curve.empty()) {
            curves.emplace_back(run, reply.curve);
        }
        if (reply.matches.size() > 1) {
            matches.emplace_back(run, reply.matches);
        }
        if (!reply.rows.empty()) {
            rows.emplace_back(run, reply.rows);
        }
    }
};

// One input of an array call read where it broadcasts: its own array and,
// per dimension of the call's shape, the step between elements (0 where it
// repeats). No input is stretched to the call's shape.
struct Strided {
    const long double* data;
    std::vector<py::ssize_t> steps;
};

Strided StridedOf(const Numbers& array, const std::vector<py::ssize_t>& extents)
{
    Strided strided{array.data(), std::vector<py::ssize_t>(extents.size(), 0)};
    const py::ssize_t offset = static_cast<py::ssize_t>(extents.size()) - array.ndim();
    py::ssize_t step = 1;
    for (py::ssize_t d = array.ndim() - 1; d >= 0; --d) {
        if (array.shape(d) != 1) {
            strided.steps[static_cast<std::size_t>(d + offset)] = step;
        }
        step *= array.shape(d);
    }
    return strided;
}

// Copies runs [begin, begin + length) of each input into its buffer, the
// runs in C order over the call's shape.
void Fill(const std::vector<Strided>& inputs, const std::vector<py::ssize_t>& extents, std::size_t begin,
          std::size_t length, std::vector<std::vector<long double>>& buffers)
{
    std::vector<py::ssize_t> index(extents.size(), 0);
    std::size_t rest = begin;
    for (std::size_t d = extents.size(); d-- > 0;) {
        index[d] = static_cast<py::ssize_t>(rest % static_cast<std::size_t>(extents[d]));
        rest /= static_cast<std::size_t>(extents[d]);
    }
    for (std::size_t k = 0; k < inputs.size(); ++k) {
        buffers[k].resize(length);
    }
    for (std::size_t run = 0; run < length; ++run) {
        for (std::size_t k = 0; k < inputs.size(); ++k) {
            py::ssize_t at = 0;
            for (std::size_t d = 0; d < extents.size(); ++d) {
                at += index[d] * inputs[k].steps[d];
            }
            buffers[k][run] = inputs[k].data[at];
        }
        for (std::size_t d = extents.size(); d-- > 0;) {
            if (++index[d] < extents[d]) {
                break;
            }
            index[d] = 0;
        }
    }
}

// A ValidityWarning with the runs that gave it as attributes, its text the
// same however many they are (Python's filters then give it once a place).
void WarnOfRuns(const std::string& message, std::size_t runs, std::size_t count)
{
    py::object warning = (*g_validityWarning)(message);
    warning.attr("runs") = runs;
    warning.attr("of") = count;
    py::module_::import("warnings").attr("warn")(warning, py::none(), 1);
}

// The time a chunk of runs may take between two looks at Ctrl+C.
constexpr std::chrono::milliseconds kChunkTime{20};

py::object CallArray(const Calculation& calculation, Arguments& arguments)
{
    py::module_ numpy = py::module_::import("numpy");
    py::list shapes;
    for (const NumberArgument& number : arguments.numbers) {
        shapes.append(number.array->attr("shape"));
    }
    const py::tuple shape = numpy.attr("broadcast_shapes")(*shapes);
    std::vector<py::ssize_t> extents;
    std::size_t count = 1;
    for (auto extent : shape) {
        extents.push_back(extent.cast<py::ssize_t>());
        const auto size = extent.cast<std::size_t>();
        if (size != 0 && count > std::numeric_limits<std::size_t>::max() / 16 / size) {
            throw std::bad_alloc(); // more elements than memory has bytes: MemoryError
        }
        count *= size;
    }
    Request& request = arguments.request;
    std::vector<Strided> inputs;
    Sweep sweep;
    for (const NumberArgument& number : arguments.numbers) {
        inputs.push_back(StridedOf(*number.array, extents));
        sweep.options.push_back(number.option);
        // The first element stands for all in the choice of the variant.
        const long double first = count > 0 ? *inputs.back().data : 0.0L;
        request.Give(number.option, first, ExactText(first));
    }
    const auto [variant, skip] = Select(calculation, request);
    const bool wide = arguments.wide.value_or(true);
    Gathered gathered;
    gathered.count = count;
    gathered.columns.reserve(variant->results.size());
    for (const ResultSpec* spec : variant->results) {
        gathered.columns.emplace_back(*spec, shape, wide, spec->format == ResultFormat::Text);
    }
    std::vector<std::vector<long double>> buffers(inputs.size());
    std::optional<std::pair<std::size_t, std::string>> requestError; // the run and its message
    bool sweeps = static_cast<bool>(variant->sweep);
    std::size_t chunk = 1;
    for (std::size_t begin = 0; begin < count && !requestError;) {
        const std::size_t length = std::min(chunk, count - begin);
        const auto started = std::chrono::steady_clock::now();
        {
            py::gil_scoped_release release;
            Fill(inputs, extents, begin, length, buffers);
            const SweepOut out = [&](std::size_t run, const Reply& reply) { gathered.Take(begin + run, reply); };
            Sweep part{sweep.options, {}, {}};
            for (const std::vector<long double>& buffer : buffers) {
                part.values.push_back(buffer.data());
            }
            bool done = false;
            if (sweeps) {
                const Gathered::Mark mark = gathered.Here();
                try {
                    done = variant->sweep(request, skip, part, 0, length, out);
                    sweeps = done;
                } catch (const RequestError&) {
                    // An element's slip: the chunk runs again run by run, to find it.
                    gathered.Back(mark);
                }
            }
            for (std::size_t run = 0; run < length && !done; ++run) {
                Request single = request;
                Reply reply;
                try {
                    for (std::size_t k = 0; k < part.options.size(); ++k) {
                        single.Replace(std::string(part.options[k]), buffers[k][run], ExactText(buffers[k][run]));
                    }
                    reply = variant->run(single, skip);
                } catch (const ApplicationError& error) {
                    reply.error = ApplicationErrorBoxText(error.Message());
                } catch (const RequestError& error) {
                    // A number of this element's that cannot be read (2.5 channels) is its
                    // refusal; a slip in what every element shares is the call's.
                    const auto option = std::find(sweep.options.begin(), sweep.options.end(), error.Option());
                    if (option == sweep.options.end()) {
                        requestError.emplace(begin + run, error.what());
                        break;
                    }
                    reply = Reply{};
                    reply.error = error.what();
                    reply.errorOption = *option;
                }
                out(run, reply);
            }
        }
        begin += length;
        // Ctrl+C is seen between chunks, each sized to take about kChunkTime.
        if (PyErr_CheckSignals() != 0) {
            throw py::error_already_set();
        }
        const auto took = std::chrono::steady_clock::now() - started;
        if (took < kChunkTime / 2 && chunk < (std::size_t{1} << 20)) {
            chunk *= 2;
        } else if (took > kChunkTime && chunk > 1) {
            chunk /= 2;
        }
    }
    if (requestError) {
        throw py::value_error(arguments.Words(requestError->second));
    }
    const bool raise = arguments.raise.value_or(false);
    py::object unravel = numpy.attr("unravel_index");
    const auto indexOf = [&](std::size_t run) { return py::tuple(unravel(run, shape)); };
    if (raise && !gathered.refusals.empty()) {
        const Gathered::Refusal& first = gathered.refusals.front();
        RaiseRefused(arguments.Words(first.message), first.option, indexOf(first.run));
    }
    for (const auto& [run, stray] : gathered.strays) {
        Column* column = gathered.ColumnOf(stray);
        if (column == nullptr) {
            gathered.columns.emplace_back(*stray.spec, shape, wide, stray.format == ResultFormat::Text);
            column = &gathered.columns.back();
        }
        column->Set(run, stray);
    }
    Result result;
    // The results some run gave, as a scalar call gives those of its run; all of the variant's
    // where no run gave any.
    const bool anyGiven =
        std::any_of(gathered.columns.begin(), gathered.columns.end(), [](const Column& c) { return c.Given(); });
    for (Column& column : gathered.columns) {
        const std::string name = PythonName(column.Spec().name);
        if ((anyGiven && !column.Given()) || result.values.contains(name.c_str())) {
            continue;
        }
        result.units[name.c_str()] = std::string(column.Unit());
        result.values[name.c_str()] = column.Array(shape);
    }
    for (const Gathered::Refusal& refusal : gathered.refusals) {
        result.errors[indexOf(refusal.run)] = arguments.Words(refusal.message);
    }
    // The lists beside the results, each element's own (None where it gave none).
    const auto perElement = [&](auto& lists, auto make) -> py::object {
        if (lists.empty()) {
            return py::none();
        }
        py::array all = numpy.attr("full")(shape, py::none(), "object");
        py::object flat = all.attr("reshape")(-1);
        for (auto& [run, list] : lists) {
            flat[py::int_(run)] = make(list);
        }
        return py::object(std::move(all));
    };
    result.curve = perElement(gathered.curves, [](const std::vector<CurvePoint>& curve) {
        py::array_t<long double> points({static_cast<py::ssize_t>(curve.size()), py::ssize_t{2}});
        auto at = points.mutable_unchecked<2>();
        for (std::size_t i = 0; i < curve.size(); ++i) {
            at(static_cast<py::ssize_t>(i), 0) = curve[i].x;
            at(static_cast<py::ssize_t>(i), 1) = curve[i].y;
        }
        return py::object(std::move(points));
    });
    const auto dicts = [](const std::vector<std::vector<ResultValue>>& lines) {
        py::list made;
        for (const std::vector<ResultValue>& line : lines) {
            made.append(ValuesOf(line, nullptr));
        }
        return py::object(std::move(made));
    };
    result.matches = perElement(gathered.matches, dicts);
    result.rows = perElement(gathered.rows, dicts);
    for (const auto& [warning, runs] : gathered.warnings) {
        result.warnings.append(warning);
        WarnOfRuns(warning, runs, count);
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
