#pragma once

#include <QImage>
#include <QWidget>

namespace zandrevio {

// The image control of the downtilt plot: a bitmap the size of the control
// that keeps its pixels between draws and is blank until the first one.
// Writes a plot to a file: SVG where the name ends in ".svg", else PNG.
bool SavePlot(const QImage& plot, const QString& file, const QString& title);

class PlotImage : public QWidget {
    Q_OBJECT

public:
    explicit PlotImage(QWidget* parent = nullptr);

    // The bitmap, made the size of the control when first asked for (also
    // while the page is hidden, before the control has had a resize event).
    QImage& Surface();

protected:
    void paintEvent(QPaintEvent* event) override;
    // "Copy image" and "Save image as..." (PNG or SVG).
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    QImage m_surface;
};

} // namespace zandrevio
