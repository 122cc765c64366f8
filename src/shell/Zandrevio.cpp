#include "shell/Zandrevio.h"
#include "ui_Zandrevio.h"

#include "antenna/DowntiltPanel.h"
#include "antenna/IsolationPanel.h"
#include "coverage/CoveragePanel.h"
#include "patterns/PatternPanel.h"
#include "channels/BandPlanPanel.h"
#include "channels/ChannelPlanPanel.h"
#include "feeder/CablePanel.h"
#include "propagation/CellRangePanel.h"
#include "propagation/PathPanel.h"
#include "propagation/PropagationPanel.h"
#include "receiver/ReceiverPanel.h"
#include "registry/registry.h"
#include "shell/AboutBox.h"
#include "shell/ProgramPictures.h"
#include "traffic/TrafficPanel.h"
#include "units/FieldStrengthPanel.h"
#include "units/UnitConversionPanel.h"
#include "widgets/ButtonKeys.h"
#include "widgets/CalculationForm.h"
#include "widgets/CopyResults.h"
#include "widgets/HandlerGuard.h"
#include "widgets/PageTabs.h"
#include "widgets/SpinField.h"

#include <QAccessibleWidget>
#include <QApplication>
#include <QEvent>
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
void InScrollArea(QWidget* page, QWidget* panel, const char* scrollName, bool laidOut)
{
    auto* scroll = new QScrollArea(page);
    scroll->setObjectName(QString::fromLatin1(scrollName));
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setFocusPolicy(Qt::NoFocus);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    auto* fill = new QVBoxLayout(page);
    fill->setContentsMargins(0, 0, 0, 0);
    fill->addWidget(scroll);
    scroll->setWidgetResizable(laidOut);
    scroll->setWidget(panel);
    // A field focused below the fold, by Tab or by a refusal, is scrolled into view.
    QObject::connect(qApp, &QApplication::focusChanged, scroll, [scroll](QWidget*, QWidget* now) {
        if (now != nullptr && scroll->widget()->isAncestorOf(now)) {
            scroll->ensureWidgetVisible(now);
        }
    });
    scroll->show();
}
template <typename Panel>
Panel* InScrollArea(QWidget* page, const char* name, const char* scrollName, bool laidOut)
{
    auto* panel = new Panel;
    panel->setObjectName(QString::fromLatin1(name));
    InScrollArea(page, panel, scrollName, laidOut);
    return panel;
}

// Panels laid out by pixels, held as large as they are: the holder follows
// a panel that grows (the Path page's details).
class PlacedPanels : public QWidget {
public:
    template <typename Panel>
    Panel* Place(const char* name, int x, int y)
    {
        auto* panel = zandrevio::Place<Panel>(this, name, x, y);
        panel->installEventFilter(this);
        Fit();
        return panel;
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Resize || event->type() == QEvent::Move) {
            Fit();
        }
        return false;
    }

private:
    void Fit()
    {
        const QRect all = childrenRect();
        setFixedSize(all.x() + all.width(), all.y() + all.height());
    }
};

// A calculation of the registry as a form below a page's panels.
struct FormEntry {
    const char* calculation;
    const char* title;
    const char* spoken; // what a screen reader says of its Calculate
    const char* prefix; // what sets its controls' names apart on the page
};

// A page of panels placed by pixels (by `place`) with forms of the registry
// below them, the whole scrolled up and down.
QWidget* WithForms(QWidget* page, const char* name, const char* scrollName, void (*place)(PlacedPanels&),
                   std::initializer_list<FormEntry> forms)
{
    auto* column = new QWidget;
    column->setObjectName(QString::fromLatin1(name));
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 4, 6);
    auto* placed = new PlacedPanels;
    place(*placed); // first, to come first in the Tab order
    layout->addWidget(placed, 0, Qt::AlignLeft);
    for (const FormEntry& form : forms) {
        layout->addWidget(new CalculationForm(RegisteredCalculation(form.calculation), QObject::tr(form.title),
                                              QObject::tr(form.spoken), QString::fromLatin1(form.prefix)));
    }
    layout->addStretch(1);
    InScrollArea(page, column, scrollName, true);
    return column;
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
    // The pattern file below the isolation and the downtilt, the whole scrolled.
    {&Ui::TZandrevio::Cable,
     [](QWidget* page) -> QList<QWidget*> {
         return {WithForms(page, "AntennaColumn", "AntennaScroll",
                           [](PlacedPanels& placed) {
                               placed.Place<IsolationPanel>("IsolationPanel", 0, 0);
                               placed.Place<DowntiltPanel>("DowntiltPanel", 0, 136);
                               placed.Place<PatternPanel>("PatternPanel", 0, 382);
                           },
                           {})};
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
         // Queues and retries below the cell's range and the band plans.
         return {WithForms(page, "PlanningColumn", "PlanningScroll",
                           [](PlacedPanels& placed) {
                               placed.Place<CellRangePanel>("CellRangePanel", 0, 0);
                               placed.Place<BandPlanPanel>("BandPlanPanel", 0, 250);
                           },
                           {{"service-level", "Erlang C queue", "Calculate the queue", "Queue"},
                            {"extended-erlang-b", "Extended Erlang B: blocked calls that retry",
                             "Calculate with retries", "Retry"}})};
     }},
    // Pages taller than the window scroll; the Path page keeps its pixel layout.
    {&Ui::TZandrevio::Path,
     [](QWidget* page) -> QList<QWidget*> {
         return {WithForms(
             page, "PathColumn", "PathScroll", [](PlacedPanels& placed) { placed.Place<PathPanel>("PathPanel", 0, 0); },
             {{"rain-attenuation", "Rain attenuation (ITU-R P.530, P.838)", "Calculate rain attenuation", "Rain"}})};
     }},
    {&Ui::TZandrevio::Receiver,
     [](QWidget* page) -> QList<QWidget*> {
         return {InScrollArea<ReceiverPanel>(page, "ReceiverPanel", "ReceiverScroll", true)};
     }},
    {&Ui::TZandrevio::Coverage,
     [](QWidget* page) -> QList<QWidget*> {
         return {InScrollArea<CoveragePanel>(page, "CoveragePanel", "CoverageScroll", true)};
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
