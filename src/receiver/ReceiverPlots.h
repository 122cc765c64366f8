#pragma once

#include "receiver/intermodulation.h"

#include <QString>

#include <string>
#include <vector>

class QImage;
class QPainter;
class QSize;

namespace zandrevio {

// A bar a stage: its share of the noise the chain adds, in %.
struct NoiseShareBar {
    std::string name;
    long double sharePercent;
};

// The bars on the page, each stage's name beneath its own, 0 to 100 %.
void DrawNoiseShareChart(QImage& surface, const std::vector<NoiseShareBar>& bars);
// The same as copied and saved, on a picture of `size`, its axis named.
void PaintNoiseSharePicture(QPainter& painter, QSize size, const std::vector<NoiseShareBar>& bars);
// The chart's text alternative: "LNA 71.43 %, Cable 9.52 %, ...".
QString NoiseShareDescription(const std::vector<NoiseShareBar>& bars);
inline constexpr int kNoiseSharePictureWidth = 560;
inline constexpr int kNoiseSharePictureHeight = 280;

// What the intermodulation plot shows: the carriers, the receive bands and
// the products found in them.
struct IntermodPicture {
    std::vector<long double> carriersMhz;
    std::vector<ReceiveBand> bands;
    std::vector<IntermodProduct> products;
};

// A label centred over a point of a plot's axis, in pixels.
struct LabelSpan {
    double centre;
    double halfWidth;
};
// The labels to print, left to right, each clear of the one before it.
std::vector<std::size_t> LabelsThatFit(const std::vector<LabelSpan>& labels);

// The frequency axis across the carriers and the bands: the bands shaded,
// each carrier a tall black line with its number where the number has room,
// each product a tick whose height and colour tell its order, the key of the
// orders' colours beneath.
void DrawIntermodPlot(QImage& surface, const IntermodPicture& picture);
void PaintIntermodPicture(QPainter& painter, QSize size, const IntermodPicture& picture);
// "3 carriers from 935.2 to 959.8 MHz; 1 band; 4 products in the bands".
QString IntermodDescription(const IntermodPicture& picture);
inline constexpr int kIntermodPictureWidth = 720;
inline constexpr int kIntermodPictureHeight = 320;

} // namespace zandrevio
