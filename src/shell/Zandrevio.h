#pragma once

#include <QWidget>

namespace zandrevio {

// The main window: five pages of calculators and the About button.
class TZandrevio : public QWidget {
    Q_OBJECT

public:
    explicit TZandrevio(QWidget* parent = nullptr);
};

} // namespace zandrevio
