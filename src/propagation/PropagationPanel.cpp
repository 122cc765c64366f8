#include "propagation/PropagationPanel.h"
#include "ui_PropagationPanel.h"

#include "numeric/radio.h"
#include "widgets/FieldIo.h"
#include "widgets/HandlerGuard.h"
#include "widgets/ResultLabel.h"

namespace zandrevio {

PropagationPanel::PropagationPanel(QWidget* parent)
    : QWidget(parent)
    , m_ui(new Ui::PropagationPanel)
{
    m_ui->setupUi(this);
    m_ui->StaticText55->Describe(kLinkLoss, m_ui->StaticText56);
    m_ui->StaticText58->Describe(kLinkReceivedPower, m_ui->StaticText53);
    for (auto* gain : {m_ui->ListBox17, m_ui->ListBox18}) {
        FillChoices(*gain, radio::kGainUnits);
    }
    for (auto* height : {m_ui->ListBox11, m_ui->ListBox16}) {
        FillChoices(*height, radio::kShortLengthUnits);
    }
    FillChoices(*m_ui->ListBox19, kDistanceUnits);
    FillChoices(*m_ui->RadioGroup4, kHataAreas, 2);
    m_ui->RadioGroup4->SetItemIndex(static_cast<int>(HataArea::MediumCity));
    m_fields = {
        {LinkField::Model, m_ui->GroupBox11, [this] { return static_cast<long double>(Model()); }},
        {LinkField::Area, m_ui->RadioGroup4},
        {LinkField::Power, m_ui->Edit29},
        {LinkField::BsGain, m_ui->Edit4},
        {LinkField::BsGainUnit, m_ui->ListBox17},
        {LinkField::MsGain, m_ui->Edit10},
        {LinkField::MsGainUnit, m_ui->ListBox18},
        {LinkField::Distance, m_ui->Edit20},
        {LinkField::DistanceUnit, m_ui->ListBox19},
        {LinkField::Frequency, m_ui->Edit30},
        {LinkField::BsHeight, m_ui->Edit6},
        {LinkField::BsHeightUnit, m_ui->ListBox11},
        {LinkField::MsHeight, m_ui->Edit9},
        {LinkField::MsHeightUnit, m_ui->ListBox16},
    };

    connect(m_ui->BitBtn19, &QPushButton::clicked, this, Guarded([this] { BitBtn19Click(); }));
    OnChecked(m_ui->RadioButton3, this, [this] { RadioButton3Click(); });
    OnChecked(m_ui->RadioButton4, this, [this] { RadioButton4Click(); });
    OnChecked(m_ui->RadioButton5, this, [this] { RadioButton5Click(); });
}

PropagationPanel::~PropagationPanel() = default;

void PropagationPanel::StartArea()
{
    m_ui->RadioGroup4->setEnabled(false);
}

PropagationModel PropagationPanel::Model() const
{
    if (m_ui->RadioButton5->isChecked()) {
        return PropagationModel::Hata;
    }
    return m_ui->RadioButton4->isChecked() ? PropagationModel::TwoWave : PropagationModel::FreeSpace;
}

void PropagationPanel::BitBtn19Click()
{
    const auto budget = LinkBudget(m_fields.Read());
    if (!budget.Ok()) {
        return m_fields.Refuse(budget.Error());
    }
    WriteResults({{*m_ui->StaticText55, kLinkLoss, budget.Value().lossDb},
                  {*m_ui->StaticText58, kLinkReceivedPower, budget.Value().receivedPowerDbm}});
}

void PropagationPanel::RadioButton3Click()
{
    m_ui->RadioGroup4->setEnabled(false);
}

void PropagationPanel::RadioButton4Click()
{
    m_ui->RadioGroup4->setEnabled(false);
}

void PropagationPanel::RadioButton5Click()
{
    m_ui->RadioGroup4->setEnabled(true);
}

} // namespace zandrevio
