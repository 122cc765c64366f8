#pragma once

#include "calculation/calculation.h"
#include "propagation/delta_bullington.h"
#include "propagation/path_geometry.h"
#include "propagation/spherical_earth.h"
#include "terrain/profile.h"

#include <optional>
#include <string>
#include <vector>

// A point-to-point link over a terrain profile: its geometry (line of sight,
// Fresnel clearance), its loss (free space plus delta-Bullington
// diffraction) and, given the power, gains and feeder losses, the budget.
namespace zandrevio {

// The fields of the link beside its profile. The budget's fields are
// optional: without Power no received power is given, without Sensitivity
// no fade margin; a gain or loss not given counts 0.
enum class PathField {
    Frequency,
    TxHeight,
    RxHeight,
    KFactor,
    Polarization,
    Power,
    TxGain,
    RxGain,
    TxFeederLoss,
    RxFeederLoss,
    Sensitivity,
    // Not a field of kPath: the profile itself, named by its refusals.
    Profile,
};

extern const CalculationSpec<PathField> kPath;
extern const ResultSpec kPathResultDistance;
extern const ResultSpec kPathResultLineOfSight;
extern const ResultSpec kPathResultClearance;
extern const ResultSpec kPathResultWorstPoint;
extern const ResultSpec kPathResultFresnel60;
extern const ResultSpec kPathResultFreeSpaceLoss;
extern const ResultSpec kPathResultDiffractionLoss;
extern const ResultSpec kPathResultLoss;
extern const ResultSpec kPathResultReceivedPower;
extern const ResultSpec kPathResultFadeMargin;
// What the diffraction loss is made of: Bullington's loss of the profile,
// that of the smooth earth fitted to it, the spherical-earth loss, and ν
// of the profile's equivalent edge.
extern const ResultSpec kPathResultBullingtonLoss;
extern const ResultSpec kPathResultSmoothBullingtonLoss;
extern const ResultSpec kPathResultSphericalEarthLoss;
extern const ResultSpec kPathResultEdgeNu;
// What a profile cut from elevation data adds (DemPath's bearings).
extern const ResultSpec kPathResultBearing;
extern const ResultSpec kPathResultReverseBearing;

struct PathResult {
    long double distanceKm;
    bool lineOfSight;
    long double clearance; // the worst, as a fraction of F1
    long double worstPointKm;
    bool fresnel60;
    long double freeSpaceLossDb;
    long double diffractionLossDb;
    long double pathLossDb; // free space + diffraction
    std::optional<long double> receivedPowerDbm;
    std::optional<long double> fadeMarginDb;
    DeltaBullingtonLoss diffraction;       // its parts
    std::vector<PathPointGeometry> points; // for a plot of the path
    std::vector<std::string> warnings;
};

// The link over `profile`. Refused: a frequency not above 0, an antenna
// height below 0, a k-factor not above 0, a power not above 0, a profile
// ProfileFault refuses. Warned of: a frequency outside the ranges of
// ITU-R P.1812-6 (30-6000 MHz) or P.452-17 (100 MHz-50 GHz), a diffraction
// loss above kFarBeyondHorizonDb.
Outcome<PathResult, PathField> PathLink(const TerrainProfile& profile, const Inputs<PathField>& in);

// The budget at a loss, where the inputs give a power: the received power
// (power in dBm plus the gains less the feeder losses and the loss) and,
// with a sensitivity, the fade margin. Refused: a power not above 0.
struct PathBudget {
    std::optional<long double> receivedPowerDbm;
    std::optional<long double> fadeMarginDb;
};
Outcome<PathBudget, PathField> PathBudgetAt(const Inputs<PathField>& in, long double lossDb);

// Past this diffraction loss the path lies far beyond the radio horizon:
// there troposcatter and ducting, which this calculation leaves out, carry
// more power than diffraction, so the loss is reported with a warning.
inline constexpr long double kFarBeyondHorizonDb = 60.0L;

} // namespace zandrevio
