#include "propagation/free_space.h"

#include "numeric/radio.h"

namespace zandrevio {

using fp::Real;

Real WavelengthM(Real frequencyMHz)
{
    return kSpeedOfLight / (frequencyMHz * 1.0e6L);
}

// ITU-R P.525-4 §2.2 eq. (4): Lbf = 20 log10(4 π d / λ), d and λ in metres.
Real FreeSpaceBasicLoss(Real distanceKm, Real frequencyMHz)
{
    return 20.0L * fp::Log10(4.0L * radio::kPi * (distanceKm * 1000.0L) / WavelengthM(frequencyMHz));
}

} // namespace zandrevio
