#pragma once

#include "numeric/radio.h"
#include "numeric/real.h"
#include "terrain/profile.h"

#include <vector>

// The geometry of a path over terrain: the ground raised by the earth's bulge
// under an effective earth radius, the straight line between the antenna tops,
// the first Fresnel zone around it and the clearance of the ground below it.
namespace zandrevio {

// What a plot of the path needs at each profile point, in physical units.
struct PathPointGeometry {
    long double distanceKm;     // from the transmitter
    long double groundM;        // the ground above sea level
    long double bulgeM;         // what the earth's curvature raises the ground by
    long double lineOfSightM;   // the line between the antenna tops, above sea level
    long double fresnelRadiusM; // the first Fresnel zone's radius (0 at the ends)
    long double clearanceM;     // line of sight minus raised ground: positive is clear
};

struct PathGeometry {
    std::vector<PathPointGeometry> points;
    long double distanceKm;     // the last point's distance
    bool lineOfSight;           // every intermediate point's clearance above 0
    bool fresnel60;             // every intermediate point's clearance at least 0.6 F1
    long double worstClearance; // the least clearance as a fraction of F1
    long double worstPointKm;   // where it is
};

// a_e = 6371 km × k.
fp::Real EffectiveEarthRadiusKm(fp::Real kFactor);
// The bulge (m) at d1 and d2 km from the ends: d1 d2 / (2 a_e).
fp::Real EarthBulgeM(fp::Real d1Km, fp::Real d2Km, fp::Real radiusKm);
// The first Fresnel zone's radius (m) at d1 and d2 km from the ends.
fp::Real FresnelRadiusM(fp::Real d1Km, fp::Real d2Km, fp::Real wavelengthM);

// The geometry of a profile already checked (ProfileFault ""), the antennas
// txHeightM and rxHeightM above the ground at the ends.
PathGeometry AnalysePathGeometry(const TerrainProfile& profile, fp::Real wavelengthM, fp::Real txHeightM,
                                 fp::Real rxHeightM, fp::Real radiusKm);

} // namespace zandrevio
