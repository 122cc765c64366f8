#pragma once

#include "numeric/choice.h"
#include "numeric/format.h"
#include "numeric/parse_real.h"

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include <variant>
#include <vector>

// The contract between a calculation and everything that uses it: the window's
// panels and the command line. A calculation is described once (its fields,
// their captions, units and start values, its results) and runs on Inputs
// keyed by its own Field enum; a refusal names its field by that enum.
namespace zandrevio {

// One input of a calculation: a value given, or a reader called only when
// the calculation reaches the field (the window parses a field there, so a
// field behind a failed check is never read).
class Input {
public:
    Input(long double value)
        : m_value(value)
    {
    }
    template <typename Reader,
              typename = std::enable_if_t<std::is_invocable_r_v<long double, Reader> &&
                                          !std::is_convertible_v<Reader, long double>>>
    Input(Reader reader)
        : m_reader(std::move(reader))
    {
    }

    // A text read by ParseReal when the calculation reaches it, with the
    // user's decimal separator or, where one is given, with that one.
    static Input Text(std::string text, char separator = '\0')
    {
        Input input(0.0L);
        input.m_text = std::move(text);
        input.m_parse = true;
        input.m_separator = separator;
        return input;
    }

    // The input read now where it can be: a text parsed once, for an input
    // that serves many runs; one that cannot be read stays as it is, to
    // fail where a run reaches it.
    Input Resolved() const
    {
        if (!m_parse) {
            return *this;
        }
        try {
            return Input(Read());
        } catch (...) {
            return *this;
        }
    }

    long double Read() const
    {
        if (m_parse) {
            return m_separator != '\0' ? ParseReal(m_text, m_separator) : ParseReal(m_text);
        }
        return m_reader ? m_reader() : m_value;
    }

private:
    long double m_value = 0.0L;
    std::function<long double()> m_reader;
    std::string m_text;
    bool m_parse = false;
    char m_separator = '\0';
};

// The inputs of one run of a calculation, by field. A choice is its item's
// index, a count or a channel number its whole value.
template <typename Field>
class Inputs {
public:
    Inputs() = default;
    Inputs(std::initializer_list<std::pair<Field, Input>> inputs)
    {
        m_inputs.reserve(inputs.size());
        for (const auto& [field, input] : inputs) {
            m_inputs.push_back({field, input});
        }
    }

    void Reserve(std::size_t fields) { m_inputs.reserve(fields); }

    Inputs& Set(Field field, Input input)
    {
        for (Entry& entry : m_inputs) {
            if (entry.field == field) {
                entry.input = std::move(input);
                return *this;
            }
        }
        m_inputs.push_back({field, std::move(input)});
        return *this;
    }

    bool Has(Field field) const
    {
        for (const Entry& entry : m_inputs) {
            if (entry.field == field) {
                return true;
            }
        }
        return false;
    }
    // The inputs with every text parsed once (Input::Resolved).
    Inputs Resolved() const
    {
        Inputs resolved = *this;
        for (Entry& entry : resolved.m_inputs) {
            entry.input = entry.input.Resolved();
        }
        return resolved;
    }
    // Forgets which fields were read: the inputs serve another run.
    void ForgetReads() const
    {
        for (const Entry& entry : m_inputs) {
            entry.read = false;
        }
    }
    // Whether the calculation read the field: what a run used, for its echo.
    bool WasRead(Field field) const
    {
        for (const Entry& entry : m_inputs) {
            if (entry.field == field) {
                return entry.read;
            }
        }
        return false;
    }
    long double Real(Field field) const { return Find(field).Read(); }
    int Index(Field field) const { return static_cast<int>(Find(field).Read()); }
    std::int32_t Whole(Field field) const { return static_cast<std::int32_t>(Find(field).Read()); }
    template <typename Enum>
    Enum Choice(Field field) const
    {
        return static_cast<Enum>(Index(field));
    }

private:
    struct Entry {
        Field field;
        Input input;
        mutable bool read = false;
    };

    const Input& Find(Field field) const
    {
        for (const Entry& entry : m_inputs) {
            if (entry.field == field) {
                entry.read = true;
                return entry.input;
            }
        }
        throw std::logic_error("a calculation read a field it was not given");
    }

    std::vector<Entry> m_inputs;
};

// A calculation refuses its input: its own message, the field to select and
// focus, and whether the refusal sounds the beep.
template <typename Field>
struct Refusal {
    std::string message;
    Field field;
    bool beep = true;
};

// A calculation's answer: its result, or the refusal to show.
template <typename T, typename Field>
class Outcome {
public:
    Outcome(T value)
        : m_value(std::move(value))
    {
    }
    Outcome(Refusal<Field> refusal)
        : m_value(std::move(refusal))
    {
    }

    bool Ok() const { return std::holds_alternative<T>(m_value); }
    const T& Value() const { return std::get<T>(m_value); }
    const Refusal<Field>& Error() const { return std::get<Refusal<Field>>(m_value); }

private:
    std::variant<T, Refusal<Field>> m_value;
};

// A text field (a file's name, a pair of coordinates) is the operation's
// own to read: the request hands it on as typed.
enum class FieldKind { Real, Whole, Choice, Text };

// One field of a calculation as a user meets it.
template <typename Field>
struct FieldSpec {
    Field field;
    FieldKind kind;
    std::string_view caption; // the window's caption (and accessible name)
    std::string_view option;  // the command line's option, without dashes
    std::string_view start;   // the start text, or the start choice's text
    std::span<const Choice> choices = {};
    // What the command line's help adds to the caption: the unit, or that the
    // number is a fraction, where the caption does not say it.
    std::string_view help = {};
    // What the command line's help shows in place of the value of a text
    // field (FILE, LAT,LON).
    std::string_view placeholder = {};
    // Whether a value below 0 has a meaning (a gain, a level in dB): the
    // window's field then takes a minus.
    bool negative = false;
};

struct ResultSpec {
    std::string_view caption;
    std::string_view name; // the command line's name of the result
    std::string_view unit;
    ResultFormat format;
};

// A calculation as everything outside the core sees it.
template <typename Field>
struct CalculationSpec {
    std::string_view name; // the command line's subcommand
    std::span<const FieldSpec<Field>> fields;
    std::span<const ResultSpec> results;
};

// The description of one field of a calculation.
template <typename Field>
const FieldSpec<Field>& SpecOf(const CalculationSpec<Field>& calculation, Field field)
{
    for (const FieldSpec<Field>& spec : calculation.fields) {
        if (spec.field == field) {
            return spec;
        }
    }
    throw std::logic_error("a calculation has no such field");
}

// The index of the choice whose text is `text`, or -1.
inline int ChoiceIndex(std::span<const Choice> choices, std::string_view text)
{
    for (std::size_t i = 0; i < choices.size(); ++i) {
        if (choices[i].text == text) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

// The item a choice field starts at.
template <typename Field>
int StartIndex(const CalculationSpec<Field>& calculation, Field field)
{
    const FieldSpec<Field>& spec = SpecOf(calculation, field);
    return ChoiceIndex(spec.choices, spec.start);
}

} // namespace zandrevio
