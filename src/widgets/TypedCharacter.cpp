#include "widgets/TypedCharacter.h"

#include <QKeyEvent>

namespace zandrevio {

std::optional<char> TypedCharacter(const QKeyEvent& event)
{
    const int key = event.key();
    // Tab with any modifier moves the focus or the page; it types nothing.
    if (key == Qt::Key_Tab || key == Qt::Key_Backtab) {
        return std::nullopt;
    }
    if (key == Qt::Key_Delete || key == Qt::Key_Left || key == Qt::Key_Right || key == Qt::Key_Home ||
        key == Qt::Key_End || key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_Insert) {
        return std::nullopt;
    }
    const bool control = (event.modifiers() & Qt::ControlModifier) && !(event.modifiers() & Qt::AltModifier);
    if (control && key >= Qt::Key_A && key <= Qt::Key_Z) {
        return static_cast<char>(key - Qt::Key_A + 1);
    }
    switch (key) {
    case Qt::Key_Backspace:
        return '\b';
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return '\r';
    case Qt::Key_Escape:
        return '\x1b';
    default:
        break;
    }
    const QString text = event.text();
    if (text.isEmpty()) {
        return std::nullopt;
    }
    const char16_t code = text.at(0).unicode();
    return code < 256 && text.size() == 1 ? static_cast<char>(code) : '\0';
}

} // namespace zandrevio
