#pragma once

#include "calculation/protocol.h"
#include "fixed_link/availability.h"
#include "itm/itm.h"
#include "propagation/path_link.h"
#include "terrain/path_source.h"
#include "widgets/FieldTable.h"

#include <QWidget>

#include <memory>

namespace Ui {
class PathPanel;
}

class QGroupBox;

namespace zandrevio {

class ResultLabel;

class ResultGrid;

// The Path page: a point-to-point link over real terrain, its profile read
// from a CSV file or cut from elevation data between two places. It shows
// the link's clearance and loss, the budget where one is given, and the
// profile drawn with the line of sight and the Fresnel zone. The loss is
// delta-Bullington's or Longley-Rice's, as chosen; with "Availability" on,
// the budget's fade margin gives the hop's outage in rain and multipath.
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
    bool LongleyRice() const;
    // The field of the page that answers for an option of `path`, or Calculate.
    QWidget* WidgetOfOption(std::string_view option) const;
    void ShowResult(const PathResult& result, const std::optional<DemPath>& dem, const std::optional<ItmMode>& mode);
    // The availability's results, or the note that without a fade margin there are none.
    void ShowAvailability(const std::optional<AvailabilityResult>& availability, bool noMargin);
    // What the model's loss is made of, in the Details group below the rest:
    // the rows of `values`, written, the page made long enough for them.
    void ShowDetails(const std::vector<ResultValue>& values);
    // The foot of the page below the details: the hop's availability where
    // it is shown, then the warnings.
    void LayOutFoot();
    // Empties every result, the plot and the warnings: a calculation that
    // stops leaves nothing that looks like its answer.
    void ClearResults();
    // The availability's rows: caption, result and unit.
    struct HopRow {
        QWidget* caption;
        ResultLabel* result;
        QWidget* unit;
    };
    std::vector<HopRow> HopRows() const;
    // ITM's fields are shown with ITM chosen, and its mode in place of the loss's parts.
    void ModelClick();
    // The place and the name of the file field's caption follow the source.
    void SourceClick();

    const std::unique_ptr<Ui::PathPanel> m_ui;
    FieldTable<PathField> m_link;
    FieldTable<PathField> m_budget;
    FieldTable<ItmField> m_itm;
    FieldTable<AvailabilityField> m_availability;
    QGroupBox* m_detailsGroup;
    QGroupBox* m_hopGroup;
    ResultGrid* m_details;
};

} // namespace zandrevio
