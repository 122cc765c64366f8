#include "antenna/IsolationPanel.h"
#include "ui_IsolationPanel.h"

#include "numeric/radio.h"
#include "widgets/FieldIo.h"
#include "widgets/HandlerGuard.h"
#include "widgets/ResultLabel.h"

namespace zandrevio {

IsolationPanel::IsolationPanel(QWidget* parent)
    : QWidget(parent)
    , m_ui(new Ui::IsolationPanel)
{
    m_ui->setupUi(this);
    m_ui->StaticText41->Describe(kIsolationResult);
    FillChoices(*m_ui->ListBox12, radio::kShortLengthUnits);
    FillChoices(*m_ui->ListBox14, radio::kGainUnits);
    FillChoices(*m_ui->ListBox13, radio::kGainUnits);
    FillChoices(*m_ui->RadioGroup3, kSeparations, 1);
    m_ui->RadioGroup3->SetItemIndex(static_cast<int>(SeparationKind::Horizontal));
    m_fields = {
        {IsolationField::Spacing, m_ui->Edit17},      {IsolationField::SpacingUnit, m_ui->ListBox12},
        {IsolationField::Frequency, m_ui->Edit16},    {IsolationField::Gain1, m_ui->Edit19},
        {IsolationField::Gain1Unit, m_ui->ListBox14}, {IsolationField::Gain2, m_ui->Edit18},
        {IsolationField::Gain2Unit, m_ui->ListBox13}, {IsolationField::Separation, m_ui->RadioGroup3},
    };

    connect(m_ui->BitBtn13, &QPushButton::clicked, this, Guarded([this] { BitBtn13Click(); }));
    connect(m_ui->RadioGroup3, &RadioGroup::clicked, this, Guarded([this] { RadioGroup3Click(); }));
}

IsolationPanel::~IsolationPanel() = default;

void IsolationPanel::BitBtn13Click()
{
    const auto isolation = AntennaIsolation(m_fields.Read());
    if (!isolation.Ok()) {
        return m_fields.Refuse(isolation.Error());
    }
    WriteResult(*m_ui->StaticText41, kIsolationResult, isolation.Value());
}

void IsolationPanel::RadioGroup3Click()
{
    // Vertical separation hides only the two gain fields.
    const bool horizontal = m_ui->RadioGroup3->ItemIndex() != static_cast<int>(SeparationKind::Vertical);
    m_ui->Edit19->setVisible(horizontal);
    m_ui->Edit18->setVisible(horizontal);
}

} // namespace zandrevio
