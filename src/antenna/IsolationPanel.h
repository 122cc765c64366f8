#pragma once

#include "antenna/isolation.h"
#include "widgets/FieldTable.h"

#include <QWidget>

#include <memory>

namespace Ui {
class IsolationPanel;
}

namespace zandrevio {

// The upper group of the Antenna page: isolation between two antennas.
class IsolationPanel : public QWidget {
    Q_OBJECT

public:
    explicit IsolationPanel(QWidget* parent = nullptr);
    ~IsolationPanel() override;

    // The isolation of the two antennas.
    void BitBtn13Click();
    // Vertical separation hides the gains.
    void RadioGroup3Click();

private:
    const std::unique_ptr<Ui::IsolationPanel> m_ui;
    FieldTable<IsolationField> m_fields;
};

} // namespace zandrevio
