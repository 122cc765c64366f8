#include "widgets/EntryField.h"

#include "numeric/key_filter.h"
#include "widgets/TypedCharacter.h"

#include <QFocusEvent>
#include <QKeyEvent>

namespace zandrevio {

EntryField::EntryField(QWidget* parent)
    : QLineEdit(parent)
{
}

void EntryField::SelectAndFocus()
{
    selectAll();
    setFocus(Qt::OtherFocusReason);
}

void EntryField::keyPressEvent(QKeyEvent* event)
{
    const auto typed = TypedCharacter(*event);
    if (!typed) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    const char result = Filter(*typed);
    event->accept();
    if (result == 0) {
        return;
    }
    if (result == '\b') {
        backspace();
        return;
    }
    insert(QString(QChar::fromLatin1(result)));
}

void EntryField::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    // Another window taking the focus (a message box, another program) is
    // not leaving the field.
    if (event->reason() != Qt::ActiveWindowFocusReason && event->reason() != Qt::PopupFocusReason) {
        emit exited();
    }
}

char DecimalField::Filter(char typed) const
{
    return DecimalFieldKey(typed, text().toStdString());
}

char IntegerField::Filter(char typed) const
{
    return IntegerKeyFilter(typed);
}

} // namespace zandrevio
