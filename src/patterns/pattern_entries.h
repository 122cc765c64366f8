#pragma once

#include "calculation/calculation.h"
#include "calculation/protocol.h"
#include "patterns/antenna_pattern.h"

#include <memory>
#include <string_view>

// Antenna pattern files in the registry.
namespace zandrevio {

// pattern: a file's gain toward a bearing and elevation with the antenna
// mounted at an azimuth and a mechanical tilt, and its beamwidths,
// front-to-back ratio and electrical tilt.
Calculation PatternCalculation();

// A pattern file named by an option, read once and kept while it is
// unchanged (a batch's rows, a map's points); refused at the option, with
// the file's line.
Outcome<std::shared_ptr<const AntennaPattern>, std::string_view> PatternOf(std::string_view option,
                                                                           const std::string& file);

} // namespace zandrevio
