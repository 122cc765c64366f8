#include "channels/ChannelPlanPanel.h"
#include "ui_ChannelPlanPanel.h"

#include "numeric/format.h"
#include "widgets/Feedback.h"
#include "widgets/FieldIo.h"
#include "widgets/HandlerGuard.h"

namespace zandrevio {

ChannelPlanPanel::ChannelPlanPanel(QWidget* parent)
    : QWidget(parent)
    , m_ui(new Ui::ChannelPlanPanel)
{
    m_ui->setupUi(this);
    m_ui->RadioGroup1->SetItems({"GSM", "AMPS", "NMT"}, 3);
    m_ui->RadioGroup1->SetItemIndex(static_cast<int>(CellularStandard::Amps));

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
    const CellularStandard standard = Standard();
    const auto frequencies = ChannelToFrequencies(standard, m_ui->SpinEdit3->Value());
    if (!frequencies.Ok()) {
        Refuse(frequencies.Error().message, *m_ui->SpinEdit3);
        return;
    }
    const NumberFormatter format = PlanOf(standard).frequencyFormat;
    m_ui->Edit11->setText(ToQString(format(frequencies.Value().receive)));
    m_ui->Edit12->setText(ToQString(format(frequencies.Value().transmit)));
    ShowFrequencyError("0", false);
}

void ChannelPlanPanel::BitBtn9Click()
{
    const CellularStandard standard = Standard();
    // The receive field is the source in either mode: in "BS TX" mode the
    // transmit field's exit has already written it.
    const auto found = FrequencyToChannel(standard, ReadReal(*m_ui->Edit11));
    if (!found.Ok()) {
        Refuse(found.Error().message, m_ui->RadioButton1->isChecked() ? *m_ui->Edit11 : *m_ui->Edit12);
        return;
    }
    const ChannelAtFrequency& channel = found.Value();
    m_ui->SpinEdit3->SetValue(channel.channel);
    if (channel.offRaster) {
        Beep();
        ShowError("Note the frequency error !");
    }
    ShowFrequencyError(ToQString(PlanOf(standard).errorFormat(static_cast<long double>(channel.errorHz))),
                       channel.offRaster);
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
