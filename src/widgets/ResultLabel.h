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
    // The font the text is shown in: the label's own, made smaller where
    // the text would not fit whole (the longest is "-1.2346E-4951").
    QFont ShownFont() const;

protected:
    void paintEvent(QPaintEvent* event) override;
};

// A sunken caption or unit label in the button-face colour.
class CaptionLabel : public QLabel {
    Q_OBJECT

public:
    explicit CaptionLabel(QWidget* parent = nullptr);
};

} // namespace zandrevio
