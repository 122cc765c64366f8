#pragma once

#include "numeric/real.h"
#include "itm/itm_parameters.h"

// The reference attenuation of the Irregular Terrain Model: the median
// attenuation relative to free space, from three ranges joined end to end:
// line of sight up to the smooth earth's horizons, diffraction beyond, and
// troposcatter where it carries more than diffraction.
namespace zandrevio {

// The range a path's distance falls in, and so the mechanism that dominates.
enum class ItmMode { LineOfSight = 0, Diffraction = 1, Troposcatter = 2 };

namespace itm {

struct ReferenceAttenuation {
    long double db; // A_ref, not below 0
    ItmMode mode;
    long double smoothHorizonsM;        // d_Ls: where the line-of-sight range ends
    long double scatterFromM;           // d_x: where troposcatter takes over
    long double diffractionInterceptDb; // A_ed
    long double diffractionSlopeDbPerM; // m_d
};

// A_ref at the distance (m) of a path whose parameters are prepared.
ReferenceAttenuation ComputeReference(const PathParameters& path, fp::Real distanceM);

} // namespace itm
} // namespace zandrevio
