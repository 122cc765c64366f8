#pragma once

#include "traffic/fcn_numb.h"

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

    void BitBtn1Click();
    void BitBtn2Click();
    void BitBtn3Click();
    void BitBtn18Click();
    void BitBtn11Click();

private:
    TrafficModel Model() const;

    const std::unique_ptr<Ui::TrafficPanel> m_ui;
};

} // namespace zandrevio
