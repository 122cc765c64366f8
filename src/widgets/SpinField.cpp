#include "widgets/SpinField.h"

#include "widgets/EntryField.h"

#include <QContextMenuEvent>

#include "numeric/key_filter.h"
#include "numeric/spin_field_value.h"
#include "widgets/Feedback.h"
#include "widgets/TypedCharacter.h"

#include <QAccessibleWidget>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QToolButton>

#include <limits>

namespace zandrevio {

namespace {
constexpr int kButtonWidth = 16;
// Holding a step button down repeats the step after 400 ms, then every 100 ms.
constexpr int kRepeatDelayMs = 400;
constexpr int kRepeatIntervalMs = 100;

// The spin field as a screen reader meets it: its text part holds the focus,
// so the field around it never says it has the focus too.
class SpinFieldAccessible : public QAccessibleWidget {
public:
    using QAccessibleWidget::QAccessibleWidget;
    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.focused = false;
        return state;
    }
};

QAccessibleInterface* SpinFieldAccessibleFactory(const QString& key, QObject* object)
{
    if (key == QLatin1String(SpinField::staticMetaObject.className()) && object->isWidgetType()) {
        return new SpinFieldAccessible(static_cast<QWidget*>(object));
    }
    return nullptr;
}

QToolButton* StepButton(QWidget* parent, Qt::ArrowType arrow)
{
    auto* button = new QToolButton(parent);
    button->setArrowType(arrow);
    button->setFocusPolicy(Qt::NoFocus);
    button->setAutoRepeat(true);
    button->setAutoRepeatDelay(kRepeatDelayMs);
    button->setAutoRepeatInterval(kRepeatIntervalMs);
    return button;
}
} // namespace

SpinField::SpinField(QWidget* parent)
    : QWidget(parent)
    , m_editor(new SpinEditor(this))
    , m_up(StepButton(this, Qt::UpArrow))
    , m_down(StepButton(this, Qt::DownArrow))
{
    static const bool factory = [] {
        QAccessible::installFactory(SpinFieldAccessibleFactory);
        return true;
    }();
    (void)factory;
    setFocusProxy(m_editor);
    setFocusPolicy(Qt::StrongFocus);
    connect(m_up, &QToolButton::clicked, this, [this] { Step(1); });
    connect(m_down, &QToolButton::clicked, this, [this] { Step(-1); });
    connect(m_editor, &SpinEditor::exited, this, &SpinField::exited);
}

QString SpinField::text() const
{
    return m_editor->text();
}

void SpinField::setText(const QString& text)
{
    m_editor->setText(text);
}

std::int32_t SpinField::Value() const
{
    return SpinFieldValue(m_editor->text().toStdString());
}

void SpinField::SetValue(std::int32_t value)
{
    m_editor->setText(QString::number(value));
}

void SpinField::Step(int delta)
{
    // No bounds but the 32-bit range itself, where the value stays put
    // rather than jumping to the other end.
    const std::int64_t next = std::int64_t{Value()} + delta;
    if (next < std::numeric_limits<std::int32_t>::min() || next > std::numeric_limits<std::int32_t>::max()) {
        return;
    }
    SetValue(static_cast<std::int32_t>(next));
}

void SpinField::SelectAndFocus()
{
    m_editor->selectAll();
    m_editor->setFocus(Qt::OtherFocusReason);
}

QLineEdit* SpinField::Editor() const
{
    return m_editor;
}

void SpinField::ShareAccessibleNames(QWidget& root)
{
    for (auto* field : root.findChildren<SpinField*>()) {
        field->m_editor->setAccessibleName(field->accessibleName());
        field->m_up->setAccessibleName(field->accessibleName() + QStringLiteral(" up"));
        field->m_down->setAccessibleName(field->accessibleName() + QStringLiteral(" down"));
    }
}

void SpinField::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    const int w = width();
    const int h = height();
    m_editor->setGeometry(0, 0, w - kButtonWidth, h);
    m_up->setGeometry(w - kButtonWidth, 0, kButtonWidth, h / 2);
    m_down->setGeometry(w - kButtonWidth, h / 2, kButtonWidth, h - h / 2);
}

SpinEditor::SpinEditor(SpinField* field)
    : QLineEdit(field)
    , m_field(field)
{
}

void SpinEditor::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Up || event->key() == Qt::Key_Down) {
        m_field->Step(event->key() == Qt::Key_Up ? 1 : -1);
        event->accept();
        return;
    }
    if (IsCopyKey(*event)) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    const auto typed = TypedCharacter(*event);
    // A character beyond 8 bits comes as 0, which no field takes.
    if (typed && (*typed == '\0' || !SpinFieldAccepts(*typed))) {
        event->accept();
        Beep();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void SpinEditor::contextMenuEvent(QContextMenuEvent* event)
{
    FieldMenu(*this, [](const QKeyEvent& key) {
        const auto typed = TypedCharacter(key);
        return IsCopyKey(key) || !typed || (*typed != '\0' && SpinFieldAccepts(*typed));
    })->exec(event->globalPos());
}

void SpinEditor::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    if (event->reason() != Qt::ActiveWindowFocusReason && event->reason() != Qt::PopupFocusReason) {
        emit exited();
    }
}

} // namespace zandrevio
