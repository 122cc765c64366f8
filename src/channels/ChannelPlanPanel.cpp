#include "channels/ChannelPlanPanel.h"
#include "ui_ChannelPlanPanel.h"

#include "numeric/format.h"
#include "widgets/Feedback.h"
#include "widgets/FieldIo.h"
#include "widgets/HandlerGuard.h"
#include "widgets/ResultLabel.h"

namespace zandrevio {

ChannelPlanPanel::ChannelPlanPanel(QWidget* parent)
    : QWidget(parent)
    , m_ui(new Ui::ChannelPlanPanel)
{
    m_ui->setupUi(this);
    // The caption of the BS RX / BS TX choice.
    m_ui->Label7->setBuddy(m_ui->RadioButton1);
    m_ui->StaticText68->Describe(kFrequencyError, m_ui->Label18);
    m_ui->StaticText69->Describe("Duplex", "MHz", m_ui->Label8);
    m_ui->StaticText70->Describe("Channel Spacing", "kHz", m_ui->Label29);
    FillChoices(*m_ui->RadioGroup1, kCellularStandards, 3);
    m_ui->RadioGroup1->SetItemIndex(static_cast<int>(CellularStandard::Amps));
    m_fields = {
        {ChannelField::Standard, m_ui->RadioGroup1},
        {ChannelField::Channel, m_ui->SpinEdit3},
        {ChannelField::Side, m_ui->RadioButton1,
         [this] {
             return static_cast<long double>(m_ui->RadioButton2->isChecked() ? DuplexSide::BsTransmit
                                                                             : DuplexSide::BsReceive);
         }},
        {ChannelField::Receive, m_ui->Edit11},
        {ChannelField::Transmit, m_ui->Edit12},
    };

    connect(m_ui->RadioGroup1, &RadioGroup::clicked, this, Guarded([this] { RadioGroup1Click(); }));
    connect(m_ui->BitBtn10, &QPushButton::clicked, this, Guarded([this] { BitBtn10Click(); }));
    connect(m_ui->BitBtn9, &QPushButton::clicked, this, Guarded([this] { BitBtn9Click(); }));
    connect(m_ui->Edit11, &EntryField::exited, this, Guarded([this] { Edit11Exit(); }));
    connect(m_ui->Edit12, &EntryField::exited, this, Guarded([this] { Edit12Exit(); }));
    OnChecked(m_ui->RadioButton1, this, [this] { RadioButton1Click(); });
    OnChecked(m_ui->RadioButton2, this, [this] { RadioButton2Click(); });
}

ChannelPlanPanel::~ChannelPlanPanel() = default;

void ChannelPlanPanel::StartDuplexSpacing()
{
    m_duplexSpacing = PlanOf(CellularStandard::Amps).duplexSpacing;
}

CellularStandard ChannelPlanPanel::Standard() const
{
    return static_cast<CellularStandard>(m_ui->RadioGroup1->ItemIndex());
}

void ChannelPlanPanel::ShowFrequencyError(const QString& text, bool offRaster)
{
    m_ui->StaticText68->SetTextColor(offRaster ? Qt::red : Qt::black);
    m_ui->StaticText68->setText(text);
}

void ChannelPlanPanel::RadioGroup1Click()
{
    const StandardPlan& plan = PlanOf(Standard());
    m_ui->StaticText69->setText(plan.duplexText);
    m_ui->StaticText70->setText(plan.channelSpacingText);
    m_ui->SpinEdit3->SetValue(1);
    m_ui->Edit11->setText(ToQString(FormatFull(plan.startReceive)));
    m_ui->Edit12->setText(ToQString(FormatFull(plan.startTransmit)));
    m_duplexSpacing = plan.duplexSpacing;
    ShowFrequencyError("0", false);
}

void ChannelPlanPanel::BitBtn10Click()
{
    const auto frequencies = ChannelToFrequencies(m_fields.Read());
    if (!frequencies.Ok()) {
        return m_fields.Refuse(frequencies.Error());
    }
    const ResultFormat format = PlanOf(Standard()).frequencyFormat;
    m_ui->Edit11->setText(ToQString(FormatAs(format, frequencies.Value().receive)));
    m_ui->Edit12->setText(ToQString(FormatAs(format, frequencies.Value().transmit)));
    ShowFrequencyError("0", false);
}

void ChannelPlanPanel::BitBtn9Click()
{
    const auto found = FrequencyToChannel(m_fields.Read());
    if (!found.Ok()) {
        return m_fields.Refuse(found.Error());
    }
    const ChannelAtFrequency& channel = found.Value();
    m_ui->SpinEdit3->SetValue(channel.channel);
    if (channel.offRaster) {
        Beep();
        ShowError("Note the frequency error !");
    }
    const ResultFormat format = PlanOf(Standard()).errorFormat;
    ShowFrequencyError(ToQString(FormatAs(format, static_cast<long double>(channel.errorHz))), channel.offRaster);
}

void ChannelPlanPanel::Edit11Exit()
{
    m_ui->Edit12->setText(ToQString(FormatFull(TransmitFromReceive(ReadReal(*m_ui->Edit11), m_duplexSpacing))));
}

void ChannelPlanPanel::Edit12Exit()
{
    m_ui->Edit11->setText(ToQString(FormatFull(ReceiveFromTransmit(ReadReal(*m_ui->Edit12), m_duplexSpacing))));
}

void ChannelPlanPanel::RadioButton1Click()
{
    m_ui->Edit12->setEnabled(false);
    m_ui->Edit11->setEnabled(true);
}

void ChannelPlanPanel::RadioButton2Click()
{
    m_ui->Edit11->setEnabled(false);
    m_ui->Edit12->setEnabled(true);
}

} // namespace zandrevio
