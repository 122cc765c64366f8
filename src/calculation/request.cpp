#include "calculation/request.h"

#include <cctype>
#include <charconv>
#include <cmath>

namespace zandrevio {

bool SameWithoutCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) {
            return false;
        }
    }
    return true;
}

int MatchChoice(std::string_view option, std::span<const Choice> choices, std::string_view text)
{
    for (std::size_t i = 0; i < choices.size(); ++i) {
        if (choices[i].key == text) {
            return static_cast<int>(i);
        }
    }
    for (std::size_t i = 0; i < choices.size(); ++i) {
        if (SameWithoutCase(choices[i].key, text) || SameWithoutCase(choices[i].text, text)) {
            return static_cast<int>(i);
        }
    }
    std::string allowed;
    for (const Choice& choice : choices) {
        allowed += allowed.empty() ? "" : ", ";
        allowed += choice.key;
    }
    throw RequestError(option, "'" + std::string(text) + "' is not one of " + allowed);
}

namespace {
std::string NotWhole(std::string_view text)
{
    return "'" + std::string(text) + "' is not a whole number from -2147483648 to 2147483647";
}
} // namespace

std::string NotWholeNumber(long double value)
{
    char text[64];
    const auto end = std::to_chars(text, text + sizeof text, value).ptr;
    return NotWhole(std::string_view(text, static_cast<std::size_t>(end - text)));
}

bool IsWhole32(long double value)
{
    return value >= -2147483648.0L && value <= 2147483647.0L && value == std::trunc(value);
}

std::string WholeRefusal(std::string_view option, long double value)
{
    return "--" + std::string(option) + ": " + NotWholeNumber(value);
}

std::int32_t ParseWhole(std::string_view option, std::string_view text)
{
    std::string_view digits = text;
    if (!digits.empty() && digits.front() == '+') {
        digits.remove_prefix(1);
    }
    std::int32_t value = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (digits.empty() || error != std::errc() || end != digits.data() + digits.size()) {
        throw RequestError(option, NotWhole(text));
    }
    return value;
}

} // namespace zandrevio
