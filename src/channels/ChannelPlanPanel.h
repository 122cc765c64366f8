#pragma once

#include "channels/channel_plan.h"

#include <QWidget>

#include <memory>

namespace Ui {
class ChannelPlanPanel;
}

namespace zandrevio {

// The upper part of the RF page: channel number to frequencies and back.
class ChannelPlanPanel : public QWidget {
    Q_OBJECT

public:
    explicit ChannelPlanPanel(QWidget* parent = nullptr);
    ~ChannelPlanPanel() override;

    // The start value of the duplex spacing, for the standard chosen at start.
    void StartDuplexSpacing();
    long double DuplexSpacing() const { return m_duplexSpacing; }

    void RadioGroup1Click();
    void BitBtn10Click();
    void BitBtn9Click();
    void Edit11Exit();
    void Edit12Exit();
    void RadioButton1Click();
    void RadioButton2Click();

private:
    CellularStandard Standard() const;
    void ShowFrequencyError(const QString& text, bool offRaster);

    const std::unique_ptr<Ui::ChannelPlanPanel> m_ui;
    // The distance between the receive and the transmit frequency, MHz.
    long double m_duplexSpacing = 0.0L;
};

} // namespace zandrevio
