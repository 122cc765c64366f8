#include "receiver/StageTable.h"

#include "numeric/app_error.h"
#include "numeric/format.h"
#include "numeric/parse_real.h"
#include "receiver/receiver_results.h"
#include "widgets/EntryField.h"
#include "widgets/FieldIo.h"
#include "widgets/ItemViewFocus.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QStyledItemDelegate>
#include <QAccessible>
#include <QApplication>

namespace zandrevio {

namespace {
QString SpokenColumn(int column);

// Each cell is typed in the field its column's values need: text for the
// name, a signed decimal for the numbers (a gain and an intercept may be
// negative).
class StageDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex& index) const override
    {
        EntryField* editor = nullptr;
        if (index.column() == StageTable::Name) {
            editor = new TextField(parent);
        } else {
            editor = new SignedDecimalField(parent);
        }
        editor->setFrame(false);
        // Read as the cell it edits: its column's spoken caption and the stage.
        editor->setAccessibleName(StageTable::tr("%1, stage %2").arg(SpokenColumn(index.column())).arg(index.row() + 1));
        return editor;
    }
};

// In two lines, so that the eight columns fit the page's width.
const char* const kHeaders[] = {"Name",         "Gain\n(dB)",      "NF\n(dB)",         "OIP3\n(dBm)",
                                "OP1dB\n(dBm)", "NF so far\n(dB)", "Noise\nshare (%)", "IP3\nshare (%)"};
const char* const kSpoken[] = {"Stage name",
                               "Stage gain (dB)",
                               "Stage noise figure (dB)",
                               "Stage output IP3 (dBm)",
                               "Stage output P1dB (dBm)",
                               "Noise figure to this stage (dB)",
                               "Share of the added noise (%)",
                               "Share of the intermodulation (%)"};

QString SpokenColumn(int column)
{
    return StageTable::tr(kSpoken[column]);
}

std::optional<long double> ReadCell(const QTableWidgetItem* item)
{
    const QString text = item == nullptr ? QString() : item->text().trimmed();
    if (text.isEmpty()) {
        return std::nullopt;
    }
    return ParseReal(text.toStdString());
}
} // namespace

StageTable::StageTable(QWidget* parent)
    : QTableWidget(0, ColumnCount, parent)
{
    setItemDelegate(new StageDelegate(this));
    for (int column = 0; column < ColumnCount; ++column) {
        auto* header = new QTableWidgetItem(tr(kHeaders[column]));
        header->setToolTip(tr(kSpoken[column]));
        header->setData(Qt::AccessibleTextRole, tr(kSpoken[column]));
        setHorizontalHeaderItem(column, header);
    }
    horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    horizontalHeader()->setStretchLastSection(true);
    verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    // Tab leaves the table for the next control; the arrows move between cells.
    setTabKeyNavigation(false);
    CurrentOnlyWhileFocused(*this);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::AnyKeyPressed);
}

std::variant<std::vector<CascadeStage>, StageTable::CellRefusal> StageTable::Stages() const
{
    std::vector<CascadeStage> stages;
    for (int row = 0; row < rowCount(); ++row) {
        CascadeStage stage;
        const QTableWidgetItem* name = item(row, Name);
        stage.name = name != nullptr && !name->text().trimmed().isEmpty() ? name->text().trimmed().toStdString()
                                                                          : "stage " + std::to_string(row + 1);
        int column = Gain;
        try {
            const std::optional<long double> gain = ReadCell(item(row, Gain));
            if (!gain) {
                return CellRefusal{row, Gain,
                                   "Stage " + std::to_string(row + 1) + " (" + stage.name +
                                       ") has no gain: type it in dB, negative for a loss",
                                   false};
            }
            stage.gainDb = *gain;
            column = NoiseFigure;
            stage.noiseFigureDb = ReadCell(item(row, NoiseFigure));
            column = Oip3;
            stage.oip3Dbm = ReadCell(item(row, Oip3));
            column = Op1db;
            stage.op1dbDbm = ReadCell(item(row, Op1db));
        } catch (const ConversionFailure& failure) {
            return CellRefusal{row, column, failure.Message(), true};
        }
        stages.push_back(std::move(stage));
    }
    return stages;
}

void StageTable::SetStage(int row, const QStringList& cells)
{
    for (int column = 0; column < cells.size() && column <= Op1db; ++column) {
        setItem(row, column, new QTableWidgetItem(cells[column]));
    }
    for (int column = NoiseFigureSoFar; column < ColumnCount; ++column) {
        setItem(row, column, ResultItem(QString()));
    }
}

QTableWidgetItem* StageTable::ResultItem(const QString& text) const
{
    auto* result = new QTableWidgetItem(text);
    // Worked out, not typed: selectable to copy, never edited.
    result->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
    result->setBackground(palette().window());
    result->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return result;
}

void StageTable::AddStage()
{
    const QModelIndex current = CurrentOrPutAside(*this);
    const int row = current.isValid() ? current.row() + 1 : rowCount();
    insertRow(row);
    SetStage(row, {QString(), QString(), QString(), QString(), QString()});
    FocusCell(row, Name);
}

void StageTable::RemoveStage()
{
    const QModelIndex current = CurrentOrPutAside(*this);
    if (!current.isValid()) {
        return;
    }
    const int row = current.row();
    const int column = current.column();
    removeRow(row);
    if (rowCount() > 0) {
        setCurrentCell(std::min(row, rowCount() - 1), column);
    }
}

void StageTable::MoveStage(int by)
{
    const QModelIndex current = CurrentOrPutAside(*this);
    const int row = current.row();
    const int to = row + by;
    if (!current.isValid() || to < 0 || to >= rowCount()) {
        return;
    }
    const int column = current.column();
    for (int c = 0; c < ColumnCount; ++c) {
        QTableWidgetItem* here = takeItem(row, c);
        setItem(row, c, takeItem(to, c));
        setItem(to, c, here);
    }
    // The focus stays where it was: a button pressed again moves the stage on.
    setCurrentCell(to, column);
}

void StageTable::ShowShares(const std::vector<StageShare>* shares)
{
    for (int row = 0; row < rowCount(); ++row) {
        QString texts[3];
        if (shares != nullptr && row < static_cast<int>(shares->size())) {
            const StageShare& share = (*shares)[static_cast<std::size_t>(row)];
            texts[0] = ToQString(FormatAs(kStageNoiseFigureResult.format, share.noiseFigureDb));
            texts[1] = ToQString(FormatAs(kStageNoiseShareResult.format, share.noiseShare));
            if (share.ip3Share) {
                texts[2] = ToQString(FormatAs(kStageIp3ShareResult.format, *share.ip3Share));
            }
        }
        for (int i = 0; i < 3; ++i) {
            setItem(row, NoiseFigureSoFar + i, ResultItem(texts[i]));
        }
    }
}

void StageTable::FocusCell(int row, int column)
{
    setCurrentCell(row, column);
    setFocus(Qt::OtherFocusReason);
    if (column <= Op1db) {
        // The view selects the whole text of the editor it opens.
        editItem(item(row, column));
    }
}

bool StageTable::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event)
{
    if (!QTableWidget::edit(index, trigger, event)) {
        return false;
    }
    // The view told a screen reader of the cell; the focus is now the editor's.
    if (QWidget* editor = indexWidget(index) != nullptr ? indexWidget(index) : QApplication::focusWidget();
        editor != nullptr && isAncestorOf(editor)) {
        QAccessibleEvent focus(editor, QAccessible::Focus);
        QAccessible::updateAccessibility(&focus);
    }
    return true;
}

void StageTable::keyPressEvent(QKeyEvent* event)
{
    // Insert adds a stage and Delete removes one, as in a list; Ctrl+Up and
    // Ctrl+Down move the current stage.
    if (state() != QAbstractItemView::EditingState) {
        if (event->key() == Qt::Key_Insert && event->modifiers() == Qt::NoModifier) {
            return AddStage();
        }
        if (event->key() == Qt::Key_Delete && event->modifiers() == Qt::NoModifier) {
            return RemoveStage();
        }
        if ((event->key() == Qt::Key_Up || event->key() == Qt::Key_Down) && event->modifiers() == Qt::ControlModifier) {
            return MoveStage(event->key() == Qt::Key_Up ? -1 : 1);
        }
    }
    QTableWidget::keyPressEvent(event);
}

} // namespace zandrevio
