#include "widgets/CalculateButton.h"

#include "widgets/Pictures.h"

namespace zandrevio {

CalculateButton::CalculateButton(QWidget* parent)
    : QPushButton(parent)
{
    // Right to left puts the picture after the caption.
    setLayoutDirection(Qt::RightToLeft);
    setIcon(CalculatePicture());
    setIconSize(QSize(12, 14));
}

void CalculateButton::UseDrawPicture()
{
    setIcon(DrawPicture());
    setIconSize(QSize(14, 14));
}

} // namespace zandrevio
