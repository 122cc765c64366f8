#include "units/UnitConversionPanel.h"
#include "ui_UnitConversionPanel.h"

#include "widgets/FieldIo.h"
#include "widgets/HandlerGuard.h"
#include "widgets/ResultLabel.h"

namespace zandrevio {

UnitConversionPanel::UnitConversionPanel(QWidget* parent)
    : QWidget(parent)
    , m_ui(new Ui::UnitConversionPanel)
{
    m_ui->setupUi(this);
    m_ui->StaticText37->Describe("Traffic", "", nullptr);
    m_ui->StaticText38->Describe("Length", "", nullptr);
    m_ui->StaticText39->Describe("Weight", "", nullptr);
    // Each result is in the unit its target picker shows.
    m_ui->StaticText37->FollowUnit([picker = m_ui->ListBox3] { return picker->ShownText(); });
    m_ui->StaticText38->FollowUnit([picker = m_ui->ListBox7] { return picker->ShownText(); });
    m_ui->StaticText39->FollowUnit([picker = m_ui->ListBox8] { return picker->ShownText(); });
    FillChoices(*m_ui->ListBox4, TrafficUnitsFrom());
    FillChoices(*m_ui->ListBox3, TrafficUnitsTo());
    FillChoices(*m_ui->ListBox5, LengthUnits());
    FillChoices(*m_ui->ListBox7, LengthUnits());
    FillChoices(*m_ui->ListBox6, WeightUnits());
    FillChoices(*m_ui->ListBox8, WeightUnits());
    m_traffic = {{UnitField::Value, m_ui->Edit5}, {UnitField::From, m_ui->ListBox4}, {UnitField::To, m_ui->ListBox3}};
    m_length = {{UnitField::Value, m_ui->Edit7}, {UnitField::From, m_ui->ListBox5}, {UnitField::To, m_ui->ListBox7}};
    m_weight = {{UnitField::Value, m_ui->Edit8}, {UnitField::From, m_ui->ListBox6}, {UnitField::To, m_ui->ListBox8}};

    connect(m_ui->BitBtn6, &QPushButton::clicked, this, Guarded([this] { BitBtn6Click(); }));
    connect(m_ui->BitBtn7, &QPushButton::clicked, this, Guarded([this] { BitBtn7Click(); }));
    connect(m_ui->BitBtn8, &QPushButton::clicked, this, Guarded([this] { BitBtn8Click(); }));
}

UnitConversionPanel::~UnitConversionPanel() = default;

void UnitConversionPanel::StartPickers()
{
    m_ui->ListBox3->SetTopIndex(StartIndex(kTrafficUnitConversion, UnitField::To));
    m_ui->ListBox5->SetTopIndex(StartIndex(kLengthUnitConversion, UnitField::From));
    m_ui->ListBox7->SetTopIndex(StartIndex(kLengthUnitConversion, UnitField::To));
    m_ui->ListBox6->SetTopIndex(StartIndex(kWeightUnitConversion, UnitField::From));
}

void UnitConversionPanel::BitBtn6Click()
{
    WriteResult(*m_ui->StaticText37, kConvertedValue, ConvertTrafficUnit(m_traffic.Read()));
}

void UnitConversionPanel::BitBtn7Click()
{
    WriteResult(*m_ui->StaticText38, kConvertedValue, ConvertLengthUnit(m_length.Read()));
}

void UnitConversionPanel::BitBtn8Click()
{
    WriteResult(*m_ui->StaticText39, kConvertedValue, ConvertWeightUnit(m_weight.Read()));
}

} // namespace zandrevio
