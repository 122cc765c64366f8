#include "propagation/knife_edge.h"

namespace zandrevio {

using fp::Real;

// ITU-R P.526-15 eq. (31): J(ν) = 6.9 + 20 log10(√((ν − 0.1)² + 1) + ν − 0.1), for ν > −0.78.
Real KnifeEdgeLoss(Real nu)
{
    if (nu <= -0.78L) {
        return 0.0L;
    }
    const Real shifted = nu - 0.1L;
    return 6.9L + 20.0L * fp::Log10(fp::Sqrt(fp::Square(shifted) + 1.0L) + shifted);
}

// ITU-R P.526-15 eq. (26): ν = h √((2 / λ) (1/d1 + 1/d2)), d1 and d2 in metres.
Real KnifeEdgeParameter(Real heightM, Real d1Km, Real d2Km, Real wavelengthM)
{
    return heightM * fp::Sqrt(2.0L / wavelengthM * (1.0L / (d1Km * 1000.0L) + 1.0L / (d2Km * 1000.0L)));
}

} // namespace zandrevio
