#pragma once

#include <QListWidget>

namespace zandrevio {

// A list box exactly one row high: the first visible item (its top index) is
// the chosen unit. The user scrolls it with the scroll bar, the wheel or the
// arrow keys; the highlighted selection plays no part.
class UnitPicker : public QListWidget {
    Q_OBJECT

public:
    static constexpr int kRowHeight = 16;

    explicit UnitPicker(QWidget* parent = nullptr);

    void SetItems(const QStringList& items);
    int TopIndex() const;
    void SetTopIndex(int index);
};

} // namespace zandrevio
