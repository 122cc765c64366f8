#include "widgets/ResultLabel.h"

#include "widgets/CopyResults.h"

#include <QAccessibleWidget>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>

namespace zandrevio {

namespace {
// A result as a screen reader meets it: its caption, text and unit in its
// name, which the label announces whenever its text changes.
class ResultAccessible : public QAccessibleWidget {
public:
    explicit ResultAccessible(ResultLabel* label)
        : QAccessibleWidget(label, QAccessible::StaticText)
    {
    }
    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name && widget()->accessibleName().isEmpty()) {
            return static_cast<const ResultLabel*>(widget())->SpokenText();
        }
        return QAccessibleWidget::text(t);
    }
};

// Notes as a screen reader meets them: their label's name, then the notes.
class NoteAccessible : public QAccessibleWidget {
public:
    explicit NoteAccessible(NoteLabel* label)
        : QAccessibleWidget(label, QAccessible::StaticText)
    {
    }
    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name) {
            return static_cast<const NoteLabel*>(widget())->SpokenText();
        }
        return QAccessibleWidget::text(t);
    }
};

QAccessibleInterface* ResultAccessibleFactory(const QString& key, QObject* object)
{
    if (key == QLatin1String(ResultLabel::staticMetaObject.className()) && object->isWidgetType()) {
        return new ResultAccessible(static_cast<ResultLabel*>(object));
    }
    if (key == QLatin1String(NoteLabel::staticMetaObject.className()) && object->isWidgetType()) {
        return new NoteAccessible(static_cast<NoteLabel*>(object));
    }
    return nullptr;
}

void InstallResultAccessibleFactory()
{
    static const bool factory = [] {
        QAccessible::installFactory(ResultAccessibleFactory);
        return true;
    }();
    (void)factory;
}
} // namespace

ResultLabel::ResultLabel(QWidget* parent)
    : QLabel(parent)
{
    InstallResultAccessibleFactory();
    // The text becomes selectable when first reached (start-up makes no
    // text control for the labels); the focus reaches it from the start.
    setFocusPolicy(Qt::StrongFocus);
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(1);
    setAutoFillBackground(true);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    white.setColor(QPalette::WindowText, Qt::black);
    setPalette(white);
    setIndent(2);
}

void ResultLabel::SetTextColor(const QColor& color)
{
    QPalette p = palette();
    p.setColor(QPalette::WindowText, color);
    setPalette(p);
}

QColor ResultLabel::TextColor() const
{
    return palette().color(QPalette::WindowText);
}

void ResultLabel::Describe(const QString& caption, const QString& unit, QLabel* captionLabel)
{
    m_caption = caption;
    m_unit = unit;
    if (captionLabel != nullptr) {
        captionLabel->setBuddy(this);
    }
}

QString ResultLabel::SpokenText() const
{
    // A result not yet calculated is read by its caption alone.
    if (text().isEmpty() && !m_caption.isEmpty()) {
        return m_caption;
    }
    QString spoken = m_caption.isEmpty() ? text() : m_caption + ": " + text();
    const QString unit = Unit();
    return unit.isEmpty() ? spoken : spoken + ' ' + unit;
}

void ResultLabel::MakeSelectable()
{
    // A label starts with links clickable by mouse, never selectable text.
    if (!(textInteractionFlags() & Qt::TextSelectableByKeyboard)) {
        setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
        setFocusPolicy(Qt::StrongFocus);
    }
}

void ResultLabel::focusInEvent(QFocusEvent* event)
{
    MakeSelectable();
    QLabel::focusInEvent(event);
    update();
}

void ResultLabel::mousePressEvent(QMouseEvent* event)
{
    MakeSelectable();
    QLabel::mousePressEvent(event);
}

void ResultLabel::keyPressEvent(QKeyEvent* event)
{
    const bool copy = event->matches(QKeySequence::Copy) ||
        (event->key() == Qt::Key_Insert && event->modifiers() == Qt::ControlModifier);
    if (copy && !hasSelectedText()) {
        QGuiApplication::clipboard()->setText(text());
        event->accept();
        return;
    }
    if (copy) {
        QGuiApplication::clipboard()->setText(selectedText());
        event->accept();
        return;
    }
    QLabel::keyPressEvent(event);
}

void ResultLabel::contextMenuEvent(QContextMenuEvent* event)
{
    QMenu menu(this);
    menu.addAction(tr("Copy"), this,
                   [this] { QGuiApplication::clipboard()->setText(hasSelectedText() ? selectedText() : text()); });
    AddCopyResults(menu, this);
    menu.exec(event->globalPos());
}

QFont ResultLabel::ShownFont() const
{
    QFont shown = font();
    const int room = contentsRect().width() - 2 * indent();
    // A pixel at a time down to 6 pixels: enough for the longest result.
    int size = shown.pixelSize() > 0 ? shown.pixelSize() : QFontInfo(shown).pixelSize();
    while (size > 6 && QFontMetrics(shown).horizontalAdvance(text()) > room) {
        shown.setPixelSize(--size);
    }
    return shown;
}

void ResultLabel::paintEvent(QPaintEvent* event)
{
    const QFont shown = ShownFont();
    if (shown == font()) {
        QLabel::paintEvent(event);
    } else {
        // Too long for the label's own font: drawn smaller, the frame as ever.
        QFrame::paintEvent(event);
        QPainter painter(this);
        painter.setFont(shown);
        painter.setPen(palette().color(QPalette::WindowText));
        painter.drawText(contentsRect().adjusted(indent(), 0, -indent(), 0), static_cast<int>(alignment()), text());
    }
    if (hasFocus()) {
        // A dotted black frame just inside the sunken one: 21:1 on the white ground.
        QPainter painter(this);
        QPen dotted(Qt::black, 1, Qt::DotLine);
        painter.setPen(dotted);
        painter.drawRect(contentsRect().adjusted(0, 0, -1, -1));
    }
}

void ResultLabel::focusOutEvent(QFocusEvent* event)
{
    QLabel::focusOutEvent(event);
    update();
}

NoteLabel::NoteLabel(QWidget* parent)
    : QLabel(parent)
{
    InstallResultAccessibleFactory();
}

void NoteLabel::SetNotes(const QStringList& notes)
{
    m_notes = notes;
    setText(notes.join(QStringLiteral("; ")));
    // The label has a name of its own, so setText announces nothing.
    QAccessibleEvent changed(this, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&changed);
}

QFont NoteLabel::ShownFont() const
{
    QFont shown = font();
    const QRect room = contentsRect();
    const auto fits = [&](const QFont& f) {
        return QFontMetrics(f).boundingRect(room, Qt::TextWordWrap, text()).height() <= room.height();
    };
    // A pixel at a time down to 6 pixels: four warnings fit in three lines.
    int size = shown.pixelSize() > 0 ? shown.pixelSize() : QFontInfo(shown).pixelSize();
    while (size > 6 && !fits(shown)) {
        shown.setPixelSize(--size);
    }
    return shown;
}

void NoteLabel::paintEvent(QPaintEvent* event)
{
    const QFont shown = ShownFont();
    if (shown == font()) {
        QLabel::paintEvent(event);
        return;
    }
    // More notes than the label's lines hold: drawn smaller, wrapped as ever.
    QPainter painter(this);
    painter.setFont(shown);
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(contentsRect(), static_cast<int>(alignment()) | Qt::TextWordWrap, text());
}

QString NoteLabel::SpokenText() const
{
    return m_notes.isEmpty() ? accessibleName() : accessibleName() + QStringLiteral(": ") + text();
}

CaptionLabel::CaptionLabel(QWidget* parent)
    : QLabel(parent)
{
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(1);
    setIndent(2);
}

} // namespace zandrevio
