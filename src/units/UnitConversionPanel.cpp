#include "units/UnitConversionPanel.h"
#include "ui_UnitConversionPanel.h"

#include "numeric/format.h"
#include "units/unit_tables.h"
#include "widgets/FieldIo.h"
#include "widgets/HandlerGuard.h"

namespace zandrevio {

namespace {
// Reads the value, then the source and the target picker, converts and
// writes the result label.
void Convert(double (*convert)(long double, int, int), const QLineEdit& value, const UnitPicker& source,
             const UnitPicker& target, QLabel& result)
{
    const long double x = ReadReal(value);
    const int from = source.TopIndex();
    const int to = target.TopIndex();
    result.setText(ToQString(FormatResult(convert(x, from, to))));
}
} // namespace

UnitConversionPanel::UnitConversionPanel(QWidget* parent)
    : QWidget(parent)
    , m_ui(new Ui::UnitConversionPanel)
{
    m_ui->setupUi(this);
    // The milli-Erlang reads "mE" on the source side and "mErl" on the target side.
    m_ui->ListBox4->SetItems({"Erl", "mE", "CCS", "EBHC", "UC"});
    m_ui->ListBox3->SetItems({"Erl", "mErl", "CCS", "EBHC", "UC"});
    const QStringList lengths = {"m", "km", "cm", "mm", "inch", "ft", "mile", "yd"};
    m_ui->ListBox5->SetItems(lengths);
    m_ui->ListBox7->SetItems(lengths);
    const QStringList weights = {"g", "kg", "mg", "oz", "lb"};
    m_ui->ListBox6->SetItems(weights);
    m_ui->ListBox8->SetItems(weights);

    connect(m_ui->BitBtn6, &QPushButton::clicked, this, Guarded([this] { BitBtn6Click(); }));
    connect(m_ui->BitBtn7, &QPushButton::clicked, this, Guarded([this] { BitBtn7Click(); }));
    connect(m_ui->BitBtn8, &QPushButton::clicked, this, Guarded([this] { BitBtn8Click(); }));
}

UnitConversionPanel::~UnitConversionPanel() = default;

void UnitConversionPanel::StartPickers()
{
    m_ui->ListBox3->SetTopIndex(2);
    m_ui->ListBox5->SetTopIndex(4);
    m_ui->ListBox7->SetTopIndex(3);
    m_ui->ListBox6->SetTopIndex(4);
}

void UnitConversionPanel::BitBtn6Click()
{
    Convert(ConvertTrafficUnit, *m_ui->Edit5, *m_ui->ListBox4, *m_ui->ListBox3, *m_ui->StaticText37);
}

void UnitConversionPanel::BitBtn7Click()
{
    Convert(ConvertLengthUnit, *m_ui->Edit7, *m_ui->ListBox5, *m_ui->ListBox7, *m_ui->StaticText38);
}

void UnitConversionPanel::BitBtn8Click()
{
    Convert(ConvertWeightUnit, *m_ui->Edit8, *m_ui->ListBox6, *m_ui->ListBox8, *m_ui->StaticText39);
}

} // namespace zandrevio
