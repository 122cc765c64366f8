#include "channels/BandPlanPanel.h"
#include "ui_BandPlanPanel.h"

#include "widgets/Feedback.h"
#include "widgets/FieldIo.h"
#include "widgets/HandlerGuard.h"
#include "widgets/ResultLabel.h"

namespace zandrevio {

BandPlanPanel::BandPlanPanel(QWidget* parent)
    : QWidget(parent)
    , m_ui(new Ui::BandPlanPanel)
{
    m_ui->setupUi(this);
    m_ui->StaticText77->Describe(kBandName, m_ui->StaticText103);
    m_ui->StaticText78->Describe(kBandFrequencyError, m_ui->StaticText104);
    m_ui->StaticText79->Describe(kBandList, m_ui->StaticText106);
    FillChoices(*m_ui->ListBox21, BandStandardChoices());
    m_ui->ListBox21->SetTopIndex(StartIndex(kBandChannelToFrequencies, BandField::Standard));
    FillChoices(*m_ui->RadioGroup6, kLinkDirections, 1);
    m_ui->RadioGroup6->SetItemIndex(StartIndex(kBandFrequencyToChannel, BandField::Direction));
    // The frequency to channel reads the field of the direction chosen.
    m_uplinkFields = {{BandField::Standard, m_ui->ListBox21},
                      {BandField::Channel, m_ui->SpinEdit5},
                      {BandField::Direction, m_ui->RadioGroup6},
                      {BandField::Frequency, m_ui->Edit46}};
    m_downlinkFields = {{BandField::Standard, m_ui->ListBox21},
                        {BandField::Channel, m_ui->SpinEdit5},
                        {BandField::Direction, m_ui->RadioGroup6},
                        {BandField::Frequency, m_ui->Edit47}};
    connect(m_ui->BitBtn22, &QPushButton::clicked, this, Guarded([this] { BitBtn22Click(); }));
    connect(m_ui->BitBtn23, &QPushButton::clicked, this, Guarded([this] { BitBtn23Click(); }));
}

BandPlanPanel::~BandPlanPanel() = default;

void BandPlanPanel::ShowFrequencyError(long double errorHz, bool offRaster)
{
    m_ui->StaticText78->SetTextColor(offRaster ? Qt::red : Qt::black);
    m_ui->StaticText78->setText(ToQString(FormatResult(errorHz)));
}

void BandPlanPanel::BitBtn22Click()
{
    const auto found = BandChannelToFrequencies(m_downlinkFields.Read());
    if (!found.Ok()) {
        return m_downlinkFields.Refuse(found.Error());
    }
    const BandChannel& first = found.Value().front();
    m_ui->Edit46->setText(first.hasUplink ? ToQString(FormatFull(first.uplinkMHz)) : QString());
    m_ui->Edit47->setText(first.hasDownlink ? ToQString(FormatFull(first.downlinkMHz)) : QString());
    m_ui->StaticText77->setText(ToQString(first.band));
    m_ui->StaticText79->setText(ToQString(BandList(found.Value(), false)));
    ShowFrequencyError(0.0L, false);
    if (!first.warning.empty()) {
        ShowError(ToQString(first.warning)); // on the raster, but no band holds it
    }
}

void BandPlanPanel::BitBtn23Click()
{
    const bool uplink = m_ui->RadioGroup6->ItemIndex() == static_cast<int>(LinkDirection::Uplink);
    const FieldTable<BandField>& fields = uplink ? m_uplinkFields : m_downlinkFields;
    const auto found = BandFrequencyToChannel(fields.Read());
    if (!found.Ok()) {
        return fields.Refuse(found.Error());
    }
    const BandChannel& first = found.Value().front();
    m_ui->SpinEdit5->SetValue(static_cast<std::int32_t>(first.channel));
    // The other direction's frequency of the channel, or none where the band has no such direction.
    if (uplink) {
        m_ui->Edit47->setText(first.hasDownlink ? ToQString(FormatFull(first.downlinkMHz)) : QString());
    } else {
        m_ui->Edit46->setText(first.hasUplink ? ToQString(FormatFull(first.uplinkMHz)) : QString());
    }
    m_ui->StaticText77->setText(ToQString(first.band));
    m_ui->StaticText79->setText(ToQString(BandList(found.Value(), true)));
    if (first.offRaster) {
        Beep();
        ShowError("Note the frequency error !");
    }
    ShowFrequencyError(static_cast<long double>(first.errorHz), first.offRaster);
}

} // namespace zandrevio
