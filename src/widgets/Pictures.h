#pragma once

#include <QPixmap>

namespace zandrevio {

// The small picture right of a "Calculate" caption.
QPixmap CalculatePicture();
// The small picture right of the "Draw" caption.
QPixmap DrawPicture();

} // namespace zandrevio
