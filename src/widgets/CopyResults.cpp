#include "widgets/CopyResults.h"

#include "widgets/EntryField.h"
#include "widgets/RadioGroup.h"
#include "widgets/ResultLabel.h"
#include "widgets/SpinField.h"
#include "widgets/UnitPicker.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMenu>
#include <QRadioButton>
#include <QRegularExpression>
#include <QStackedWidget>
#include <QTabWidget>

namespace zandrevio {

namespace {
// "Frequency (MHz)" is the caption "Frequency" with the unit "MHz".
QString Line(const QString& name, const QString& value, QString unit = {})
{
    static const QRegularExpression withUnit(QStringLiteral("^(.*\\S)\\s*\\(([^()]*)\\)$"));
    QString caption = name;
    if (unit.isEmpty()) {
        const QRegularExpressionMatch match = withUnit.match(name);
        if (match.hasMatch()) {
            caption = match.captured(1);
            unit = match.captured(2);
        }
    }
    return caption + '\t' + value + '\t' + unit + '\n';
}

// The page of the window's page control that a widget is on.
QWidget* PageOf(QWidget* widget)
{
    for (QWidget* w = widget; w != nullptr; w = w->parentWidget()) {
        if (qobject_cast<QStackedWidget*>(w->parentWidget()) != nullptr) {
            return w;
        }
    }
    return nullptr;
}
} // namespace

QString ResultsText(QWidget& page)
{
    QString text;
    // The focus chain is the page's visual order.
    QWidget* start = &page;
    for (QWidget* w = start->nextInFocusChain(); w != start && w != nullptr; w = w->nextInFocusChain()) {
        if (!page.isAncestorOf(w) || !w->isVisibleTo(&page) || !(w->focusPolicy() & Qt::TabFocus)) {
            continue;
        }
        if (auto* result = qobject_cast<ResultLabel*>(w)) {
            text += Line(result->Caption().isEmpty() ? result->objectName() : result->Caption(), result->text(),
                         result->Unit());
        } else if (auto* field = qobject_cast<EntryField*>(w)) {
            text += Line(field->accessibleName(), field->text());
        } else if (auto* picker = qobject_cast<UnitPicker*>(w)) {
            const QListWidgetItem* item = picker->item(picker->TopIndex());
            text += Line(picker->accessibleName(), item != nullptr ? item->text() : QString());
        } else if (auto* group = qobject_cast<RadioGroup*>(w->parentWidget());
                   group && qobject_cast<QRadioButton*>(w)) {
            text += Line(group->title(), static_cast<QRadioButton*>(w)->text());
        } else if (auto* spin = qobject_cast<SpinField*>(w->parentWidget()); spin && w == spin->Editor()) {
            text += Line(spin->accessibleName(), spin->text());
        }
    }
    return text;
}

void AddCopyResults(QMenu& menu, QWidget* onPage)
{
    QWidget* page = PageOf(onPage);
    if (page == nullptr) {
        return;
    }
    menu.addSeparator();
    menu.addAction(QObject::tr("Copy results"), page,
                   [page] { QGuiApplication::clipboard()->setText(ResultsText(*page)); });
}

void AddPageMenus(QTabWidget& pages)
{
    for (int i = 0; i < pages.count(); ++i) {
        QWidget* page = pages.widget(i);
        page->setContextMenuPolicy(Qt::CustomContextMenu);
        QObject::connect(page, &QWidget::customContextMenuRequested, page, [page](const QPoint& at) {
            QMenu menu(page);
            AddCopyResults(menu, page);
            menu.exec(page->mapToGlobal(at));
        });
    }
}

} // namespace zandrevio
