#pragma once

#include <QImage>
#include <QMenu>
#include <QWidget>

#include <functional>
#include <memory>

class QPainter;

namespace zandrevio {

// The image control of a plot: a bitmap the size of the control that keeps
// its pixels between draws and is blank until the first one. It takes the
// focus, marked by a dotted frame, and opens its menu from the keyboard.
// Writes a plot to a file: SVG where the name ends in ".svg", else PNG.
bool SavePlot(const QImage& plot, const QString& file, const QString& title,
              const QString& description = QString());
// The file a name chosen in the save dialog stands for: a name without
// ".png" or ".svg" takes the extension of the file type chosen.
QString PlotFileName(const QString& chosen, const QString& chosenType);

// The area a plot is painted in, in the control's units whatever the scale.
QRectF PlotArea(const QImage& surface);

class PlotImage : public QWidget {
    Q_OBJECT

public:
    explicit PlotImage(QWidget* parent = nullptr);

    // The bitmap, made the size of the control in the screen's pixels when
    // first asked for (also while the page is hidden, before the control has
    // had a resize event). Drawers paint it in the control's own units: its
    // area is PlotArea(surface).
    QImage& Surface();
    // A plot whose control follows the page's width: drawn onto the bitmap
    // now and again whenever the control's size changes.
    void Draw(std::function<void(QImage&)> draw);
    // The plot as it is copied and saved: a painting of its own size with
    // axes and scale, drawn onto an image or, in SVG, as vectors. Without
    // one, the bitmap.
    void SetPicture(QSize size, std::function<void(QPainter&)> paint);
    QImage Picture();
    // Blank again, as before the first draw, with no text alternative.
    void Clear();
    // Writes the picture: SVG (vectors) where the name ends in ".svg", else
    // PNG. An SVG is titled `title` and described by the plot's text
    // alternative, its accessible description.
    bool SavePicture(const QString& file, const QString& title);
    // "Copy image", "Save image as..." (PNG or SVG) and the page's "Copy results".
    std::unique_ptr<QMenu> ContextMenu();

protected:
    void paintEvent(QPaintEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    // The Menu key and Shift+F10 open the context menu.
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    QImage m_surface;
    std::function<void(QImage&)> m_draw;
    QSize m_pictureSize;
    std::function<void(QPainter&)> m_paint;
};

} // namespace zandrevio
