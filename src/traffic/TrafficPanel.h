#pragma once

#include "traffic/fcn_numb.h"
#include "traffic/traffic_calculations.h"
#include "widgets/FieldTable.h"

#include <QWidget>

#include <memory>

namespace Ui {
class TrafficPanel;
}

namespace zandrevio {

// The Traffic page: channels, traffic and GOS as a three-way calculator
// under the chosen model, and subscribers against traffic.
class TrafficPanel : public QWidget {
    Q_OBJECT

public:
    explicit TrafficPanel(QWidget* parent = nullptr);
    ~TrafficPanel() override;

    // The GOS field's start text, written once the window is built.
    void StartGos();

    // The channels that carry the traffic below the GOS.
    void BitBtn1Click();
    // The traffic the channels carry at the GOS.
    void BitBtn2Click();
    // The GOS of the channels at the traffic.
    void BitBtn3Click();
    // The traffic of the subscribers.
    void BitBtn18Click();
    // The subscribers of the traffic.
    void BitBtn11Click();

private:
    const std::unique_ptr<Ui::TrafficPanel> m_ui;
    FieldTable<TrafficField> m_fields;
};

} // namespace zandrevio
