#pragma once

#include <QWidget>

namespace zandrevio {

class CalculationForm;
class PlotImage;
struct AntennaPattern;

// The Antenna page's pattern file: the registry's `pattern` form (the file,
// a direction and the antenna's mounting; the gain toward it, the
// beamwidths, front-to-back and tilt), Browse for the file, and its
// horizontal and vertical cuts drawn as polar plots, each copied and saved
// (PNG or SVG) from its menu.
class PatternPanel : public QWidget {
    Q_OBJECT

public:
    explicit PatternPanel(QWidget* parent = nullptr);

    void BrowseClick();
    // After the form's Calculate: the file's cuts drawn, or the plots
    // cleared where the form refused.
    void DrawPattern();

private:
    CalculationForm* m_form;
    PlotImage* m_horizontal;
    PlotImage* m_vertical;
};

} // namespace zandrevio
