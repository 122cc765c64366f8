#include "widgets/ButtonKeys.h"

#include <QEvent>
#include <QKeyEvent>
#include <QPushButton>

namespace zandrevio {

namespace {
class EnterPresses : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress) {
            return false;
        }
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter) {
            return false;
        }
        auto* button = qobject_cast<QPushButton*>(watched);
        if (button == nullptr || !button->isEnabled()) {
            return false;
        }
        button->click();
        return true;
    }
};
} // namespace

void PressButtonsOnEnter(QWidget& root)
{
    auto* filter = new EnterPresses(&root);
    for (QPushButton* button : root.findChildren<QPushButton*>()) {
        button->installEventFilter(filter);
    }
}

} // namespace zandrevio
