#include "numeric/app_error.h"

#include <utility>

namespace zandrevio {

const char* ApplicationError::what() const noexcept
{
    try {
        m_what = Message();
    } catch (...) {
        return "application error";
    }
    return m_what.c_str();
}

ConversionFailure::ConversionFailure(std::string text)
    : m_text(std::move(text))
{
}

std::string ConversionFailure::Message() const
{
    return "'" + m_text + "' is not a valid floating point value";
}

FloatingPointFault::FloatingPointFault(FloatingPointFaultKind kind)
    : m_kind(kind)
{
}

std::string FloatingPointFault::Message() const
{
    switch (m_kind) {
    case FloatingPointFaultKind::InvalidOperation:
        return "Invalid floating point operation";
    case FloatingPointFaultKind::DivisionByZero:
        return "Floating point division by zero";
    case FloatingPointFaultKind::Overflow:
        return "Floating point overflow";
    }
    return "Invalid floating point operation";
}

std::string ApplicationErrorBoxText(const std::string& message)
{
    if (!message.empty() && static_cast<unsigned char>(message.back()) > static_cast<unsigned char>('.')) {
        return message + ".";
    }
    return message;
}

} // namespace zandrevio
