#include "propagation/PropagationPanel.h"
#include "ui_PropagationPanel.h"

#include "numeric/format.h"
#include "widgets/FieldIo.h"
#include "widgets/HandlerGuard.h"

namespace zandrevio {

PropagationPanel::PropagationPanel(QWidget* parent)
    : QWidget(parent)
    , m_ui(new Ui::PropagationPanel)
{
    m_ui->setupUi(this);
    for (auto* gain : {m_ui->ListBox17, m_ui->ListBox18}) {
        gain->SetItems({"dBd", "dBi"});
    }
    for (auto* height : {m_ui->ListBox11, m_ui->ListBox16}) {
        height->SetItems({"m", "ft"});
    }
    m_ui->ListBox19->SetItems({"km", "miles"});
    m_ui->RadioGroup4->SetItems({"Medium City", "Large City", "Suburban area", "Open area"}, 2);
    m_ui->RadioGroup4->SetItemIndex(static_cast<int>(HataArea::MediumCity));

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
    LinkBudgetReaders read;
    read.transmitterPowerW = [this] { return ReadReal(*m_ui->Edit29); };
    read.bsGain = [this] { return ReadReal(*m_ui->Edit4); };
    read.bsGainInDbd = [this] { return m_ui->ListBox17->TopIndex() == 0; };
    read.msGain = [this] { return ReadReal(*m_ui->Edit10); };
    read.msGainInDbd = [this] { return m_ui->ListBox18->TopIndex() == 0; };
    read.distance = [this] { return ReadReal(*m_ui->Edit20); };
    read.distanceInMiles = [this] { return m_ui->ListBox19->TopIndex() == 1; };
    read.frequencyMHz = [this] { return ReadReal(*m_ui->Edit30); };
    read.bsHeight = [this] { return ReadReal(*m_ui->Edit6); };
    read.bsHeightInFeet = [this] { return m_ui->ListBox11->TopIndex() == 1; };
    read.msHeight = [this] { return ReadReal(*m_ui->Edit9); };
    read.msHeightInFeet = [this] { return m_ui->ListBox16->TopIndex() == 1; };
    read.model = Model();
    read.area = static_cast<HataArea>(m_ui->RadioGroup4->ItemIndex());

    const auto budget = LinkBudget(read);
    if (!budget.Ok()) {
        EntryField* fields[] = {nullptr, m_ui->Edit29, m_ui->Edit20, m_ui->Edit30, m_ui->Edit6, m_ui->Edit9};
        Refuse(budget.Error().message, *fields[budget.Error().input]);
        return;
    }
    const QString loss = ToQString(FormatResultHundredths(budget.Value().lossDb));
    const QString power = ToQString(FormatResultHundredths(budget.Value().receivedPowerDbm));
    m_ui->StaticText55->setText(loss);
    m_ui->StaticText58->setText(power);
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
