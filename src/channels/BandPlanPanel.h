#pragma once

#include "channels/band_plans.h"
#include "widgets/FieldTable.h"

#include <QWidget>

#include <memory>

namespace Ui {
class BandPlanPanel;
}

namespace zandrevio {

// The lower part of the Planning page: today's band plans, channel to
// uplink and downlink frequency and back.
class BandPlanPanel : public QWidget {
    Q_OBJECT

public:
    explicit BandPlanPanel(QWidget* parent = nullptr);
    ~BandPlanPanel() override;

    // The uplink and downlink frequency of the channel in every band that has it.
    void BitBtn22Click();
    // The channel of the uplink or downlink frequency, with its error.
    void BitBtn23Click();

private:
    void ShowFrequencyError(long double errorHz, bool offRaster);

    const std::unique_ptr<Ui::BandPlanPanel> m_ui;
    FieldTable<BandField> m_uplinkFields;
    FieldTable<BandField> m_downlinkFields;
};

} // namespace zandrevio
