#pragma once

#include "calculation/calculation.h"
#include "itm/itm_attenuation.h"
#include "itm/itm_parameters.h"
#include "propagation/spherical_earth.h"
#include "terrain/profile.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// The Longley-Rice Irregular Terrain Model, version 1.2.2 (Longley and Rice,
// ERL 79-ITS 67; G. A. Hufford, "The ITS Irregular Terrain Model, version
// 1.2.2: The Algorithm"; the area mode as NTIA Report TR 82-100 guides its
// use), as a calculation: the basic transmission loss of a path over a
// terrain profile (point-to-point) or over terrain known by its irregularity
// Δh alone (area), the mode of propagation, and the model's limits of
// validity as warnings.
namespace zandrevio {

enum class ItmField {
    Frequency,
    TxHeight,
    RxHeight,
    Polarization,
    Climate,
    Refractivity,
    Permittivity,
    Conductivity,
    Variability, // the mode of variability, 0-3 with +10, +20 or +30
    Time,
    Location,
    Situation,
    // The area mode's own.
    Distance,
    TerrainIrregularity,
    TxSiting,
    RxSiting,
    // Not a field of kItm: the profile itself, named by its refusals.
    Profile,
};

extern const CalculationSpec<ItmField> kItm;
extern const ResultSpec kItmResultLoss;
// The range of the model's own method the path falls in: line of sight,
// diffraction or troposcatter, set by the horizons of the smooth earth that
// stands for the terrain, not by whether the terrain blocks the line between
// the antennas.
extern const ResultSpec kItmResultMode;
// What the loss is made of: the free-space loss, the reference attenuation
// A_ref and the rest, the variability at the percentages asked for.
extern const ResultSpec kItmResultFreeSpaceLoss;
extern const ResultSpec kItmResultReference;
extern const ResultSpec kItmResultVariability;
// The path as the model sees it.
extern const ResultSpec kItmResultTerrainIrregularity;
extern const ResultSpec kItmResultTxHorizonDistance;
extern const ResultSpec kItmResultRxHorizonDistance;
extern const ResultSpec kItmResultTxHorizonAngle;
extern const ResultSpec kItmResultRxHorizonAngle;
extern const ResultSpec kItmResultTxEffectiveHeight;
extern const ResultSpec kItmResultRxEffectiveHeight;
extern const ResultSpec kItmResultSurfaceRefractivity;

// The word of a mode: "line-of-sight", "diffraction" or "troposcatter".
std::string_view ItmModeWord(ItmMode mode);

struct ItmResult {
    long double lossDb; // basic transmission loss: free space plus the attenuation
    ItmMode mode;
    std::vector<std::string> warnings;
    long double freeSpaceDb;
    long double referenceDb; // A_ref, the median attenuation before the climate and variability
    long double distanceKm;
    long double terrainIrregularityM; // Δh: given, or read from the profile
    std::array<long double, 2> effectiveHeightsM;
    std::array<long double, 2> horizonDistancesKm;
    std::array<long double, 2> horizonAnglesRad; // θ_e: above the horizontal where positive
    long double surfaceRefractivity;             // N_s, N_0 reduced to the surface's elevation

    // The loss's share beyond the free-space loss and A_ref: the variability.
    long double VariabilityDb() const { return lossDb - freeSpaceDb - referenceDb; }
};

// The loss over a terrain profile from the transmitter (its first point) to
// the receiver. Every field but the area mode's is read, in kItm's order,
// then the profile is checked. Refused: a frequency, height or conductivity
// not above 0, a refractivity below 0 or so high that the earth's effective
// curvature vanishes, a permittivity below 1 (or of 1 for horizontal
// polarization), a ground whose impedance the model cannot take, a climate,
// polarization or mode of variability the model does not know (where the
// model itself would substitute a default), a percentage not strictly between
// 0 and 100, a profile ProfileFault refuses, and inputs so extreme that a
// step of the model faults (named by the likeliest field). The model's soft
// and hard limits of validity are warned of.
Outcome<ItmResult, ItmField> ItmPointToPoint(const TerrainProfile& profile, const Inputs<ItmField>& in);

// The area mode: distance (km), Δh (m) and the sitings in place of the
// profile. Refused as above, and for a distance not above 0, Δh below 0.
Outcome<ItmResult, ItmField> ItmArea(const Inputs<ItmField>& in);

// The loss of one path at every pair of a list of time percentages and a
// list of location percentages, the situation percentage from the inputs:
// the path's geometry and reference attenuation are worked out once, only
// the variability per cell.
struct ItmReliabilityTable {
    std::vector<long double> timePercent;
    std::vector<long double> locationPercent;
    std::vector<long double> lossDb; // by rows of time, a column a location
    ItmMode mode;
    std::vector<std::string> warnings;

    long double LossDb(std::size_t time, std::size_t location) const
    {
        return lossDb[time * locationPercent.size() + location];
    }
};

// The table over a profile; the inputs' Time and Location are not read, a
// percentage of the lists outside (0, 100) is refused at those fields.
Outcome<ItmReliabilityTable, ItmField> ItmPointToPointTable(const TerrainProfile& profile, const Inputs<ItmField>& in,
                                                            std::span<const long double> timePercent,
                                                            std::span<const long double> locationPercent);
// The table of the area mode.
Outcome<ItmReliabilityTable, ItmField> ItmAreaTable(const Inputs<ItmField>& in,
                                                    std::span<const long double> timePercent,
                                                    std::span<const long double> locationPercent);

} // namespace zandrevio
