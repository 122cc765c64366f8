#pragma once

#include <exception>
#include <string>

namespace zandrevio {

// The two failures that end a handler and reach the application error box:
// a field text that is not a number, and a floating-point fault. They are the
// only exceptions the program throws; its own validation failures are values.
class ApplicationError : public std::exception {
public:
    // The failure's message, before the error box's full-stop rule.
    virtual std::string Message() const = 0;
    const char* what() const noexcept override;

protected:
    mutable std::string m_what;
};

class ConversionFailure : public ApplicationError {
public:
    explicit ConversionFailure(std::string text);
    const std::string& Text() const { return m_text; }
    std::string Message() const override;

private:
    std::string m_text;
};

enum class FloatingPointFaultKind { InvalidOperation, DivisionByZero, Overflow };

class FloatingPointFault : public ApplicationError {
public:
    explicit FloatingPointFault(FloatingPointFaultKind kind);
    FloatingPointFaultKind Kind() const { return m_kind; }
    std::string Message() const override;

private:
    FloatingPointFaultKind m_kind;
};

// The text of the application error box: the message with a full stop
// appended when its last character sorts after ".".
std::string ApplicationErrorBoxText(const std::string& message);

} // namespace zandrevio
