#pragma once

#include "numeric/real.h"
#include "propagation/spherical_earth.h"
#include "terrain/profile.h"

// The delta-Bullington diffraction loss of ITU-R P.1812-6 §4.3 (the same as
// P.452-17 §4.2): Bullington's single equivalent edge over the actual
// profile, corrected by the difference between the spherical-earth loss and
// Bullington's loss over the smooth earth fitted to the profile. Distances
// in km, heights in m above sea level; the profile's spacing may vary, every
// sum takes the actual distances between points.
namespace zandrevio {

struct BullingtonLoss {
    long double nu;     // ν of the equivalent edge (ν_max or ν_b)
    long double edgeDb; // Luc: the knife-edge loss of the equivalent edge
    long double lossDb; // Lbull: with the correction for long paths
};

// Bullington's loss of the profile between antenna tops at txTopM and rxTopM
// above sea level; `flat` puts every profile height at 0 (the smooth earth).
BullingtonLoss Bullington(const TerrainProfile& profile, fp::Real txTopM, fp::Real rxTopM, fp::Real radiusKm,
                          fp::Real wavelengthM, bool flat = false);

// The heights (m above sea level) at the two ends of the smooth earth that
// the diffraction model fits to the profile.
struct SmoothEarthHeights {
    long double txM; // h_std
    long double rxM; // h_srd
};
SmoothEarthHeights DiffractionSmoothEarth(const TerrainProfile& profile, fp::Real txTopM, fp::Real rxTopM);

struct DeltaBullingtonLoss {
    long double actualDb;    // Lbulla
    long double smoothDb;    // Lbulls
    long double sphericalDb; // Ldsph
    long double lossDb;      // Ld = Lbulla + max(Ldsph − Lbulls, 0)
    long double edgeNu;      // ν of the actual profile's equivalent edge
    SmoothEarthHeights smoothEarth;
};

DeltaBullingtonLoss DeltaBullington(const TerrainProfile& profile, fp::Real txTopM, fp::Real rxTopM, fp::Real radiusKm,
                                    fp::Real frequencyMHz, fp::Real wavelengthM, Polarization polarization);

} // namespace zandrevio
