#include "widgets/FieldIo.h"

#include "numeric/parse_real.h"
#include "widgets/EntryField.h"
#include "widgets/Feedback.h"
#include "widgets/SpinField.h"

namespace zandrevio {

namespace {
void Announce(const std::string& message, bool beep)
{
    if (beep) {
        Beep();
    }
    ShowError(ToQString(message));
}
} // namespace

long double ReadReal(const QLineEdit& field)
{
    return ParseReal(TextOf(field));
}

std::string TextOf(const QLineEdit& field)
{
    return field.text().toStdString();
}

void Refuse(const std::string& message, EntryField& field, bool beep)
{
    Announce(message, beep);
    field.SelectAndFocus();
}

void Refuse(const std::string& message, SpinField& field, bool beep)
{
    Announce(message, beep);
    field.SelectAndFocus();
}

} // namespace zandrevio
