#include "antenna/IsolationPanel.h"
#include "ui_IsolationPanel.h"

#include "antenna/isolation.h"
#include "numeric/format.h"
#include "widgets/FieldIo.h"
#include "widgets/HandlerGuard.h"

namespace zandrevio {

IsolationPanel::IsolationPanel(QWidget* parent)
    : QWidget(parent)
    , m_ui(new Ui::IsolationPanel)
{
    m_ui->setupUi(this);
    m_ui->ListBox12->SetItems({"m", "ft"});
    m_ui->ListBox14->SetItems({"dBd", "dBi"});
    m_ui->ListBox13->SetItems({"dBd", "dBi"});
    m_ui->RadioGroup3->SetItems({"Horizontal", "Vertical"});
    m_ui->RadioGroup3->SetItemIndex(static_cast<int>(SeparationKind::Horizontal));

    connect(m_ui->BitBtn13, &QPushButton::clicked, this, Guarded([this] { BitBtn13Click(); }));
    connect(m_ui->RadioGroup3, &RadioGroup::clicked, this, Guarded([this] { RadioGroup3Click(); }));
}

IsolationPanel::~IsolationPanel() = default;

void IsolationPanel::BitBtn13Click()
{
    AntennaIsolationReaders read;
    read.spacing = [this] { return ReadReal(*m_ui->Edit17); };
    read.spacingInFeet = [this] { return m_ui->ListBox12->TopIndex() == 1; };
    read.frequencyMHz = [this] { return ReadReal(*m_ui->Edit16); };
    read.gain1 = [this] { return ReadReal(*m_ui->Edit19); };
    read.gain1InDbd = [this] { return m_ui->ListBox14->TopIndex() == 0; };
    read.gain2 = [this] { return ReadReal(*m_ui->Edit18); };
    read.gain2InDbd = [this] { return m_ui->ListBox13->TopIndex() == 0; };
    read.separation = static_cast<SeparationKind>(m_ui->RadioGroup3->ItemIndex());

    const auto isolation = AntennaIsolation(read);
    if (!isolation.Ok()) {
        const bool frequency = isolation.Error().input == static_cast<int>(IsolationInput::Frequency);
        Refuse(isolation.Error().message, frequency ? *m_ui->Edit16 : *m_ui->Edit17);
        return;
    }
    m_ui->StaticText41->setText(ToQString(FormatResultHundredths(isolation.Value())));
}

void IsolationPanel::RadioGroup3Click()
{
    // Vertical separation hides only the two gain fields.
    const bool horizontal = m_ui->RadioGroup3->ItemIndex() != static_cast<int>(SeparationKind::Vertical);
    m_ui->Edit19->setVisible(horizontal);
    m_ui->Edit18->setVisible(horizontal);
}

} // namespace zandrevio
