#pragma once

#include "calculation/calculation.h"
#include "numeric/real.h"
#include "itm/itm_complex.h"
#include "propagation/spherical_earth.h"

#include <array>

// The parameters of the Longley-Rice Irregular Terrain Model, version 1.2.2
// (G. A. Hufford, "The ITS Irregular Terrain Model, version 1.2.2: The
// Algorithm", NTIA/ITS): the radio climates and siting criteria a user picks,
// the general preparatory quantities (wave number, surface refractivity,
// effective earth curvature, ground impedance) and the path as the reference
// attenuation sees it. Lengths in metres, angles in radians, as the model
// takes them.
namespace zandrevio {

// The seven radio climates of the model, in its own order (its numbers 1-7).
enum class ItmClimate {
    Equatorial = 0,
    ContinentalSubtropical = 1,
    MaritimeSubtropical = 2,
    Desert = 3,
    ContinentalTemperate = 4,
    MaritimeTemperateLand = 5,
    MaritimeTemperateSea = 6,
};
inline constexpr Choice kItmClimates[] = {
    {"Equatorial", "equatorial"},
    {"Continental subtropical", "continental-subtropical"},
    {"Maritime subtropical", "maritime-subtropical"},
    {"Desert", "desert"},
    {"Continental temperate", "continental-temperate"},
    {"Maritime temperate over land", "maritime-temperate-land"},
    {"Maritime temperate over sea", "maritime-temperate-sea"},
};

// How carefully a terminal of the area mode was sited.
enum class ItmSiting { Random = 0, Careful = 1, VeryCareful = 2 };
inline constexpr Choice kItmSitings[] = {
    {"Random", "random"}, {"Careful", "careful"}, {"Very careful", "very-careful"}};

namespace itm {

// ITM 1.2.2 Algorithm, §Preparatory calculations: the wave number k = f / f0, f0 = 47.7 MHz·m.
fp::Real WaveNumber(fp::Real frequencyMHz);

// ITM 1.2.2 Algorithm, §Preparatory calculations: N_s = N_0 exp(−z_s / z_1), z_1 = 9.46 km.
fp::Real SurfaceRefractivity(fp::Real n0, fp::Real surfaceElevationM);

// ITM 1.2.2 Algorithm, §Preparatory calculations: γ_e = γ_a (1 − 0.04665 exp(N_s / N_1)),
// γ_a = 157e-9 /m, N_1 = 179.3 N-units; not above 0 where N_s reaches 549.
fp::Real EffectiveCurvature(fp::Real surfaceRefractivity);

// ITM 1.2.2 Algorithm, §Preparatory calculations: the surface transfer impedance of the
// ground, Z_g = √(ε'_r − 1) horizontally, √(ε'_r − 1) / ε'_r vertically, ε'_r = ε_r + i Z_0 σ / k.
Complex GroundImpedance(fp::Real permittivity, fp::Real conductivity, fp::Real waveNumber, Polarization polarization);

// The path as the reference attenuation and the variability see it: each
// pair is the transmitter's then the receiver's.
struct PathParameters {
    long double frequencyMHz;
    long double waveNumber;                       // k, 1/m
    long double surfaceRefractivity;              // N_s
    long double curvature;                        // γ_e, 1/m
    Complex groundImpedance;                      // Z_g
    long double terrainIrregularityM;             // Δh
    std::array<long double, 2> heightsM;          // h_g, above ground
    std::array<long double, 2> effectiveHeightsM; // h_e
    std::array<long double, 2> horizonDistancesM; // d_L
    std::array<long double, 2> horizonAnglesRad;  // θ_e
    bool pointToPoint;                            // the mode: its diffraction differs slightly
    bool terrainBlocksSight = false;              // the profile rises above the line between the antennas
};

// The sums over both terminals that every range of the reference attenuation takes.
struct PathSums {
    fp::Real smoothHorizonsM; // d_Ls = d_Ls1 + d_Ls2, d_Lsj = √(2 h_ej / γ_e)
    fp::Real horizonsM;       // d_L = d_L1 + d_L2
    fp::Real angleRad;        // θ_e = max(θ_e1 + θ_e2, −d_L γ_e)
};
PathSums SumsOf(const PathParameters& path);

// ITM 1.2.2 Algorithm, §Preparatory calculations for the area prediction mode (and NTIA
// Report TR 82-100): each terminal's effective height from its siting, its horizon distance
// and elevation angle from the smooth earth and Δh. `path` holds the heights, Δh and γ_e.
void PrepareAreaTerminals(PathParameters& path, const std::array<ItmSiting, 2>& siting);

} // namespace itm
} // namespace zandrevio
