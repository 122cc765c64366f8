#include "traffic/TrafficPanel.h"
#include "ui_TrafficPanel.h"

#include "numeric/format.h"
#include "widgets/FieldIo.h"
#include "widgets/HandlerGuard.h"
#include "widgets/ResultLabel.h"

namespace zandrevio {

TrafficPanel::TrafficPanel(QWidget* parent)
    : QWidget(parent)
    , m_ui(new Ui::TrafficPanel)
{
    m_ui->setupUi(this);
    m_ui->StaticText30->Describe(kSubscriberTrafficResult);
    m_ui->StaticText32->Describe(kSubscribersResult);
    FillChoices(*m_ui->Model, kTrafficModels, 3);
    m_ui->Model->SetItemIndex(static_cast<int>(TrafficModel::ErlangB));
    m_fields = {
        {TrafficField::Model, m_ui->Model},
        {TrafficField::Channels, m_ui->SpinEdit1},
        {TrafficField::Traffic, m_ui->Edit1},
        {TrafficField::Gos, m_ui->Edit2},
        {TrafficField::Subscribers, m_ui->SpinEdit4},
        {TrafficField::Rate, m_ui->Edit27},
        {TrafficField::SubscriberTraffic, m_ui->Edit28},
    };

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

void TrafficPanel::BitBtn1Click()
{
    const auto channels = ChannelsForGos(m_fields.Read());
    if (!channels.Ok()) {
        return m_fields.Refuse(channels.Error());
    }
    m_ui->SpinEdit1->SetValue(channels.Value());
}

void TrafficPanel::BitBtn2Click()
{
    const auto traffic = TrafficForGos(m_fields.Read());
    if (!traffic.Ok()) {
        return m_fields.Refuse(traffic.Error());
    }
    WriteResult(*m_ui->Edit1, kTrafficResult, traffic.Value());
}

void TrafficPanel::BitBtn3Click()
{
    const auto gos = GosForTraffic(m_fields.Read());
    if (!gos.Ok()) {
        return m_fields.Refuse(gos.Error());
    }
    WriteResult(*m_ui->Edit2, kGosResult, gos.Value().gos);
}

void TrafficPanel::BitBtn18Click()
{
    const auto traffic = SubscriberTraffic(m_fields.Read());
    if (!traffic.Ok()) {
        return m_fields.Refuse(traffic.Error());
    }
    WriteResult(*m_ui->StaticText30, kSubscriberTrafficResult, traffic.Value());
}

void TrafficPanel::BitBtn11Click()
{
    const auto subscribers = SubscribersForTraffic(m_fields.Read());
    if (!subscribers.Ok()) {
        return m_fields.Refuse(subscribers.Error());
    }
    WriteResult(*m_ui->StaticText32, kSubscribersResult, subscribers.Value());
}

} // namespace zandrevio
