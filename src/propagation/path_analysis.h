#pragma once

#include "calculation/calculation.h"
#include "fixed_link/availability.h"
#include "itm/itm.h"
#include "propagation/path_antennas.h"
#include "propagation/path_link.h"
#include "terrain/path_source.h"

#include <optional>
#include <string_view>

// A link over terrain as a planner works it out: the profile from its
// source, the loss by delta-Bullington or Longley-Rice with the budget, and
// from the budget's fade margin the hop's availability against rain and
// multipath.
namespace zandrevio {

struct PathAnalysisInputs {
    PathSource source;
    Inputs<PathField> link;
    // Longley-Rice's own fields where it gives the loss; its frequency,
    // antenna heights and polarization are the link's. None: delta-Bullington.
    std::optional<Inputs<ItmField>> itm;
    // The hop's rain and climate where its availability is asked for; its
    // distance, frequency, polarization, antenna altitudes and fade margin are
    // the link's.
    std::optional<Inputs<AvailabilityField>> availability;
    // Only the loss and the budget on it are wanted (a map's point): with
    // Longley-Rice, the link's geometry and delta-Bullington are left out.
    bool lossOnly = false;
    // Antennas given by their patterns: their gains toward the path take
    // the place of the link's typed gains.
    LinkAntennas antennas;
    // A pattern file that could not be read: the analysis refuses it.
    std::optional<Refusal<std::string_view>> antennaFault;
};

struct PathAnalysis {
    LoadedProfile loaded;
    PathResult link; // with the model's loss, the budget on it and the warnings of all
    std::optional<ItmResult> itm;
    std::optional<AvailabilityResult> availability;
    LinkGains gains; // the patterns' gains used, where antennas were given by their patterns
    // The availability was asked for, and the link has no fade margin to give it.
    bool noFadeMargin = false;
};

// Refused at the option of the field at fault (a profile's fault at its
// source's), as the command line names it.
Outcome<PathAnalysis, std::string_view> AnalysePath(const PathAnalysisInputs& in);
// The same over a profile already loaded (the source only names the option
// of a refusal): a map's lattice point, whose profile its radial cut.
Outcome<PathAnalysis, std::string_view> AnalyseProfile(LoadedProfile loaded, const PathAnalysisInputs& in);

} // namespace zandrevio
