#pragma once

#include "numeric/real.h"
#include "itm/itm_parameters.h"

#include <optional>

// The troposcatter range of the Irregular Terrain Model: scatter from the
// common volume of the two horizons' beams, by the attenuation function
// F(θd) and the frequency-gain function H0.
namespace zandrevio::itm {

// ITM 1.2.2 Algorithm, §Troposcatter attenuation: F(θd), the attenuation function of the
// product of scatter angle and distance (m).
fp::Real ScatterAngleDistance(fp::Real thetaD);

// ITM 1.2.2 Algorithm, §Troposcatter attenuation: H_0(r, η_s), the frequency-gain function
// of one terminal's r at the scatter efficiency η_s (at least 1).
fp::Real FrequencyGainTerm(fp::Real r, fp::Real eta);

// Where the path cannot carry troposcatter (both r below 0.2) the range's
// attenuation is this, as the model marks it: anything from 1000 dB on.
inline constexpr long double kNoScatterDb = 1001.0L;

// A_scat(s) (dB) at distances s (m) beyond the horizons. The model keeps the
// frequency gain H_0 of the previous distance where it exceeds 15 dB, so the
// order of the calls matters, as it does in the model: the far distance first.
class ScatterRange {
public:
    ScatterRange(const PathParameters& path, const PathSums& sums);

    fp::Real At(fp::Real distanceM);

private:
    // H_0 at s, none where the path cannot carry troposcatter.
    std::optional<fp::Real> FrequencyGain(fp::Real distanceM) const;

    const PathParameters& m_path;
    PathSums m_sums;
    fp::Real m_asymmetry;   // |d_L1 − d_L2|
    fp::Real m_heightRatio; // h_e of the nearer horizon's terminal over the other's
    fp::Real m_etaFactor;   // the refractivity's factor of η_s
    fp::Real m_lastGain = -15.0L;
};

} // namespace zandrevio::itm
