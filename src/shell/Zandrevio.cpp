#include "shell/Zandrevio.h"
#include "ui_Zandrevio.h"

#include "antenna/DowntiltPanel.h"
#include "antenna/IsolationPanel.h"
#include "channels/BandPlanPanel.h"
#include "channels/ChannelPlanPanel.h"
#include "feeder/CablePanel.h"
#include "propagation/CellRangePanel.h"
#include "propagation/PropagationPanel.h"
#include "shell/AboutBox.h"
#include "shell/ProgramPictures.h"
#include "traffic/TrafficPanel.h"
#include "units/FieldStrengthPanel.h"
#include "units/UnitConversionPanel.h"
#include "widgets/ButtonKeys.h"
#include "widgets/CopyResults.h"
#include "widgets/HandlerGuard.h"
#include "widgets/PageTabs.h"
#include "widgets/SpinField.h"

#include <QAccessibleWidget>

namespace zandrevio {

namespace {
// The outer frame is 608 x 460 pixels; the window system adds the frame
// and title bar around this client area.
constexpr QSize kClientSize(600, 433);
constexpr QPoint kPlace(36, 24);

// The main window as a screen reader meets it: a frame (a window), named by
// its caption.
QAccessibleInterface* WindowAccessibleFactory(const QString& key, QObject* object)
{
    if (key == QLatin1String(TZandrevio::staticMetaObject.className()) && object->isWidgetType()) {
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Window);
    }
    return nullptr;
}

// Gives the focus to the first control of the page's Tab chain.
void FocusFirstControl(QWidget& page)
{
    for (QWidget* w = page.nextInFocusChain(); w != &page; w = w->nextInFocusChain()) {
        if (page.isAncestorOf(w) && (w->focusPolicy() & Qt::TabFocus) && w->isVisible() && w->isEnabled()) {
            w->setFocus(Qt::TabFocusReason);
            return;
        }
    }
}

// Puts a calculator panel onto its page at its place.
template <typename Panel>
Panel* Place(QWidget* page, const char* name, int x, int y)
{
    auto* panel = new Panel(page);
    panel->setObjectName(QString::fromLatin1(name));
    panel->move(x, y);
    return panel;
}
} // namespace

TZandrevio::TZandrevio(QWidget* parent)
    : QWidget(parent)
    , m_ui(new Ui::TZandrevio)
{
    static const bool factory = [] {
        QAccessible::installFactory(WindowAccessibleFactory);
        InstallPageTabsAccessible();
        return true;
    }();
    (void)factory;
    m_ui->setupUi(this);
    // A sizeable frame with the system menu and minimise, no maximise.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    resize(kClientSize);
    move(kPlace);

    m_ui->BitBtn5->setIcon(ProductNamePicture(QSize(131, 26), false));
    QFont bold = font();
    bold.setBold(true);
    bold.setPixelSize(15);
    m_ui->BitBtn5->setFont(bold);
    m_ui->BitBtn5->raise();

    m_channelPlan = Place<ChannelPlanPanel>(m_ui->RF, "ChannelPlanPanel", 0, 0);
    m_propagation = Place<PropagationPanel>(m_ui->RF, "PropagationPanel", 0, 146);
    m_traffic = Place<TrafficPanel>(m_ui->Traffic, "TrafficPanel", 0, 0);
    // The page whose tab reads "Cable" is the one named Antenna.
    m_cable = Place<CablePanel>(m_ui->Antenna, "CablePanel", 0, 0);
    m_isolation = Place<IsolationPanel>(m_ui->Cable, "IsolationPanel", 0, 0);
    m_downtilt = Place<DowntiltPanel>(m_ui->Cable, "DowntiltPanel", 0, 136);
    m_fieldStrength = Place<FieldStrengthPanel>(m_ui->Units, "FieldStrengthPanel", 0, 0);
    m_unitConversion = Place<UnitConversionPanel>(m_ui->Units, "UnitConversionPanel", 0, 144);
    // The Planning page is built when first shown: the start stays as quick
    // as with five pages.
    connect(m_ui->PageControl1, &QTabWidget::currentChanged, this, [this] {
        if (m_ui->PageControl1->currentWidget() == m_ui->Planning) {
            BuildPlanning();
        }
    });

    SpinField::ShareAccessibleNames(*this);
    PressButtonsOnEnter(*this);
    AddPageMenus(*m_ui->PageControl1);

    connect(m_ui->BitBtn5, &QPushButton::clicked, this, Guarded([this] { BitBtn5Click(); }));
    FormCreate();
}

TZandrevio::~TZandrevio() = default;

void TZandrevio::BuildPlanning()
{
    if (m_cellRange != nullptr) {
        return;
    }
    m_cellRange = Place<CellRangePanel>(m_ui->Planning, "CellRangePanel", 0, 0);
    m_bandPlan = Place<BandPlanPanel>(m_ui->Planning, "BandPlanPanel", 0, 250);
    for (QWidget* panel : {static_cast<QWidget*>(m_cellRange), static_cast<QWidget*>(m_bandPlan)}) {
        SpinField::ShareAccessibleNames(*panel);
        PressButtonsOnEnter(*panel);
        panel->show();
    }
    // Turning to the page gave the focus to the page itself, then empty: it
    // goes on to the page's first control, as on every other page.
    if (focusWidget() == m_ui->Planning) {
        FocusFirstControl(*m_ui->Planning);
    }
}

void TZandrevio::FormCreate()
{
    m_propagation->StartArea();
    m_fieldStrength->StartPickers();
    m_unitConversion->StartPickers();
    m_channelPlan->StartDuplexSpacing();
    m_traffic->StartGos();
    m_cable->StartCables();
}

void TZandrevio::BitBtn5Click()
{
    if (m_aboutBox != nullptr) {
        m_aboutBox->exec();
    }
}

} // namespace zandrevio
