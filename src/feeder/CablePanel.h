#pragma once

#include "feeder/cable_catalogue.h"
#include "feeder/matching.h"
#include "widgets/FieldTable.h"

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

    // The cable list of the chosen impedance.
    void RadioGroup2Click();
    // The loss of the length of cable at the frequency.
    void BitBtn12Click();
    // The VSWR of the forward and reflected power.
    void BitBtn14Click();
    // The antenna's VSWR behind the feeder loss.
    void BitBtn15Click();
    // The cable loss from the VSWR of the shorted cable.
    void BitBtn16Click();
    // The reflection coefficient or return loss of the VSWR.
    void BitBtn17Click();

private:
    void FillCables(CableImpedance impedance);

    const std::unique_ptr<Ui::CablePanel> m_ui;
    FieldTable<CableField> m_cableFields;
    FieldTable<MatchingField> m_matchingFields;
};

} // namespace zandrevio
