#pragma once

#include "coverage/server_map.h"

#include <QImage>
#include <QString>
#include <QWidget>

#include <memory>
#include <string>
#include <vector>

// The map of the Coverage page: a hillshade of the terrain with one band of
// the map of many sites over it in colour (the received level, the best
// server, C/I or the overlap count), a legend, the sites marked and named, a
// scale bar and north. Zoomed and panned by the mouse wheel and a drag, or
// by + and - and the arrows; the point under the mouse (or, from the
// keyboard, at the view's centre) is read out.
namespace zandrevio {

struct CoverageMapData {
    ServerBands bands;
    std::vector<float> terrain; // m at each pixel's centre; NaN where the data has none
    struct Site {
        std::string name;
        GeoPoint place;
    };
    std::vector<Site> sites;
    long double thresholdDbm = -100;
};

enum class CoverageBand { Level = 0, BestServer = 1, Ci = 2, Overlap = 3 };

// The hillshade of a grid of heights (Horn, "Hill shading and the reflectance
// map", Proc. IEEE 69(1), 1981: the slope and aspect of a 3 x 3 window, the
// sun from the north-west 45 degrees up), 0 (dark) to 1 a pixel.
std::vector<float> Hillshade(const std::vector<float>& heights, const GridWindow& grid);

// The image of a band over the hillshade, a pixel a grid pixel.
QImage ComposeMap(const CoverageMapData& data, CoverageBand band);

// What the map says at a grid pixel, as the read-out line gives it.
QString ReadoutOf(const CoverageMapData& data, int column, int row);

// The share of the served area at or above the threshold, in all and by the
// site that serves it, as a few lines of text.
QString CoverageSummary(const CoverageMapData& data);

class CoverageMap : public QWidget {
    Q_OBJECT

public:
    explicit CoverageMap(QWidget* parent = nullptr);

    void SetData(std::shared_ptr<const CoverageMapData> data);
    const std::shared_ptr<const CoverageMapData>& Data() const { return m_data; }
    void SetBand(CoverageBand band);
    CoverageBand Band() const { return m_band; }

    // The whole map (not the view) with its legend, sites, scale and north, as saved and copied.
    QSize PictureSize() const;
    void PaintPicture(QPainter& painter) const;

    double Zoom() const { return m_zoom; }
    // The grid pixel at a point of the widget, or (-1, -1); where a place lies in the widget.
    QPoint PixelAt(QPointF point) const;
    QPointF ScreenOf(GeoPoint place) const;

signals:
    void Readout(const QString& text);

protected:
    void paintEvent(QPaintEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void ZoomBy(double factor, QPointF about);
    void ReadAt(QPointF point);
    // The overlays on a view of the map: `toScreen` a grid pixel's place.
    void PaintOverlays(QPainter& painter, QRectF area, double pixelsPerCell, const std::function<QPointF(QPointF)>& toScreen) const;

    std::shared_ptr<const CoverageMapData> m_data;
    CoverageBand m_band = CoverageBand::Level;
    QImage m_image;
    double m_zoom = 1.0;    // screen pixels a grid pixel
    QPointF m_centre;       // the grid's point at the view's centre
    QPointF m_dragFrom;
    bool m_dragging = false;
};

} // namespace zandrevio
