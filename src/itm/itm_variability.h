#pragma once

#include "numeric/real.h"
#include "itm/itm_parameters.h"

#include <cstdint>
#include <optional>

// The variability of the Irregular Terrain Model: the median attenuation's
// climate correction and its spreads in time, location and situation, and
// how a mode of variability combines them into the attenuation exceeded at
// given fractions of time, locations and situations.
namespace zandrevio::itm {

// ITM 1.2.2 Algorithm, §Variability: the standard normal deviate z exceeded with
// probability q (0 < q < 1), Q⁻¹(q), by the rational approximation of Abramowitz and
// Stegun 26.2.23 (error below 4.5e-4). Closed form, no iteration; q is held within
// 1e-6 of 0 and 1.
fp::Real InverseComplementaryNormal(fp::Real q);

// A mode of variability: 0 single message, 1 individual (accidental), 2 mobile,
// 3 broadcast; +10 leaves out location variability, +20 situation variability,
// +30 both.
struct VariabilityMode {
    int kind;
    bool withoutLocation;
    bool withoutSituation;
};
// The mode of a code, none for a code outside 0-3, 10-13, 20-23, 30-33.
std::optional<VariabilityMode> VariabilityModeOf(std::int32_t code);

// The standard normal deviates of time, location and situation.
struct Deviates {
    fp::Real time;
    fp::Real location;
    fp::Real situation;
};
// ITM 1.2.2 Algorithm, §Variability: the deviates a mode actually uses: a single message has
// the situation's for all three, an individual one for location too, a mobile one the time's
// for location.
Deviates DeviatesOfMode(const VariabilityMode& mode, Deviates given);

// What of the variability depends on the path alone, worked out once.
struct PathVariability {
    VariabilityMode mode;
    fp::Real medianCorrection; // V_med
    fp::Real timeBelow;        // σ_T− (z_T < 0)
    fp::Real timeAbove;        // σ_T+ (0 ≤ z_T ≤ z_D)
    fp::Real timeFar;          // σ_TD
    fp::Real timeFarSlope;     // τ_D
    fp::Real timeBreak;        // z_D
    fp::Real location;         // σ_L
    fp::Real situationSquared; // σ_S²
};

PathVariability PrepareVariability(const PathParameters& path, fp::Real distanceM, ItmClimate climate,
                                   VariabilityMode mode);

// The attenuation relative to free space at the given deviates (before the
// mode combines them), from the reference attenuation.
fp::Real VariableAttenuation(const PathVariability& variability, fp::Real referenceDb, Deviates given);

} // namespace zandrevio::itm
