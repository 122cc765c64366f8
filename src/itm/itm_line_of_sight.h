#pragma once

#include "numeric/real.h"
#include "itm/itm_parameters.h"

// The line-of-sight range of the Irregular Terrain Model: the two-ray sum of
// the direct wave and the ground's reflection, damped by the terrain's
// roughness, weighted against the extrapolated diffraction line.
namespace zandrevio::itm {

class LineOfSightRange {
public:
    // The diffraction line A_ed + m_d s that the two-ray loss is weighted against.
    LineOfSightRange(const PathParameters& path, const PathSums& sums, fp::Real diffractionIntercept,
                     fp::Real diffractionSlope);

    // A_los(s) (dB) at a distance s (m) short of the smooth earth's horizons.
    fp::Real At(fp::Real distanceM) const;

private:
    const PathParameters& m_path;
    fp::Real m_intercept;
    fp::Real m_slope;
    fp::Real m_weight; // w of the two-ray term
};

} // namespace zandrevio::itm
