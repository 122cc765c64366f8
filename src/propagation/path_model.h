#pragma once

#include "calculation/calculation.h"
#include "propagation/path_link.h"
#include "terrain/profile.h"

#include <string>
#include <vector>

// The models of the loss a link over a profile can be given: delta-Bullington
// (the link's own) or Longley-Rice, whose loss then takes the place of the
// link's in its budget (PathBudgetAt).
namespace zandrevio {

enum class PathModel { DeltaBullington = 0, LongleyRice = 1 };
inline constexpr Choice kPathModels[] = {{"ITU-R P.526 (delta-Bullington)", "delta-bullington"},
                                         {"Longley-Rice (ITM)", "itm"}};

// An antenna's altitude above sea level: the ground at its end of the
// profile (the transmitter's at the first point, the receiver's at the last)
// plus its height above the ground.
long double AntennaAltitudeM(const TerrainProfile& profile, bool receiver, long double heightM);

} // namespace zandrevio
