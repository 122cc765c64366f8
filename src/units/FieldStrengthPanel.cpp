#include "units/FieldStrengthPanel.h"
#include "ui_FieldStrengthPanel.h"

#include "widgets/FieldIo.h"
#include "widgets/HandlerGuard.h"
#include "widgets/ResultLabel.h"

namespace zandrevio {

FieldStrengthPanel::FieldStrengthPanel(QWidget* parent)
    : QWidget(parent)
    , m_ui(new Ui::FieldStrengthPanel)
{
    m_ui->setupUi(this);
    m_ui->StaticText36->Describe("Field strength", "", nullptr);
    m_ui->StaticText36->FollowUnit([picker = m_ui->ListBox2] { return picker->ShownText(); });
    FillChoices(*m_ui->ListBox1, kFieldStrengthUnits);
    FillChoices(*m_ui->ListBox2, kFieldStrengthUnits);
    FillChoices(*m_ui->Imp, kFieldImpedances, 4);
    m_ui->Imp->SetItemIndex(StartIndex(kFieldStrengthConversion, FieldStrengthField::Impedance));
    m_fields = {
        {FieldStrengthField::Value, m_ui->Edit3},   {FieldStrengthField::Frequency, m_ui->SpinEdit2},
        {FieldStrengthField::Impedance, m_ui->Imp}, {FieldStrengthField::From, m_ui->ListBox1},
        {FieldStrengthField::To, m_ui->ListBox2},
    };

    connect(m_ui->BitBtn4, &QPushButton::clicked, this, Guarded([this] { BitBtn4Click(); }));
    connect(m_ui->Button1, &QPushButton::clicked, this, Guarded([this] { Button1Click(); }));
    connect(m_ui->SpinEdit2, &SpinField::exited, this, Guarded([this] { SpinEdit2Exit(); }));
}

FieldStrengthPanel::~FieldStrengthPanel() = default;

void FieldStrengthPanel::StartPickers()
{
    m_ui->ListBox2->SetTopIndex(StartIndex(kFieldStrengthConversion, FieldStrengthField::To));
}

void FieldStrengthPanel::BitBtn4Click()
{
    const auto converted = ConvertFieldStrengthUnit(m_fields.Read());
    if (!converted.Ok()) {
        return m_fields.Refuse(converted.Error());
    }
    WriteResult(*m_ui->StaticText36, kFieldStrengthResult, converted.Value());
}

void FieldStrengthPanel::Button1Click()
{
    m_ui->Edit3->setText(ToQString(ToggleSign(TextOf(*m_ui->Edit3))));
}

void FieldStrengthPanel::SpinEdit2Exit()
{
    m_ui->SpinEdit2->SetValue(PositiveFrequency(m_ui->SpinEdit2->Value()));
}

} // namespace zandrevio
