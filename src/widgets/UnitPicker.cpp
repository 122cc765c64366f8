#include "widgets/UnitPicker.h"

#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>

#include <QStyledItemDelegate>
#include <algorithm>

namespace zandrevio {

namespace {
class RowDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        return {QStyledItemDelegate::sizeHint(option, index).width(), UnitPicker::kRowHeight};
    }
};

// A 2-pixel sunken frame leaves a 20-pixel box exactly one 16-pixel row.
constexpr int kFrameWidth = 2;
} // namespace

UnitPicker::UnitPicker(QWidget* parent)
    : QListWidget(parent)
{
    setItemDelegate(new RowDelegate(this));
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(kFrameWidth);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    setUniformItemSizes(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setDragEnabled(false);
    setTabKeyNavigation(false);
    // Pickers are silver; the cable list sets its own white.
    QPalette silver = palette();
    silver.setColor(QPalette::Base, QColor(192, 192, 192));
    setPalette(silver);
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, [this](int top) {
        if (hasFocus() && top >= 0 && top < count()) {
            selectionModel()->setCurrentIndex(model()->index(top, 0), QItemSelectionModel::NoUpdate);
        }
    });
}

void UnitPicker::focusInEvent(QFocusEvent* event)
{
    QListWidget::focusInEvent(event);
    if (TopIndex() >= 0 && TopIndex() < count()) {
        selectionModel()->setCurrentIndex(model()->index(TopIndex(), 0), QItemSelectionModel::NoUpdate);
    }
    viewport()->update();
}

void UnitPicker::focusOutEvent(QFocusEvent* event)
{
    QListWidget::focusOutEvent(event);
    selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
    viewport()->update();
}

void UnitPicker::paintEvent(QPaintEvent* event)
{
    QListWidget::paintEvent(event);
    if (hasFocus()) {
        QPainter painter(viewport());
        painter.setPen(QPen(Qt::black, 1, Qt::DotLine));
        painter.drawRect(viewport()->rect().adjusted(0, 0, -1, -1));
    }
}

void UnitPicker::keyPressEvent(QKeyEvent* event)
{
    const int last = count() - 1;
    int top = TopIndex();
    switch (event->key()) {
    case Qt::Key_Up:
    case Qt::Key_Left:
    case Qt::Key_PageUp:
        top = std::max(top - 1, 0);
        break;
    case Qt::Key_Down:
    case Qt::Key_Right:
    case Qt::Key_PageDown:
        top = std::min(top + 1, last);
        break;
    case Qt::Key_Home:
        top = 0;
        break;
    case Qt::Key_End:
        top = last;
        break;
    default:
        QListWidget::keyPressEvent(event);
        return;
    }
    SetTopIndex(top);
    event->accept();
}

void UnitPicker::SetItems(const QStringList& items)
{
    clear();
    addItems(items);
    SetTopIndex(0);
}

int UnitPicker::TopIndex() const
{
    // Scrolling per item, the scroll bar's value is the index of the top row.
    return verticalScrollBar()->value();
}

QString UnitPicker::ShownText() const
{
    const QListWidgetItem* shown = item(TopIndex());
    return shown != nullptr ? shown->text() : QString();
}

void UnitPicker::SetTopIndex(int index)
{
    // The scroll range is laid out lazily; lay it out now so that a picker
    // set before the window is shown keeps its index.
    doItemsLayout();
    updateGeometries();
    verticalScrollBar()->setValue(index);
}

} // namespace zandrevio
