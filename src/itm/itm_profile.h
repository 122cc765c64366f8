#pragma once

#include "numeric/real.h"
#include "terrain/profile.h"

#include <cstddef>
#include <vector>

// The terrain profile as the Irregular Terrain Model reads it (heights at a
// uniform spacing) and the statistics it draws from one: the mean elevation,
// a least-squares line and the terrain irregularity Δh.
namespace zandrevio::itm {

struct UniformProfile {
    std::vector<long double> heightsM; // one more than the intervals
    long double spacingM;

    std::size_t Intervals() const { return heightsM.size() - 1; }
    long double LengthM() const { return spacingM * static_cast<long double>(Intervals()); }
};

// The profile at a uniform spacing. The model takes its heights at equal
// steps; a profile already so spaced (to a millionth of a step) is used as
// it is, any other is resampled at its mean spacing (its length over its
// intervals) by linear interpolation between its points, keeping the number
// of intervals. The profile must pass ProfileFault.
UniformProfile MakeUniform(const TerrainProfile& profile);

// The ground height at a position counted in steps from the transmitter,
// linearly interpolated (0 to Intervals()).
fp::Real HeightAt(const UniformProfile& profile, fp::Real step);

// The surface elevation z_s from which N_s is reduced: the mean height of the
// profile without its first and last tenth.
fp::Real MeanElevation(const UniformProfile& profile);

// The heights at the transmitter (0) and the receiver (the profile's length)
// of the straight line fitted to the profile between fromM and toM.
struct LineEnds {
    fp::Real atStart;
    fp::Real atEnd;
};
LineEnds FitLine(const UniformProfile& profile, fp::Real fromM, fp::Real toM);

// Δh, the interdecile range of the heights about the line fitted between
// fromM and toM, scaled to its asymptotic value for a long path; 0 over less
// than two steps.
fp::Real TerrainIrregularity(const UniformProfile& profile, fp::Real fromM, fp::Real toM);

} // namespace zandrevio::itm
