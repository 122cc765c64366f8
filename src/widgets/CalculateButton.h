#pragma once

#include <QPushButton>

namespace zandrevio {

// A push button that starts a calculation, with a small picture right of its
// caption ("Calculate", or "Draw" for the antenna plot).
class CalculateButton : public QPushButton {
    Q_OBJECT

public:
    explicit CalculateButton(QWidget* parent = nullptr);
    // Changes the picture to the plotting one.
    void UseDrawPicture();
};

} // namespace zandrevio
