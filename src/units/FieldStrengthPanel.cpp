#include "units/FieldStrengthPanel.h"
#include "ui_FieldStrengthPanel.h"

#include "numeric/format.h"
#include "units/field_strength.h"
#include "widgets/FieldIo.h"
#include "widgets/HandlerGuard.h"

namespace zandrevio {

FieldStrengthPanel::FieldStrengthPanel(QWidget* parent)
    : QWidget(parent)
    , m_ui(new Ui::FieldStrengthPanel)
{
    m_ui->setupUi(this);
    const QStringList units = {"W", "mW", "uV", "uV/m", "dBm", "dBuV", "dBuV/m"};
    m_ui->ListBox1->SetItems(units);
    m_ui->ListBox2->SetItems(units);
    m_ui->Imp->SetItems({"50", "75", "220", "300"}, 4);
    m_ui->Imp->SetItemIndex(0);

    connect(m_ui->BitBtn4, &QPushButton::clicked, this, Guarded([this] { BitBtn4Click(); }));
    connect(m_ui->Button1, &QPushButton::clicked, this, Guarded([this] { Button1Click(); }));
    connect(m_ui->SpinEdit2, &SpinField::exited, this, Guarded([this] { SpinEdit2Exit(); }));
}

FieldStrengthPanel::~FieldStrengthPanel() = default;

void FieldStrengthPanel::StartPickers()
{
    m_ui->ListBox2->SetTopIndex(static_cast<int>(FieldStrengthUnit::DBm));
}

void FieldStrengthPanel::BitBtn4Click()
{
    const long double value = ReadReal(*m_ui->Edit3);
    const double frequency = m_ui->SpinEdit2->Value();
    const double impedance = ImpedanceOhm(m_ui->Imp->ItemIndex());
    const auto converted =
        ConvertFieldStrengthUnit(value, static_cast<FieldStrengthUnit>(m_ui->ListBox1->TopIndex()),
                                 static_cast<FieldStrengthUnit>(m_ui->ListBox2->TopIndex()), impedance, frequency);
    if (!converted.Ok()) {
        Refuse(converted.Error().message, *m_ui->Edit3);
        return;
    }
    m_ui->StaticText36->setText(ToQString(FormatResult(converted.Value())));
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
