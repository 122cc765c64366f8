#pragma once

#include "numeric/real.h"

// A single knife edge (ITU-R P.526-15 §4.1): the loss of an edge as a
// function of its dimensionless parameter ν.
namespace zandrevio {

// J(ν) in dB: 0 at and below ν = -0.78, where the approximation reaches 0.
fp::Real KnifeEdgeLoss(fp::Real nu);

// ν of an edge h metres above the line between the ends (negative below
// it), d1 and d2 km from them, at a wavelength in metres.
fp::Real KnifeEdgeParameter(fp::Real heightM, fp::Real d1Km, fp::Real d2Km, fp::Real wavelengthM);

} // namespace zandrevio
