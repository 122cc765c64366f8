#include "feeder/CablePanel.h"
#include "ui_CablePanel.h"

#include "feeder/matching.h"
#include "numeric/format.h"
#include "widgets/FieldIo.h"
#include "widgets/HandlerGuard.h"

namespace zandrevio {

CablePanel::CablePanel(QWidget* parent)
    : QWidget(parent)
    , m_ui(new Ui::CablePanel)
{
    m_ui->setupUi(this);
    m_ui->RadioGroup2->SetItems({"50", "75"}, 2);
    m_ui->RadioGroup2->SetItemIndex(static_cast<int>(CableImpedance::Ohm50));
    // The cable list is the one picker on a white ground.
    QPalette white = m_ui->ListBox9->palette();
    white.setColor(QPalette::Base, Qt::white);
    m_ui->ListBox9->setPalette(white);
    m_ui->ListBox10->SetItems({"m", "ft"});
    m_ui->ListBox15->SetItems({"Ref Coef", "RL (dB)"});

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
    QStringList names;
    for (const std::string& name : CableNames(impedance)) {
        names << ToQString(name);
    }
    m_ui->ListBox9->SetItems(names);
}

void CablePanel::RadioGroup2Click()
{
    FillCables(static_cast<CableImpedance>(m_ui->RadioGroup2->ItemIndex()));
}

void CablePanel::BitBtn12Click()
{
    const long double frequency = ReadReal(*m_ui->Edit15);
    if (auto refused = CheckCableFrequency(frequency)) {
        Refuse(refused->message, *m_ui->Edit15);
        return;
    }
    const long double length = ReadReal(*m_ui->Edit14);
    const auto loss = CableLoss(static_cast<CableImpedance>(m_ui->RadioGroup2->ItemIndex()), m_ui->ListBox9->TopIndex(),
                                length, m_ui->ListBox10->TopIndex() == 1, frequency);
    m_ui->StaticText4->setText(ToQString(FormatResultHundredths(loss.Value())));
}

void CablePanel::BitBtn14Click()
{
    const auto vswr =
        VswrFromPowers([this] { return ReadReal(*m_ui->Edit21); }, [this] { return ReadReal(*m_ui->Edit22); });
    if (!vswr.Ok()) {
        Refuse(vswr.Error().message, *m_ui->Edit21);
        return;
    }
    m_ui->StaticText19->setText(ToQString(FormatResult(vswr.Value())));
}

void CablePanel::BitBtn15Click()
{
    const auto vswr =
        CorrectedAntennaVswr([this] { return ReadReal(*m_ui->Edit23); }, [this] { return ReadReal(*m_ui->Edit24); });
    if (!vswr.Ok()) {
        // A measurement the loss cannot explain is pointed out without a beep.
        Refuse(vswr.Error().message, *m_ui->Edit23, vswr.Error().input != kWrongMeasurement);
        return;
    }
    m_ui->StaticText23->setText(ToQString(FormatResult(vswr.Value())));
}

void CablePanel::BitBtn16Click()
{
    const auto loss = CableLossFromShortVswr(ReadReal(*m_ui->Edit25));
    if (!loss.Ok()) {
        Refuse(loss.Error().message, *m_ui->Edit25);
        return;
    }
    m_ui->StaticText27->setText(ToQString(FormatResultHundredths(loss.Value())));
}

void CablePanel::BitBtn17Click()
{
    const long double vswr = ReadReal(*m_ui->Edit26);
    const auto reflection = ReflectionFromVswr(vswr, static_cast<ReflectionOutput>(m_ui->ListBox15->TopIndex()));
    if (!reflection.Ok()) {
        Refuse(reflection.Error().message, *m_ui->Edit26);
        return;
    }
    m_ui->StaticText31->setText(ToQString(FormatResult(reflection.Value())));
}

} // namespace zandrevio
