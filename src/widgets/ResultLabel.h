#pragma once

#include <QLabel>

namespace zandrevio {

// A sunken label with a white ground holding the text a calculation last wrote.
class ResultLabel : public QLabel {
    Q_OBJECT

public:
    explicit ResultLabel(QWidget* parent = nullptr);

    void SetTextColor(const QColor& color);
    QColor TextColor() const;
};

// A sunken caption or unit label in the button-face colour.
class CaptionLabel : public QLabel {
    Q_OBJECT

public:
    explicit CaptionLabel(QWidget* parent = nullptr);
};

} // namespace zandrevio
