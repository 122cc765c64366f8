#include "shell/Zandrevio.h"
#include "ui_Zandrevio.h"

#include "antenna/DowntiltPanel.h"
#include "antenna/IsolationPanel.h"
#include "channels/BandPlanPanel.h"
#include "channels/ChannelPlanPanel.h"
#include "feeder/CablePanel.h"
#include "propagation/CellRangePanel.h"
#include "propagation/PathPanel.h"
#include "propagation/PropagationPanel.h"
#include "receiver/ReceiverPanel.h"
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
#include <QApplication>
#include <QScrollArea>
#include <QVBoxLayout>

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
// Puts a panel taller than the window onto its page in a scroll area that
// fills the page and scrolls only up and down. A panel laid out by its
// layouts is made as wide as the page; one of fixed size keeps it.
template <typename Panel>
Panel* InScrollArea(QWidget* page, const char* name, const char* scrollName, bool laidOut)
{
    auto* scroll = new QScrollArea(page);
    scroll->setObjectName(QString::fromLatin1(scrollName));
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setFocusPolicy(Qt::NoFocus);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    auto* fill = new QVBoxLayout(page);
    fill->setContentsMargins(0, 0, 0, 0);
    fill->addWidget(scroll);
    auto* panel = new Panel;
    panel->setObjectName(QString::fromLatin1(name));
    scroll->setWidgetResizable(laidOut);
    scroll->setWidget(panel);
    // A field focused below the fold, by Tab or by a refusal, is scrolled into view.
    QObject::connect(qApp, &QApplication::focusChanged, scroll, [scroll](QWidget*, QWidget* now) {
        if (now != nullptr && scroll->widget()->isAncestorOf(now)) {
            scroll->ensureWidgetVisible(now);
        }
    });
    scroll->show();
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

    // Eight titles show whole left of the About button, which lies over the
    // tab row's right end.
    FitPageTabs(*m_ui->PageControl1, m_ui->BitBtn5->x());
    // Narrow enough to leave the last tab free on the tab row's right.
    m_ui->BitBtn5->setIcon(ProductNamePicture(QSize(96, 22), false));
    QFont bold = font();
    bold.setBold(true);
    bold.setPixelSize(15);
    m_ui->BitBtn5->setFont(bold);
    m_ui->BitBtn5->raise();

    m_channelPlan = Place<ChannelPlanPanel>(m_ui->RF, "ChannelPlanPanel", 0, 0);
    m_propagation = Place<PropagationPanel>(m_ui->RF, "PropagationPanel", 0, 146);
    // Every other page is built when first shown: Qt's building and styling
    // of hidden pages was most of the start.
    connect(m_ui->PageControl1, &QTabWidget::currentChanged, this,
            [this] { BuildPage(m_ui->PageControl1->currentWidget()); });

    SpinField::ShareAccessibleNames(*this);
    PressButtonsOnEnter(*this);
    AddPageMenus(*m_ui->PageControl1);

    connect(m_ui->BitBtn5, &QPushButton::clicked, this, Guarded([this] { BitBtn5Click(); }));
    FormCreate();
}

TZandrevio::~TZandrevio() = default;

void TZandrevio::BuildAllPages()
{
    for (int i = 0; i < m_ui->PageControl1->count(); ++i) {
        BuildPage(m_ui->PageControl1->widget(i));
    }
}

void TZandrevio::BuildPage(QWidget* page)
{
    QList<QWidget*> panels;
    if (page == m_ui->Traffic && m_traffic == nullptr) {
        m_traffic = Place<TrafficPanel>(page, "TrafficPanel", 0, 0);
        m_traffic->StartGos();
        panels = {m_traffic};
    } else if (page == m_ui->Antenna && m_cable == nullptr) {
        // The page whose tab reads "Cable" is the one named Antenna.
        m_cable = Place<CablePanel>(page, "CablePanel", 0, 0);
        m_cable->StartCables();
        panels = {m_cable};
    } else if (page == m_ui->Cable && m_isolation == nullptr) {
        m_isolation = Place<IsolationPanel>(page, "IsolationPanel", 0, 0);
        m_downtilt = Place<DowntiltPanel>(page, "DowntiltPanel", 0, 136);
        panels = {m_isolation, m_downtilt};
    } else if (page == m_ui->Units && m_fieldStrength == nullptr) {
        m_fieldStrength = Place<FieldStrengthPanel>(page, "FieldStrengthPanel", 0, 0);
        m_unitConversion = Place<UnitConversionPanel>(page, "UnitConversionPanel", 0, 144);
        m_fieldStrength->StartPickers();
        m_unitConversion->StartPickers();
        panels = {m_fieldStrength, m_unitConversion};
    } else if (page == m_ui->Planning && m_cellRange == nullptr) {
        m_cellRange = Place<CellRangePanel>(page, "CellRangePanel", 0, 0);
        m_bandPlan = Place<BandPlanPanel>(page, "BandPlanPanel", 0, 250);
        panels = {m_cellRange, m_bandPlan};
    } else if (page == m_ui->Path && m_path == nullptr) {
        // The page is taller than the window with the models' and the
        // availability's fields: it scrolls, the plot and results first.
        m_path = InScrollArea<PathPanel>(page, "PathPanel", "PathScroll", false);
        panels = {m_path};
    } else if (page == m_ui->Receiver && m_receiver == nullptr) {
        m_receiver = InScrollArea<ReceiverPanel>(page, "ReceiverPanel", "ReceiverScroll", true);
        panels = {m_receiver};
    }
    if (panels.isEmpty()) {
        return;
    }
    for (QWidget* panel : panels) {
        SpinField::ShareAccessibleNames(*panel);
        PressButtonsOnEnter(*panel);
        panel->show();
    }
    // Turning to the page gave the focus to the page itself, then empty: it
    // goes on to the page's first control, as on a page built at the start.
    if (focusWidget() == page) {
        FocusFirstControl(*page);
    }
}

void TZandrevio::FormCreate()
{
    m_propagation->StartArea();
    m_channelPlan->StartDuplexSpacing();
}

void TZandrevio::BitBtn5Click()
{
    if (m_aboutBox == nullptr) {
        m_ownAboutBox = std::make_unique<TAboutBox>(this);
        m_aboutBox = m_ownAboutBox.get();
    }
    m_aboutBox->exec();
}

} // namespace zandrevio
