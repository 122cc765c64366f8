#pragma once

#include <QLineEdit>
#include <QMenu>

#include <functional>
#include <memory>

class QKeyEvent;

namespace zandrevio {

// A single-line entry field whose typed characters pass a key filter. It
// tells when it loses the focus to another control of the window.
class EntryField : public QLineEdit {
    Q_OBJECT

public:
    explicit EntryField(QWidget* parent = nullptr);

    // Selects the whole text and gives the field the focus, as after an error.
    void SelectAndFocus();
    // Whether a key press reaches the field's shortcuts: the key filter takes
    // every key that types a character, Ctrl+Z and Ctrl+V among them.
    bool Takes(const QKeyEvent& event) const;
    // The context menu: what works in the field, each with a shortcut it takes.
    std::unique_ptr<QMenu> ContextMenu();

signals:
    void exited();

protected:
    // The character to insert for a typed one, or 0 to swallow it.
    virtual char Filter(char typed) const = 0;

    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    // Inserts what the filter makes of one typed character.
    void TypeCharacter(char typed);
};

// Ctrl+C and Ctrl+Insert: copying, which every field lets through its filter.
bool IsCopyKey(const QKeyEvent& event);
// A field's context menu: the standard editing actions, each shown with a
// shortcut the field takes (`takes`) or with none, and the page's
// "Copy results".
std::unique_ptr<QMenu> FieldMenu(QLineEdit& field, const std::function<bool(const QKeyEvent&)>& takes);

// Digits and one decimal separator; comma and full stop both type it.
class DecimalField : public EntryField {
    Q_OBJECT

public:
    using EntryField::EntryField;

protected:
    char Filter(char typed) const override;
};

// A decimal field that may be negative: also a leading minus.
class SignedDecimalField : public EntryField {
    Q_OBJECT

public:
    using EntryField::EntryField;

protected:
    char Filter(char typed) const override;
};

// Any text: a file's name, a place's coordinates. Keys reach the field as
// in a plain line edit, Unicode and shortcuts alike.
class TextField : public EntryField {
    Q_OBJECT

public:
    using EntryField::EntryField;

protected:
    char Filter(char typed) const override;
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
};

// Digits only.
class IntegerField : public EntryField {
    Q_OBJECT

public:
    using EntryField::EntryField;

protected:
    char Filter(char typed) const override;
};

} // namespace zandrevio
