#pragma once

#include "calculation/protocol.h"

// A base station's antenna by its pattern file in the budgets without
// terrain (link-budget and cell-range): its gain toward the mobile takes the
// place of the typed BS gain.
//
// The mobile lies --ms-azimuth degrees off the antenna's boresight
// (clockwise; 0 on it), at the budget's distance, both antennas at their
// heights over flat ground on an earth of 4/3 of its radius: the elevation
// from the mast is the link's own (ITU-R P.452-17's θ over that earth). The
// antenna is tilted down mechanically by --bs-downtilt; the file's
// electrical tilt is in its vertical cut.
namespace zandrevio {

// --bs-pattern, --bs-downtilt and --ms-azimuth.
const std::vector<OptionSpec>& BsPatternOptions();
const ResultSpec& BsPatternGainResult();
const ResultSpec& BsPatternElevationResult();

// The link budget's run with the pattern's gain toward the mobile at its
// distance.
Reply RunLinkBudgetWithPattern(const Variant& plain, const Request& request, const std::vector<std::string_view>& skip);

// The cell range's run with the pattern: the radius is the farthest
// distance (to the metre) at which the budget with the pattern's gain
// toward a mobile there still meets the sensitivity; its gain is the one
// the results give.
Reply RunCellRangeWithPattern(const Variant& plain, const Request& request, const std::vector<std::string_view>& skip);

} // namespace zandrevio
