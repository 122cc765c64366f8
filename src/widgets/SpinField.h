#pragma once

#include <QLineEdit>
#include <QWidget>

#include <cstdint>

class QToolButton;

namespace zandrevio {

class SpinEditor;

// A whole-number field with up and down step buttons, unbounded. Its value
// never fails to read: a text that is no whole number reads as 0.
class SpinField : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QString text READ text WRITE setText)

public:
    explicit SpinField(QWidget* parent = nullptr);

    QString text() const;
    void setText(const QString& text);
    std::int32_t Value() const;
    void SetValue(std::int32_t value);
    // Adds delta to the value and writes it back as a plain integer.
    void Step(int delta);
    void SelectAndFocus();
    QLineEdit* Editor() const;
    QToolButton* UpButton() const { return m_up; }
    QToolButton* DownButton() const { return m_down; }

    // Screen readers meet the text part, which takes the focus: it gets the
    // name and the description given to each spin field under `root`.
    static void ShareAccessibleNames(QWidget& root);

signals:
    void exited();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    SpinEditor* m_editor;
    QToolButton* m_up;
    QToolButton* m_down;
};

// The text part of a spin field: refuses with a beep what a whole number
// cannot hold, steps on the arrow keys.
class SpinEditor : public QLineEdit {
    Q_OBJECT

public:
    explicit SpinEditor(SpinField* field);

signals:
    void exited();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    SpinField* m_field;
};

} // namespace zandrevio
