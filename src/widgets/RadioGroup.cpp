#include "widgets/RadioGroup.h"

#include <QButtonGroup>
#include <QRadioButton>

namespace zandrevio {

namespace {
constexpr int kMargin = 4;
} // namespace

RadioGroup::RadioGroup(QWidget* parent)
    : QGroupBox(parent)
    , m_buttons(new QButtonGroup(this))
{
    connect(m_buttons, &QButtonGroup::idToggled, this, [this](int, bool checked) {
        if (checked) {
            TabToChecked();
            emit clicked();
        }
    });
}

void RadioGroup::SetItems(const QStringList& items, int columns)
{
    // Read by its own caption: a group inside a titled group would otherwise
    // be read by the outer one's.
    setAccessibleName(title());
    // The buttons share the inside of the frame evenly, column by column.
    const QRect inside = contentsRect().adjusted(kMargin, 0, -kMargin, 0);
    const int rows = (static_cast<int>(items.size()) + columns - 1) / columns;
    const int columnWidth = inside.width() / columns;
    const int rowHeight = inside.height() / rows;
    for (int i = 0; i < items.size(); ++i) {
        auto* button = new QRadioButton(items[i], this);
        button->setObjectName(objectName() + "Item" + QString::number(i));
        button->setGeometry(inside.left() + (i / rows) * columnWidth, inside.top() + (i % rows) * rowHeight,
                            columnWidth - 2, rowHeight);
        m_buttons->addButton(button, i);
    }
    // The buttons come after the group in the Tab order, not at the end of
    // the window, where being created late would put them.
    // (Qt orders only widgets that take the focus, so the group takes it
    // for that moment.)
    const Qt::FocusPolicy policy = focusPolicy();
    setFocusPolicy(Qt::TabFocus);
    QWidget* previous = this;
    for (auto* button : m_buttons->buttons()) {
        QWidget::setTabOrder(previous, button);
        previous = button;
    }
    setFocusPolicy(policy);
    TabToChecked();
}

void RadioGroup::TabToChecked()
{
    // Tab reaches the checked button alone; the arrow keys move between them.
    QAbstractButton* checked = m_buttons->checkedButton();
    for (QAbstractButton* button : m_buttons->buttons()) {
        button->setFocusPolicy(checked == nullptr || button == checked ? Qt::StrongFocus : Qt::ClickFocus);
    }
}

int RadioGroup::ItemIndex() const
{
    return m_buttons->checkedId();
}

void RadioGroup::SetItemIndex(int index)
{
    const QSignalBlocker blocker(m_buttons);
    if (auto* button = m_buttons->button(index)) {
        button->setChecked(true);
    }
    TabToChecked();
}

QRadioButton* RadioGroup::Button(int index) const
{
    return qobject_cast<QRadioButton*>(m_buttons->button(index));
}

} // namespace zandrevio
