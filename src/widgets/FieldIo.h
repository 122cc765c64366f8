#pragma once

#include <QString>

#include <string>

class QLineEdit;

namespace zandrevio {

class EntryField;
class SpinField;

// The field's text read by ParseReal: a text that is not a number ends the
// running handler with the conversion failure.
long double ReadReal(const QLineEdit& field);
// A field's text as the pure operations take it.
std::string TextOf(const QLineEdit& field);

inline QString ToQString(const std::string& text)
{
    return QString::fromStdString(text);
}

// A calculation refuses its input: the beep (where the calculation sounds
// one), the error box with its message, then the offending field selected
// and focused.
void Refuse(const std::string& message, EntryField& field, bool beep = true);
void Refuse(const std::string& message, SpinField& field, bool beep = true);

} // namespace zandrevio
