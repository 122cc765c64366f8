#pragma once

class QWidget;

namespace zandrevio {

// Enter and keypad Enter press a focused push button under `root`, as Space
// does.
void PressButtonsOnEnter(QWidget& root);

} // namespace zandrevio
