#pragma once

#include "calculation/calculation.h"

#include <QLabel>

#include <functional>

namespace zandrevio {

// A sunken label with a white ground holding the text a calculation last wrote.
// It takes the focus, its text can be selected and copied (Ctrl+C and
// Ctrl+Insert copy it whole when nothing is selected), and a screen reader
// reads it with its caption and unit, also when it changes.
class ResultLabel : public QLabel {
    Q_OBJECT

public:
    explicit ResultLabel(QWidget* parent = nullptr);

    // What the result is; the caption's label is linked to it.
    void Describe(const QString& caption, const QString& unit, QLabel* captionLabel = nullptr);
    // As its description in the core says: the result's caption and unit.
    void Describe(const ResultSpec& result, QLabel* captionLabel = nullptr)
    {
        Describe(QString::fromUtf8(result.caption.data(), static_cast<qsizetype>(result.caption.size())),
                 QString::fromUtf8(result.unit.data(), static_cast<qsizetype>(result.unit.size())), captionLabel);
    }
    // A unit that follows a choice (a picker's): asked whenever it is read.
    void FollowUnit(std::function<QString()> unit) { m_unitOf = std::move(unit); }
    QString Caption() const { return m_caption; }
    // The unit in force.
    QString Unit() const { return m_unitOf ? m_unitOf() : m_unit; }
    // "Caption: text unit", as a screen reader reads it.
    QString SpokenText() const;

    void SetTextColor(const QColor& color);
    QColor TextColor() const;
    // The font the text is shown in: the label's own, made smaller where
    // the text would not fit whole (the longest is "-1.2346E-4951").
    QFont ShownFont() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    void MakeSelectable();

    QString m_caption;
    QString m_unit;
    std::function<QString()> m_unitOf;
};

// The notes a calculation writes beside its results (a model's warnings), in
// a plain label: a screen reader reads them after the label's accessible
// name ("Warnings: ..."), and hears them when they change.
class NoteLabel : public QLabel {
    Q_OBJECT

public:
    explicit NoteLabel(QWidget* parent = nullptr);

    void SetNotes(const QStringList& notes);
    QStringList Notes() const { return m_notes; }
    // "Name: first note; second note", or the name alone without notes.
    QString SpokenText() const;
    // The font the notes are shown in: the label's own, made smaller where
    // every note would not fit in the label's lines.
    QFont ShownFont() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QStringList m_notes;
};

// A sunken caption or unit label in the button-face colour.
class CaptionLabel : public QLabel {
    Q_OBJECT

public:
    explicit CaptionLabel(QWidget* parent = nullptr);
};

} // namespace zandrevio
