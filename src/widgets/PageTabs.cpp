#include "widgets/PageTabs.h"

#include <QAccessibleWidget>
#include <QHash>
#include <QPointer>
#include <QProxyStyle>
#include <QTabBar>
#include <QTabWidget>

#include <algorithm>

namespace zandrevio {

namespace {
class PageTabAccessible : public QAccessibleInterface, public QAccessibleActionInterface {
public:
    PageTabAccessible(QTabBar* bar, int index)
        : m_bar(bar)
        , m_index(index)
    {
    }

    void* interface_cast(QAccessible::InterfaceType type) override
    {
        return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this) : nullptr;
    }
    bool isValid() const override { return m_bar != nullptr && m_index < m_bar->count(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return parent()->window(); }
    QAccessibleInterface* focusChild() const override { return nullptr; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(m_bar.data()); }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QString text(QAccessible::Text t) const override
    {
        return t == QAccessible::Name && isValid() ? QString(m_bar->tabText(m_index)).remove('&') : QString();
    }
    void setText(QAccessible::Text, const QString&) override { }
    QRect rect() const override
    {
        if (!isValid()) {
            return {};
        }
        const QRect tab = m_bar->tabRect(m_index);
        return QRect(m_bar->mapToGlobal(tab.topLeft()), tab.size());
    }
    QAccessible::Role role() const override { return QAccessible::PageTab; }
    QAccessible::State state() const override
    {
        QAccessible::State state;
        if (!isValid()) {
            state.invalid = true;
            return state;
        }
        const bool current = m_index == m_bar->currentIndex();
        state.focusable = true;
        state.selectable = true;
        state.selected = current;
        state.focused = current && m_bar->hasFocus();
        state.invisible = !m_bar->isVisible();
        state.disabled = !m_bar->isTabEnabled(m_index);
        return state;
    }

    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString& action) override
    {
        if (isValid() && action == pressAction()) {
            m_bar->setCurrentIndex(m_index);
        }
    }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

private:
    QPointer<QTabBar> m_bar;
    int m_index;
};

// The bar lists its tabs; the focus it has is its current tab's.
class PageTabsAccessible : public QAccessibleWidget {
public:
    explicit PageTabsAccessible(QTabBar* bar)
        : QAccessibleWidget(bar, QAccessible::PageTabList)
    {
    }
    ~PageTabsAccessible() override
    {
        for (QAccessible::Id id : std::as_const(m_tabs)) {
            QAccessible::deleteAccessibleInterface(id);
        }
    }
    QTabBar* Bar() const { return static_cast<QTabBar*>(widget()); }
    int childCount() const override { return Bar()->count(); }
    QAccessibleInterface* child(int index) const override
    {
        if (index < 0 || index >= Bar()->count()) {
            return nullptr;
        }
        if (const auto found = m_tabs.constFind(index); found != m_tabs.cend()) {
            return QAccessible::accessibleInterface(*found);
        }
        auto* tab = new PageTabAccessible(Bar(), index);
        m_tabs.insert(index, QAccessible::registerAccessibleInterface(tab));
        return tab;
    }
    int indexOfChild(const QAccessibleInterface* child) const override
    {
        for (auto it = m_tabs.cbegin(); it != m_tabs.cend(); ++it) {
            if (QAccessible::accessibleInterface(it.value()) == child) {
                return it.key();
            }
        }
        return -1;
    }
    QAccessibleInterface* focusChild() const override
    {
        return Bar()->hasFocus() ? child(Bar()->currentIndex()) : nullptr;
    }
    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.focused = false;
        return state;
    }

private:
    mutable QHash<int, QAccessible::Id> m_tabs;
};

QAccessibleInterface* PageTabsFactory(const QString& key, QObject* object)
{
    if (key == QLatin1String("QTabBar") && object->isWidgetType()) {
        return new PageTabsAccessible(static_cast<QTabBar*>(object));
    }
    return nullptr;
}
} // namespace

void InstallPageTabsAccessible()
{
    static const bool installed = [] {
        QAccessible::installFactory(PageTabsFactory);
        return true;
    }();
    (void)installed;
}

} // namespace zandrevio

namespace zandrevio {

namespace {
// The window's own style but for the room left and right of a tab's title.
class TabRoomStyle : public QProxyStyle {
public:
    explicit TabRoomStyle(int room)
        : m_room(room)
    {
    }

    int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override
    {
        if (metric == PM_TabBarTabHSpace) {
            return m_room;
        }
        return QProxyStyle::pixelMetric(metric, option, widget);
    }

private:
    int m_room;
};

int TabsRight(const QTabWidget& pages)
{
    const QTabBar* bar = pages.tabBar();
    return pages.mapToParent(bar->mapToParent(bar->tabRect(bar->count() - 1).topRight())).x();
}
} // namespace

void FitPageTabs(QTabWidget& pages, int freeUpTo)
{
    QTabBar* bar = pages.tabBar();
    // The style's own room where the titles fit with it; else less, down to
    // a few pixels beside each title.
    const int own = bar->style()->pixelMetric(QStyle::PM_TabBarTabHSpace, nullptr, bar);
    const int over = TabsRight(pages) - freeUpTo + 1;
    if (over <= 0 || bar->count() == 0) {
        return;
    }
    // Each tab gives up the same room: first as much as the overflow asks
    // (in steps of 2 pixels, the room split left and right), then 2 more at
    // a time where rounding left it short. Every new style lays the bar out
    // again, so as few as can be are tried.
    int room = own - 2 * ((over + 2 * bar->count() - 1) / (2 * bar->count()));
    for (room = std::max(room, 4); room >= 4; room -= 2) {
        auto* style = new TabRoomStyle(room);
        style->setParent(bar);
        QStyle* before = bar->style();
        bar->setStyle(style);
        if (before->parent() == bar) {
            delete before;
        }
        if (TabsRight(pages) < freeUpTo) {
            break;
        }
    }
}

} // namespace zandrevio
