#pragma once

#include <QString>

#include <string>

class QLineEdit;

namespace zandrevio {

// The field's text read by ParseReal: a text that is not a number ends the
// running handler with the conversion failure.
long double ReadReal(const QLineEdit& field);
// A field's text as the pure operations take it.
std::string TextOf(const QLineEdit& field);

inline QString ToQString(const std::string& text)
{
    return QString::fromStdString(text);
}

} // namespace zandrevio
