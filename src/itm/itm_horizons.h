#pragma once

#include "numeric/real.h"
#include "itm/itm_parameters.h"
#include "itm/itm_profile.h"

#include <array>

// The point-to-point geometry of the Irregular Terrain Model: each
// terminal's radio horizon over the profile, then the effective heights and,
// on a line-of-sight path, the horizons of the smooth earth that stands for
// the terrain.
namespace zandrevio::itm {

struct Horizons {
    std::array<long double, 2> anglesRad;  // θ_e: elevation angles of the horizons
    std::array<long double, 2> distancesM; // d_L: each terminal's distance to its horizon
};

// The horizons over the profile of terminals heightsM above its ends, the
// earth curved by γ_e; on a line-of-sight path each is the other terminal.
Horizons FindHorizons(const UniformProfile& profile, const std::array<long double, 2>& heightsM, fp::Real curvature);

// Fills in Δh, the effective heights, the horizon distances and angles of
// `path` (whose heights and γ_e are set) from the profile.
void PreparePointToPointTerminals(PathParameters& path, const UniformProfile& profile);

} // namespace zandrevio::itm
