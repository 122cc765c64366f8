#pragma once

#include <QGroupBox>

class QButtonGroup;
class QRadioButton;

namespace zandrevio {

// A framed group of radio buttons in columns; its choice is the index of the
// checked button. It signals `clicked` when the user picks another choice;
// picking the one already chosen signals nothing.
class RadioGroup : public QGroupBox {
    Q_OBJECT

public:
    explicit RadioGroup(QWidget* parent = nullptr);

    void SetItems(const QStringList& items, int columns = 1);
    int ItemIndex() const;
    void SetItemIndex(int index);
    QRadioButton* Button(int index) const;

private:
    void TabToChecked();

signals:
    void clicked();

private:
    QButtonGroup* m_buttons;
};

} // namespace zandrevio
