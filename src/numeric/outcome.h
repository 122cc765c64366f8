#pragma once

#include <string>
#include <utility>
#include <variant>

namespace zandrevio {

// A validation failure of a calculation: the program's own message, and which
// input it concerns (the operation's own numbering), so that the window can
// select and focus that field.
struct Failure {
    std::string message;
    int input = 0;
};

// A pure operation's answer: its result, or the failure to show.
template <typename T>
class Outcome {
public:
    Outcome(T value)
        : m_value(std::move(value))
    {
    }
    Outcome(Failure failure)
        : m_value(std::move(failure))
    {
    }

    bool Ok() const { return std::holds_alternative<T>(m_value); }
    const T& Value() const { return std::get<T>(m_value); }
    const Failure& Error() const { return std::get<Failure>(m_value); }

private:
    std::variant<T, Failure> m_value;
};

} // namespace zandrevio
