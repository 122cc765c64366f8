#pragma once

#include "calculation/calculation.h"
#include "numeric/real.h"

// Diffraction over a smooth spherical earth of land (relative permittivity
// 22, conductivity 0.003 S/m), as ITU-R P.1812-6 §4.3.2 and §4.3.3 (and
// P.452-17 §4.2.2) take it from P.526: the first term of the residue series,
// and below the horizon distance an interpolation towards 0 as the path
// clears. Distances and the earth radius in km, heights in m.
namespace zandrevio {

enum class Polarization { Horizontal = 0, Vertical = 1 };
inline constexpr Choice kPolarizations[] = {{"Horizontal", "horizontal"}, {"Vertical", "vertical"}};

// Ldft: the first-term loss (dB) of a path d km long between heights hte and
// hre (m) over an earth of radius a (km), at f GHz.
fp::Real FirstTermLoss(fp::Real distanceKm, fp::Real txHeightM, fp::Real rxHeightM, fp::Real radiusKm,
                       fp::Real frequencyGHz, Polarization polarization);

// Ldsph: the spherical-earth diffraction loss (dB), wavelength in m.
fp::Real SphericalEarthLoss(fp::Real distanceKm, fp::Real txHeightM, fp::Real rxHeightM, fp::Real radiusKm,
                            fp::Real frequencyGHz, fp::Real wavelengthM, Polarization polarization);

} // namespace zandrevio
