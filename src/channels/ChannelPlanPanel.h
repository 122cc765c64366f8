#pragma once

#include "channels/channel_plan.h"
#include "widgets/FieldTable.h"

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

    // The chosen standard's spacings and start frequencies.
    void RadioGroup1Click();
    // The receive and transmit frequency of the channel.
    void BitBtn10Click();
    // The channel of the receive frequency, and its frequency error.
    void BitBtn9Click();
    // The transmit frequency from the receive frequency, and back.
    void Edit11Exit();
    void Edit12Exit();
    // The mode: which of the two frequency fields is typed into.
    void RadioButton1Click();
    void RadioButton2Click();

private:
    CellularStandard Standard() const;
    void ShowFrequencyError(const QString& text, bool offRaster);

    const std::unique_ptr<Ui::ChannelPlanPanel> m_ui;
    FieldTable<ChannelField> m_fields;
    // The distance between the receive and the transmit frequency, MHz.
    long double m_duplexSpacing = 0.0L;
};

} // namespace zandrevio
