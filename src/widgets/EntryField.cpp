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

bool EntryField::Takes(const QKeyEvent& event) const
{
    // A key that types a character goes to the filter, never to a shortcut.
    return IsCopyKey(event) || !TypedCharacter(event);
}

std::unique_ptr<QMenu> EntryField::ContextMenu()
{
    return FieldMenu(*this, [this](const QKeyEvent& event) { return Takes(event); });
}

void EntryField::contextMenuEvent(QContextMenuEvent* event)
{
    ContextMenu()->exec(event->globalPos());
}

namespace {
// The standard actions of a field's menu, by their captions, with the names
// they are given and their keys.
struct ActionKey {
    const char* caption;
    const char* name;
    QKeySequence::StandardKey key;
};
constexpr ActionKey kActionKeys[] = {
    {"Undo", "edit-undo", QKeySequence::Undo},
    {"Redo", "edit-redo", QKeySequence::Redo},
    {"Cut", "edit-cut", QKeySequence::Cut},
    {"Copy", "edit-copy", QKeySequence::Copy},
    {"Paste", "edit-paste", QKeySequence::Paste},
    {"Delete", "edit-delete", QKeySequence::Delete},
    {"Select All", "select-all", QKeySequence::SelectAll},
};

// The first of the action's shortcuts that the field takes, or none.
QString ShortcutTaken(QKeySequence::StandardKey key, const std::function<bool(const QKeyEvent&)>& takes)
{
    for (const QKeySequence& keys : QKeySequence::keyBindings(key)) {
        const QKeyCombination first = keys[0];
        const QKeyEvent press(QEvent::KeyPress, first.key(), first.keyboardModifiers());
        if (takes(press)) {
            return keys.toString(QKeySequence::NativeText);
        }
    }
    return {};
}
} // namespace

std::unique_ptr<QMenu> FieldMenu(QLineEdit& field, const std::function<bool(const QKeyEvent&)>& takes)
{
    // The standard menu less its submenu of Unicode control characters, which
    // the key filter would refuse; then the page's results.
    std::unique_ptr<QMenu> menu(field.createStandardContextMenu());
    for (QAction* action : menu->actions()) {
        if (action->menu() != nullptr) {
            menu->removeAction(action);
            continue;
        }
        const QString caption = action->text().section('\t', 0, 0);
        for (const ActionKey& known : kActionKeys) {
            if (QString(caption).remove('&') == QLatin1String(known.caption)) {
                const QString shortcut = ShortcutTaken(known.key, takes);
                action->setObjectName(QLatin1String(known.name));
                action->setText(shortcut.isEmpty() ? caption : caption + '\t' + shortcut);
            }
        }
    }
    AddCopyResults(*menu, &field);
    return menu;
}

void EntryField::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    // Another window taking the focus (a message box, another program) is
    // not leaving the field.
    if (event->reason() != Qt::ActiveWindowFocusReason && event->reason() != Qt::PopupFocusReason) {
        // A value longer than the field shows its head, as it is read
        // ("1.33333" of k, not "33333").
        if (fontMetrics().horizontalAdvance(text()) > contentsRect().width() - 8) {
            setCursorPosition(0);
        }
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

char TextField::Filter(char typed) const
{
    return typed;
}

void TextField::keyPressEvent(QKeyEvent* event)
{
    QLineEdit::keyPressEvent(event);
}

void TextField::inputMethodEvent(QInputMethodEvent* event)
{
    QLineEdit::inputMethodEvent(event);
}

char IntegerField::Filter(char typed) const
{
    return IntegerKeyFilter(typed);
}

} // namespace zandrevio
