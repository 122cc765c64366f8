#include "widgets/EntryField.h"

#include "numeric/key_filter.h"
#include "widgets/TypedCharacter.h"

#include <QFocusEvent>
#include <QInputMethodEvent>
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
    event->accept();
    TypeCharacter(*typed);
}

void EntryField::inputMethodEvent(QInputMethodEvent* event)
{
    // Text composed by an input method is typed text too: each of its
    // characters passes the filter.
    if (event->commitString().isEmpty()) {
        QLineEdit::inputMethodEvent(event);
        return;
    }
    for (const QChar c : event->commitString()) {
        TypeCharacter(c.unicode() < 256 ? static_cast<char>(c.unicode()) : '\0');
    }
    event->accept();
}

void EntryField::TypeCharacter(char typed)
{
    const char result = Filter(typed);
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
