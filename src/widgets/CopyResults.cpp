#include "widgets/CopyResults.h"

#include "widgets/EntryField.h"
#include "widgets/RadioGroup.h"
#include "widgets/ResultLabel.h"
#include "widgets/SpinField.h"
#include "widgets/UnitPicker.h"

#include <QClipboard>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QRadioButton>
#include <QRegularExpression>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTableView>
#include <QTableWidget>

#include <unordered_map>
#include <vector>

namespace zandrevio {

namespace {
// One line of "Copy results": the control it was read from places it.
struct Line {
    QString caption;
    QString value;
    QString unit;
    QWidget* control;
    // A table's filled cells, written whole in place of the line: each
    // cell's caption is made unique by its row's number.
    QString table;
};

// "Frequency (MHz)" is the caption "Frequency" with the unit "MHz".
Line Split(QWidget* control, const QString& name, const QString& value, QString unit = {})
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
    return {caption, value, unit, control, {}};
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

// The titled group a control sits in (not the radio group it belongs to).
QString GroupTitleOf(QWidget* control, const QWidget& page)
{
    for (QWidget* w = control->parentWidget(); w != nullptr && w != &page; w = w->parentWidget()) {
        auto* group = qobject_cast<QGroupBox*>(w);
        if (group != nullptr && qobject_cast<RadioGroup*>(w) == nullptr && !group->title().trimmed().isEmpty()) {
            return group->title().trimmed();
        }
    }
    return {};
}

// The caption of a choice of loose radio buttons: their group's title, or the
// label whose buddy is one of them.
QString ChoiceCaption(const QRadioButton& button)
{
    QWidget* holder = button.parentWidget();
    if (auto* group = qobject_cast<QGroupBox*>(holder)) {
        return group->title().trimmed();
    }
    for (QLabel* label : holder->findChildren<QLabel*>(Qt::FindDirectChildrenOnly)) {
        if (qobject_cast<QRadioButton*>(label->buddy()) != nullptr && label->buddy()->parentWidget() == holder) {
            return label->text();
        }
    }
    return {};
}

// A picker named "<caption> unit", "from" or "to" gives the unit of the
// field or result just before it, whose caption starts so.
bool GivesUnitOf(const UnitPicker& picker, const Line& before)
{
    static const QRegularExpression unitName(QStringLiteral("^(.*) (unit|from|to)$"));
    const QRegularExpressionMatch match = unitName.match(picker.accessibleName());
    return match.hasMatch() && before.caption.startsWith(match.captured(1)) &&
        qobject_cast<UnitPicker*>(before.control) == nullptr;
}

// A table's filled cells, row by row: "Stages 2: Gain<TAB>-3<TAB>dB", the
// column's header giving the caption and the unit.
void AddTableLines(std::vector<Line>& lines, QTableView& table)
{
    const QAbstractItemModel& model = *table.model();
    const QString name = table.accessibleName() + ' ';
    const auto* widget = qobject_cast<QTableWidget*>(&table);
    std::vector<Line> headers;
    for (int column = 0; column < model.columnCount(); ++column) {
        // A header may break its caption over two lines; a column without a
        // header of its own (numbered by the view) is not a result.
        const bool named = widget == nullptr || widget->horizontalHeaderItem(column) != nullptr;
        const QString header =
            named ? model.headerData(column, Qt::Horizontal).toString().replace('\n', ' ') : QString();
        headers.push_back(Split(&table, header, {}));
    }
    // A busy site's products are millions of cells: they are written
    // straight into one text rather than kept as a line each.
    QString text;
    for (int row = 0; row < model.rowCount(); ++row) {
        const QString prefix = name + QString::number(row + 1) + QStringLiteral(": ");
        for (int column = 0; column < model.columnCount(); ++column) {
            const Line& header = headers[static_cast<std::size_t>(column)];
            const QString value = model.data(model.index(row, column)).toString();
            if (value.isEmpty() || header.caption.isEmpty()) {
                continue;
            }
            text += prefix;
            text += header.caption;
            text += '\t';
            text += value;
            text += '\t';
            text += header.unit;
            text += '\n';
        }
    }
    if (!text.isEmpty()) {
        lines.push_back({table.accessibleName(), {}, {}, &table, std::move(text)});
    }
}

// A caption met twice on a page: each is qualified by its group's title
// where the groups tell them apart (one of them may sit in no titled group,
// and keeps its caption), else numbered in order. True if any was.
bool QualifyRepeatedCaptions(std::vector<Line>& lines, const QWidget& page)
{
    // Grouped by caption in one pass: a page's tables give tens of thousands
    // of lines.
    std::unordered_map<QString, std::vector<std::size_t>> byCaption;
    std::vector<std::vector<std::size_t>*> repeated;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (!lines[i].table.isEmpty()) {
            continue;
        }
        std::vector<std::size_t>& same = byCaption[lines[i].caption];
        same.push_back(i);
        if (same.size() == 2) {
            repeated.push_back(&same);
        }
    }
    for (const std::vector<std::size_t>* same : repeated) {
        QStringList titles;
        for (std::size_t j : *same) {
            titles << GroupTitleOf(lines[j].control, page);
        }
        const bool byGroup = titles.count(QString()) <= 1 && titles.removeDuplicates() == 0;
        int n = 0;
        for (std::size_t j : *same) {
            ++n;
            const QString title = GroupTitleOf(lines[j].control, page);
            if (!byGroup) {
                lines[j].caption += ' ' + QString::number(n);
            } else if (!title.isEmpty()) {
                lines[j].caption = title + ": " + lines[j].caption;
            }
        }
    }
    return !repeated.empty();
}

// Qualified until no two are the same: a caption numbered may meet one
// already so named ("Gain 2"). Each pass lengthens the captions it changes.
void MakeCaptionsUnique(std::vector<Line>& lines, const QWidget& page)
{
    for (int pass = 0; pass < 8 && QualifyRepeatedCaptions(lines, page); ++pass) { }
}
} // namespace

QString ResultsText(QWidget& page)
{
    std::vector<Line> lines;
    // The focus chain is the page's visual order.
    QWidget* start = &page;
    for (QWidget* w = start->nextInFocusChain(); w != start && w != nullptr; w = w->nextInFocusChain()) {
        if (!page.isAncestorOf(w) || !w->isVisibleTo(&page) || !w->isEnabled()) {
            continue;
        }
        // Notes take no focus, yet belong with the results they qualify.
        if (auto* notes = qobject_cast<NoteLabel*>(w); notes && !notes->Notes().isEmpty()) {
            lines.push_back({notes->accessibleName(), notes->Notes().join(QStringLiteral("; ")), {}, w, {}});
        }
        if (!(w->focusPolicy() & Qt::TabFocus)) {
            continue;
        }
        if (auto* table = qobject_cast<QTableView*>(w)) {
            AddTableLines(lines, *table);
        } else if (auto* list = qobject_cast<QListWidget*>(w); list && qobject_cast<UnitPicker*>(w) == nullptr) {
            // A list of values typed (a picker's items are choices, one of them in use).
            for (int row = 0; row < list->count(); ++row) {
                Line line = Split(w, list->accessibleName(), list->item(row)->text());
                line.caption += ' ' + QString::number(row + 1);
                lines.push_back(line);
            }
        } else if (auto* result = qobject_cast<ResultLabel*>(w)) {
            lines.push_back(Split(w, result->Caption().isEmpty() ? result->objectName() : result->Caption(),
                                  result->text(), result->Unit()));
        } else if (auto* field = qobject_cast<EntryField*>(w)) {
            lines.push_back(Split(w, field->accessibleName(), field->text()));
        } else if (auto* picker = qobject_cast<UnitPicker*>(w)) {
            if (!lines.empty() && GivesUnitOf(*picker, lines.back())) {
                lines.back().unit = picker->ShownText();
            } else {
                lines.push_back(Split(w, picker->accessibleName(), picker->ShownText()));
            }
        } else if (auto* group = qobject_cast<RadioGroup*>(w->parentWidget());
                   group && qobject_cast<QRadioButton*>(w)) {
            lines.push_back(Split(w, group->title(), static_cast<QRadioButton*>(w)->text()));
        } else if (auto* button = qobject_cast<QRadioButton*>(w); button && button->isChecked()) {
            lines.push_back(Split(w, ChoiceCaption(*button), button->text().trimmed()));
        } else if (auto* spin = qobject_cast<SpinField*>(w->parentWidget()); spin && w == spin->Editor()) {
            lines.push_back(Split(w, spin->accessibleName(), spin->text()));
        }
    }
    MakeCaptionsUnique(lines, page);
    QString text;
    qsizetype length = 0;
    for (const Line& line : lines) {
        length +=
            line.table.isEmpty() ? line.caption.size() + line.value.size() + line.unit.size() + 3 : line.table.size();
    }
    text.reserve(length);
    for (const Line& line : lines) {
        if (!line.table.isEmpty()) {
            text += line.table;
        } else {
            text += line.caption + '\t' + line.value + '\t' + line.unit + '\n';
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
