#pragma once

#include "numeric/real.h"
#include "itm/itm_parameters.h"

// The diffraction range of the Irregular Terrain Model: beyond the smooth
// earth's horizons the loss blends a double knife edge over the horizons with
// the smooth, rounded earth, weighted by how rough the terrain is, plus the
// clutter of the terminals' foregrounds.
namespace zandrevio::itm {

// ITM 1.2.2 Algorithm, §Diffraction attenuation: the knife-edge attenuation A(v) of a
// single edge, of its argument v² (not below 0).
fp::Real KnifeEdge(fp::Real v2);

// ITM 1.2.2 Algorithm, §Diffraction attenuation: the height-gain function F(x, K) of the
// smooth-earth (Vogler) term: x the normalised distance, K the normalised surface impedance.
fp::Real HeightGain(fp::Real x, fp::Real k);

// A_d(s): the diffraction attenuation (dB) at distance s (m) beyond the
// horizons, with what does not depend on s worked out once per path.
class DiffractionRange {
public:
    DiffractionRange(const PathParameters& path, const PathSums& sums);

    fp::Real At(fp::Real distanceM) const;

private:
    const PathParameters& m_path;
    PathSums m_sums;
    fp::Real m_weightHeights;  // the first factor of the weight: √(1 + (h_e1 h_e2 − h_g1 h_g2) / …)
    fp::Real m_weightDistance; // d_L + θ_e / γ_e, over s the second
    fp::Real m_clutter;        // A_fo
    fp::Real m_impedance;      // 1 / |Z_g|
    fp::Real m_heightGains;    // 20 dB less the terminals' height gains
    fp::Real m_horizonX;       // the terminals' share of the normalised distance
};

} // namespace zandrevio::itm
