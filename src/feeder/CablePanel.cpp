#include "feeder/CablePanel.h"
#include "ui_CablePanel.h"

#include "numeric/radio.h"
#include "widgets/FieldIo.h"
#include "widgets/HandlerGuard.h"
#include "widgets/ResultLabel.h"

namespace zandrevio {

CablePanel::CablePanel(QWidget* parent)
    : QWidget(parent)
    , m_ui(new Ui::CablePanel)
{
    m_ui->setupUi(this);
    m_ui->StaticText4->Describe(kCableLossResult, m_ui->StaticText3);
    m_ui->StaticText19->Describe(kVswrResult);
    m_ui->StaticText23->Describe(kAntennaVswrResult, m_ui->StaticText22);
    m_ui->StaticText27->Describe("Cable loss from short", "dB", nullptr);
    m_ui->StaticText31->Describe("Reflection", "", nullptr);
    // The return loss is in dB, the reflection coefficient a bare ratio.
    m_ui->StaticText31->FollowUnit([picker = m_ui->ListBox15] {
        return picker->TopIndex() == static_cast<int>(ReflectionOutput::ReturnLoss) ? QStringLiteral("dB") : QString();
    });
    FillChoices(*m_ui->RadioGroup2, kCableImpedances, 2);
    m_ui->RadioGroup2->SetItemIndex(static_cast<int>(CableImpedance::Ohm50));
    // The cable list is the one picker on a white ground.
    QPalette white = m_ui->ListBox9->palette();
    white.setColor(QPalette::Base, Qt::white);
    m_ui->ListBox9->setPalette(white);
    FillChoices(*m_ui->ListBox10, radio::kShortLengthUnits);
    FillChoices(*m_ui->ListBox15, kReflectionOutputs);
    m_cableFields = {
        {CableField::Impedance, m_ui->RadioGroup2}, {CableField::Cable, m_ui->ListBox9},
        {CableField::Length, m_ui->Edit14},         {CableField::LengthUnit, m_ui->ListBox10},
        {CableField::Frequency, m_ui->Edit15},
    };
    m_matchingFields = {
        {MatchingField::Forward, m_ui->Edit21},      {MatchingField::Reflected, m_ui->Edit22},
        {MatchingField::MeasuredVswr, m_ui->Edit23}, {MatchingField::FeederLoss, m_ui->Edit24},
        {MatchingField::ShortVswr, m_ui->Edit25},    {MatchingField::Vswr, m_ui->Edit26},
        {MatchingField::Output, m_ui->ListBox15},
    };

    connect(m_ui->RadioGroup2, &RadioGroup::clicked, this, Guarded([this] { RadioGroup2Click(); }));
    connect(m_ui->BitBtn12, &QPushButton::clicked, this, Guarded([this] { BitBtn12Click(); }));
    connect(m_ui->BitBtn14, &QPushButton::clicked, this, Guarded([this] { BitBtn14Click(); }));
    connect(m_ui->BitBtn15, &QPushButton::clicked, this, Guarded([this] { BitBtn15Click(); }));
    connect(m_ui->BitBtn16, &QPushButton::clicked, this, Guarded([this] { BitBtn16Click(); }));
    connect(m_ui->BitBtn17, &QPushButton::clicked, this, Guarded([this] { BitBtn17Click(); }));
}

CablePanel::~CablePanel() = default;

void CablePanel::StartCables()
{
    FillCables(CableImpedance::Ohm50);
}

void CablePanel::FillCables(CableImpedance impedance)
{
    FillChoices(*m_ui->ListBox9, CableChoices(impedance));
}

void CablePanel::RadioGroup2Click()
{
    FillCables(static_cast<CableImpedance>(m_ui->RadioGroup2->ItemIndex()));
}

void CablePanel::BitBtn12Click()
{
    const auto loss = CableLoss(m_cableFields.Read());
    if (!loss.Ok()) {
        return m_cableFields.Refuse(loss.Error());
    }
    WriteResult(*m_ui->StaticText4, kCableLossResult, loss.Value());
}

void CablePanel::BitBtn14Click()
{
    const auto vswr = VswrFromPowers(m_matchingFields.Read());
    if (!vswr.Ok()) {
        return m_matchingFields.Refuse(vswr.Error());
    }
    WriteResult(*m_ui->StaticText19, kVswrResult, vswr.Value());
}

void CablePanel::BitBtn15Click()
{
    const auto vswr = CorrectedAntennaVswr(m_matchingFields.Read());
    if (!vswr.Ok()) {
        return m_matchingFields.Refuse(vswr.Error());
    }
    WriteResult(*m_ui->StaticText23, kAntennaVswrResult, vswr.Value());
}

void CablePanel::BitBtn16Click()
{
    const auto loss = CableLossFromShortVswr(m_matchingFields.Read());
    if (!loss.Ok()) {
        return m_matchingFields.Refuse(loss.Error());
    }
    WriteResult(*m_ui->StaticText27, kShortLossResult, loss.Value());
}

void CablePanel::BitBtn17Click()
{
    const auto reflection = ReflectionFromVswr(m_matchingFields.Read());
    if (!reflection.Ok()) {
        return m_matchingFields.Refuse(reflection.Error());
    }
    WriteResult(*m_ui->StaticText31, kReflectionResult, reflection.Value());
}

} // namespace zandrevio
