#pragma once

#include "numeric/real.h"

// Free space over a point-to-point path, with the exact speed of light (the
// older pages of the program take c as 300 m/µs, as their sources did).
namespace zandrevio {

inline constexpr long double kSpeedOfLight = 299'792'458.0L; // m/s

// λ = c / f, in metres, of a frequency in MHz.
fp::Real WavelengthM(fp::Real frequencyMHz);

// The basic transmission loss of free space (dB) over a distance in km.
fp::Real FreeSpaceBasicLoss(fp::Real distanceKm, fp::Real frequencyMHz);

} // namespace zandrevio
