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

#include <algorithm>
#include <iterator>

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

// The pages: each tab's page and what builds it, its panels placed with the
// start state their layouts do not hold. The first is built with the window,
// every other when first shown (Qt's building and styling of hidden pages
// was most of the start).
struct PageEntry {
    QWidget* Ui::TZandrevio::*page;
    QList<QWidget*> (*build)(QWidget* page);
};

const PageEntry kPages[] = {
    {&Ui::TZandrevio::RF,
     [](QWidget* page) -> QList<QWidget*> {
         // FormCreate gives these their start state, as the window's creation does.
         return {Place<ChannelPlanPanel>(page, "ChannelPlanPanel", 0, 0),
                 Place<PropagationPanel>(page, "PropagationPanel", 0, 146)};
     }},
    {&Ui::TZandrevio::Traffic,
     [](QWidget* page) -> QList<QWidget*> {
         auto* traffic = Place<TrafficPanel>(page, "TrafficPanel", 0, 0);
         traffic->StartGos();
         return {traffic};
     }},
    // The page whose tab reads "Cable" is the one named Antenna, and the other way round.
    {&Ui::TZandrevio::Antenna,
     [](QWidget* page) -> QList<QWidget*> {
         auto* cable = Place<CablePanel>(page, "CablePanel", 0, 0);
         cable->StartCables();
         return {cable};
     }},
    {&Ui::TZandrevio::Cable,
     [](QWidget* page) -> QList<QWidget*> {
         return {Place<IsolationPanel>(page, "IsolationPanel", 0, 0),
                 Place<DowntiltPanel>(page, "DowntiltPanel", 0, 136)};
     }},
    {&Ui::TZandrevio::Units,
     [](QWidget* page) -> QList<QWidget*> {
         auto* fieldStrength = Place<FieldStrengthPanel>(page, "FieldStrengthPanel", 0, 0);
         auto* conversion = Place<UnitConversionPanel>(page, "UnitConversionPanel", 0, 144);
         fieldStrength->StartPickers();
         conversion->StartPickers();
         return {fieldStrength, conversion};
     }},
    {&Ui::TZandrevio::Planning,
     [](QWidget* page) -> QList<QWidget*> {
         return {Place<CellRangePanel>(page, "CellRangePanel", 0, 0),
                 Place<BandPlanPanel>(page, "BandPlanPanel", 0, 250)};
     }},
    // Pages taller than the window scroll; the Path page keeps its pixel layout.
    {&Ui::TZandrevio::Path,
     [](QWidget* page) -> QList<QWidget*> {
         return {InScrollArea<PathPanel>(page, "PathPanel", "PathScroll", false)};
     }},
    {&Ui::TZandrevio::Receiver,
     [](QWidget* page) -> QList<QWidget*> {
         return {InScrollArea<ReceiverPanel>(page, "ReceiverPanel", "ReceiverScroll", true)};
     }},
};
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

    BuildPage(m_ui->RF);
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
    if (m_built.contains(page)) {
        return;
    }
    const auto entry = std::find_if(std::begin(kPages), std::end(kPages),
                                    [&](const PageEntry& e) { return (*m_ui).*(e.page) == page; });
    if (entry == std::end(kPages)) {
        return;
    }
    m_built.insert(page);
    for (QWidget* panel : entry->build(page)) {
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
    m_ui->RF->findChild<PropagationPanel*>()->StartArea();
    m_ui->RF->findChild<ChannelPlanPanel*>()->StartDuplexSpacing();
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
