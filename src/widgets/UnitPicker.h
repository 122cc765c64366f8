#pragma once

#include <QListWidget>

namespace zandrevio {

// A list box exactly one row high: the first visible item (its top index) is
// the chosen unit. The user scrolls it with the scroll bar, the wheel or the
// arrow keys; the highlighted selection plays no part. The unit shown is
// also the current item, the one a screen reader reads and the focus mark
// frames.
class UnitPicker : public QListWidget {
    Q_OBJECT

public:
    static constexpr int kRowHeight = 16;

    explicit UnitPicker(QWidget* parent = nullptr);

    void SetItems(const QStringList& items);
    int TopIndex() const;
    void SetTopIndex(int index);
    // The text of the unit shown.
    QString ShownText() const;

protected:
    // The arrow, page and Home/End keys step from the unit shown.
    void keyPressEvent(QKeyEvent* event) override;
    // The unit shown is the current item while the picker has the focus, and
    // none is without it: a screen reader hears one focus at a time.
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    // A dotted black frame marks the focus (11:1 on the silver ground).
    void paintEvent(QPaintEvent* event) override;
};

} // namespace zandrevio
