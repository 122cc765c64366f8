#pragma once

#include "calculation/calculation.h"

#include <cstdint>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// One run of a calculation as a face asks for it: the options given, by name
// without dashes, as texts (the command line's options, a batch row's cells).
namespace zandrevio {

// A request the calculation cannot even start on: an unknown option or
// choice, a missing or conflicting option, a malformed whole number.
class RequestError : public std::runtime_error {
public:
    // A slip no option owns (a rule broken, a missing column).
    explicit RequestError(const std::string& message)
        : std::runtime_error(message)
    {
    }
    // A value of an option that cannot be read: "--option: what", the option travelling with it.
    RequestError(std::string_view option, const std::string& what)
        : std::runtime_error("--" + std::string(option) + ": " + what)
        , m_option(option)
    {
    }
    // The option at fault, without dashes; empty where the slip is no option's.
    const std::string& Option() const { return m_option; }

private:
    std::string m_option;
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
    // A number given as a value, not a text to read (a table's cell): the
    // text is what an echo shows.
    void Give(std::string name, long double value, std::string text)
    {
        m_exact.emplace_back(name, value);
        Give(std::move(name), std::move(text));
    }
    // A number given again: its value and text in place of the earlier ones.
    void Replace(const std::string& name, long double value, std::string text)
    {
        for (auto& [known, given] : m_options) {
            if (known == name) {
                given = std::move(text);
                for (auto& [exactName, exact] : m_exact) {
                    if (exactName == name) {
                        exact = value;
                        return;
                    }
                }
                m_exact.emplace_back(name, value);
                return;
            }
        }
        Give(name, value, std::move(text));
    }
    // The value a given text was read as, kept so that it is read once.
    void Remember(std::string name, long double value) { m_exact.emplace_back(std::move(name), value); }
    // Whether the reply should echo the options the calculation read (a
    // face that shows no echo spares the work).
    bool Echo() const { return m_echo; }
    void SetEcho(bool echo) { m_echo = echo; }
    // The value a number was given as, where it was.
    std::optional<long double> Exact(std::string_view name) const
    {
        for (const auto& [known, value] : m_exact) {
            if (known == name) {
                return value;
            }
        }
        return std::nullopt;
    }
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
    // Every text of an option given once per item, in order.
    std::vector<std::string_view> Texts(std::string_view name) const
    {
        std::vector<std::string_view> texts;
        for (const auto& [known, text] : m_options) {
            if (known == name) {
                texts.emplace_back(text);
            }
        }
        return texts;
    }

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
    std::vector<std::pair<std::string, long double>> m_exact;
    bool m_echo = true;
};

// Whether two words are the same without regard to ASCII case.
bool SameWithoutCase(std::string_view a, std::string_view b);
// The index of the item whose window text or command-line word is `text`,
// without regard to case; a request error naming the allowed items otherwise.
int MatchChoice(std::string_view option, std::span<const Choice> choices, std::string_view text);
// A whole number in the 32-bit range, or a request error.
std::int32_t ParseWhole(std::string_view option, std::string_view text);
// Whether a value given as a number is a whole number in the 32-bit range.
bool IsWhole32(long double value);
// The message ParseWhole gives for a value given as a number that is not one.
std::string WholeRefusal(std::string_view option, long double value);
// Its text after the option: "'2.5' is not a whole number from ...".
std::string NotWholeNumber(long double value);

} // namespace zandrevio
