#pragma once

#include "feeder/cable_catalogue.h"

#include <QWidget>

#include <memory>

namespace Ui {
class CablePanel;
}

namespace zandrevio {

// The Cable page: feeder loss from the catalogue, and four matching
// calculators (VSWR, corrected VSWR, loss from a short, reflection).
class CablePanel : public QWidget {
    Q_OBJECT

public:
    explicit CablePanel(QWidget* parent = nullptr);
    ~CablePanel() override;

    // Fills the cable picker with the list of the impedance chosen at start.
    void StartCables();

    void RadioGroup2Click();
    void BitBtn12Click();
    void BitBtn14Click();
    void BitBtn15Click();
    void BitBtn16Click();
    void BitBtn17Click();

private:
    void FillCables(CableImpedance impedance);

    const std::unique_ptr<Ui::CablePanel> m_ui;
};

} // namespace zandrevio
