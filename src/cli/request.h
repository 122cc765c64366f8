#pragma once

#include "numeric/calculation.h"

#include <cstdint>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// One run of a calculation as the command line or a batch row asks for it:
// the options given, by name without dashes, as texts.
namespace zandrevio::cli {

// A request the calculation cannot even start on: an unknown option or
// choice, a missing or conflicting option. Exit status 2.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class Request {
public:
    Request() = default;
    explicit Request(std::vector<std::pair<std::string, std::string>> options)
        : m_options(std::move(options))
    {
    }

    void Reserve(std::size_t options) { m_options.reserve(options); }
    void Give(std::string name, std::string text) { m_options.emplace_back(std::move(name), std::move(text)); }
    bool Has(std::string_view name) const { return Find(name) != nullptr; }
    // The option's text, or nothing when it was not given.
    std::optional<std::string> Text(std::string_view name) const
    {
        const std::string* text = Find(name);
        return text != nullptr ? std::optional<std::string>(*text) : std::nullopt;
    }
    // The option's text, or `otherwise` when it was not given.
    std::string_view TextOr(std::string_view name, std::string_view otherwise) const
    {
        const std::string* text = Find(name);
        return text != nullptr ? std::string_view(*text) : otherwise;
    }
    const std::vector<std::pair<std::string, std::string>>& Options() const { return m_options; }

private:
    const std::string* Find(std::string_view name) const
    {
        for (const auto& [known, text] : m_options) {
            if (known == name) {
                return &text;
            }
        }
        return nullptr;
    }

    std::vector<std::pair<std::string, std::string>> m_options;
};

// The index of the item whose window text or command-line word is `text`,
// without regard to case; a usage error naming the allowed items otherwise.
int MatchChoice(std::string_view option, std::span<const Choice> choices, std::string_view text);
// A whole number in the 32-bit range, or a usage error.
std::int32_t ParseWhole(std::string_view option, std::string_view text);

// The inputs of a calculation from the request: each field from its option,
// or the window's start value where the option is left out. A real field is
// parsed only when the calculation reaches it, with the window's parser.
template <typename Field>
Inputs<Field> InputsFrom(const Request& request, const CalculationSpec<Field>& calculation)
{
    Inputs<Field> inputs;
    inputs.Reserve(calculation.fields.size());
    for (const FieldSpec<Field>& spec : calculation.fields) {
        const std::string_view text = request.TextOr(spec.option, spec.start);
        switch (spec.kind) {
        case FieldKind::Real:
            inputs.Set(spec.field, Input::Text(std::string(text)));
            break;
        case FieldKind::Whole:
            inputs.Set(spec.field, static_cast<long double>(ParseWhole(spec.option, text)));
            break;
        case FieldKind::Choice:
            if (spec.choices.empty()) {
                break; // a list that depends on another field: the caller's to match
            }
            inputs.Set(spec.field, static_cast<long double>(MatchChoice(spec.option, spec.choices, text)));
            break;
        }
    }
    return inputs;
}

} // namespace zandrevio::cli
