#pragma once

#include "propagation/path_link.h"
#include "terrain/path_source.h"
#include "widgets/FieldTable.h"

#include <QWidget>

#include <memory>

namespace Ui {
class PathPanel;
}

namespace zandrevio {

// The Path page: a point-to-point link over real terrain, its profile read
// from a CSV file or cut from elevation data between two places. It shows
// the link's clearance and loss, the budget where one is given, and the
// profile drawn with the line of sight and the Fresnel zone.
class PathPanel : public QWidget {
    Q_OBJECT

public:
    explicit PathPanel(QWidget* parent = nullptr);
    ~PathPanel() override;

    // Loads the profile, runs the link over it and shows the results and the plot.
    void CalculateClick();
    // Asks for the profile's CSV file, or for the elevation rasters, and puts
    // the names chosen into the file field.
    void BrowseClick();

private:
    bool ElevationData() const;
    // Where the user's profile comes from, as the fields say.
    PathSource Source() const;
    // The link's fields, the budget's only where the budget is in use.
    Inputs<PathField> LinkInputs() const;
    void ShowResult(const PathResult& result, const std::optional<DemPath>& dem);
    // The place and the name of the file field's caption follow the source.
    void SourceClick();

    const std::unique_ptr<Ui::PathPanel> m_ui;
    FieldTable<PathField> m_link;
    FieldTable<PathField> m_budget;
};

} // namespace zandrevio
