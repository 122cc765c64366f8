#include "traffic/TrafficPanel.h"
#include "ui_TrafficPanel.h"

#include "numeric/format.h"
#include "traffic/traffic_calculations.h"
#include "widgets/FieldIo.h"
#include "widgets/HandlerGuard.h"

namespace zandrevio {

TrafficPanel::TrafficPanel(QWidget* parent)
    : QWidget(parent)
    , m_ui(new Ui::TrafficPanel)
{
    m_ui->setupUi(this);
    m_ui->Model->SetItems({"Poisson", "Erlang B", "Erlang C"}, 3);
    m_ui->Model->SetItemIndex(static_cast<int>(TrafficModel::ErlangB));

    connect(m_ui->BitBtn1, &QPushButton::clicked, this, Guarded([this] { BitBtn1Click(); }));
    connect(m_ui->BitBtn2, &QPushButton::clicked, this, Guarded([this] { BitBtn2Click(); }));
    connect(m_ui->BitBtn3, &QPushButton::clicked, this, Guarded([this] { BitBtn3Click(); }));
    connect(m_ui->BitBtn18, &QPushButton::clicked, this, Guarded([this] { BitBtn18Click(); }));
    connect(m_ui->BitBtn11, &QPushButton::clicked, this, Guarded([this] { BitBtn11Click(); }));
}

TrafficPanel::~TrafficPanel() = default;

void TrafficPanel::StartGos()
{
    m_ui->Edit2->setText(ToQString(FormatFull(0.02L)));
}

TrafficModel TrafficPanel::Model() const
{
    return static_cast<TrafficModel>(m_ui->Model->ItemIndex());
}

void TrafficPanel::BitBtn1Click()
{
    const long double traffic = ReadReal(*m_ui->Edit1);
    const long double target = ReadReal(*m_ui->Edit2);
    const auto channels = ChannelsForGos(Model(), traffic, target);
    if (!channels.Ok()) {
        Refuse(channels.Error().message, *m_ui->Edit2);
        return;
    }
    m_ui->SpinEdit1->SetValue(channels.Value());
}

void TrafficPanel::BitBtn2Click()
{
    const long double target = ReadReal(*m_ui->Edit2);
    const std::int32_t channels = m_ui->SpinEdit1->Value();
    const auto traffic = TrafficForGos(Model(), channels, target);
    if (!traffic.Ok()) {
        if (traffic.Error().input == kChannelsInput) {
            Refuse(traffic.Error().message, *m_ui->SpinEdit1);
        } else {
            Refuse(traffic.Error().message, *m_ui->Edit2);
        }
        return;
    }
    m_ui->Edit1->setText(ToQString(FormatResult(traffic.Value())));
}

void TrafficPanel::BitBtn3Click()
{
    const long double traffic = ReadReal(*m_ui->Edit1);
    const std::int32_t channels = m_ui->SpinEdit1->Value();
    const auto gos = GosForTraffic(Model(), channels, traffic);
    if (!gos.Ok()) {
        Refuse(gos.Error().message, *m_ui->SpinEdit1);
        return;
    }
    m_ui->Edit2->setText(ToQString(FormatResult(gos.Value())));
}

void TrafficPanel::BitBtn18Click()
{
    const long double rate = ReadReal(*m_ui->Edit27);
    const std::int32_t subscribers = m_ui->SpinEdit4->Value();
    m_ui->StaticText30->setText(ToQString(FormatResult(SubscriberTraffic(subscribers, rate))));
}

void TrafficPanel::BitBtn11Click()
{
    const long double traffic = ReadReal(*m_ui->Edit28);
    const long double rate = ReadReal(*m_ui->Edit27);
    m_ui->StaticText32->setText(ToQString(FormatResult(SubscribersForTraffic(traffic, rate))));
}

} // namespace zandrevio
