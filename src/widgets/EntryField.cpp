#include "widgets/EntryField.h"

#include "numeric/key_filter.h"
#include "widgets/TypedCharacter.h"

#include "widgets/CopyResults.h"

#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QMenu>

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <memory>

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

bool IsCopyKey(const QKeyEvent& event)
{
    return event.matches(QKeySequence::Copy) ||
        (event.key() == Qt::Key_Insert && event.modifiers() == Qt::ControlModifier);
}

void EntryField::keyPressEvent(QKeyEvent* event)
{
    // Copying types nothing: it passes before the filter.
    if (IsCopyKey(*event)) {
        QLineEdit::keyPressEvent(event);
        return;
    }
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

void EntryField::contextMenuEvent(QContextMenuEvent* event)
{
    ShowFieldMenu(*this, event->globalPos());
}

void ShowFieldMenu(QLineEdit& field, const QPoint& at)
{
    // The standard menu less its submenu of Unicode control characters, which
    // the key filter would refuse; then the page's results.
    std::unique_ptr<QMenu> menu(field.createStandardContextMenu());
    for (QAction* action : menu->actions()) {
        if (action->menu() != nullptr) {
            menu->removeAction(action);
        }
    }
    AddCopyResults(*menu, &field);
    menu->exec(at);
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

char SignedDecimalField::Filter(char typed) const
{
    const std::string current = text().toStdString();
    std::string rest = current;
    std::size_t at = static_cast<std::size_t>(cursorPosition());
    if (hasSelectedText()) {
        at = static_cast<std::size_t>(selectionStart());
        rest.erase(at, static_cast<std::size_t>(selectedText().toStdString().size()));
    }
    return SignedDecimalFieldKey(typed, current, rest, at);
}

char IntegerField::Filter(char typed) const
{
    return IntegerKeyFilter(typed);
}

} // namespace zandrevio
