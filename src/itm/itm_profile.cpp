#include "itm/itm_profile.h"

#include "numeric/checked_trig.h"

#include <algorithm>
#include <cmath>
#include <functional>

namespace zandrevio::itm {

using fp::Real;

UniformProfile MakeUniform(const TerrainProfile& profile)
{
    const auto& points = profile.points;
    const std::size_t intervals = points.size() - 1;
    const long double lengthM = (Real(profile.LengthKm()) * 1000.0L).Value();
    const long double spacingM = (Real(lengthM) / static_cast<long double>(intervals)).Value();
    UniformProfile uniform{{}, spacingM};
    uniform.heightsM.reserve(points.size());
    // A profile whose points all lie within a millionth of a step of i·spacing is uniform already.
    bool evenlySpaced = true;
    for (std::size_t i = 0; i <= intervals && evenlySpaced; ++i) {
        const long double offset = points[i].distanceKm * 1000.0L - spacingM * static_cast<long double>(i);
        evenlySpaced = std::fabs(offset) <= 1e-6L * spacingM;
    }
    if (evenlySpaced) {
        for (const ProfilePoint& point : points) {
            uniform.heightsM.push_back(point.heightM);
        }
        return uniform;
    }
    // Otherwise the heights at i·spacing, interpolated linearly between the
    // two points that enclose each: the model's spacing is the mean one.
    std::size_t below = 0;
    for (std::size_t i = 0; i <= intervals; ++i) {
        const Real atM = i == intervals ? Real(lengthM) : Real(spacingM) * static_cast<long double>(i);
        while (below + 1 < intervals && points[below + 1].distanceKm * 1000.0L <= atM.Value()) {
            ++below;
        }
        const Real d0 = Real(points[below].distanceKm) * 1000.0L;
        const Real d1 = Real(points[below + 1].distanceKm) * 1000.0L;
        const Real h0 = points[below].heightM;
        const Real h1 = points[below + 1].heightM;
        uniform.heightsM.push_back((h0 + (h1 - h0) * (atM - d0) / (d1 - d0)).Value());
    }
    return uniform;
}

Real HeightAt(const UniformProfile& profile, Real step)
{
    const std::size_t intervals = profile.Intervals();
    if (!(step > 0.0L)) {
        return profile.heightsM.front();
    }
    if (!(step < static_cast<long double>(intervals))) {
        return profile.heightsM.back();
    }
    const auto i = static_cast<std::size_t>(fp::Trunc(step.Value()));
    const Real h0 = profile.heightsM[i];
    const Real h1 = profile.heightsM[i + 1];
    return h0 + (h1 - h0) * (step - static_cast<long double>(i));
}

Real MeanElevation(const UniformProfile& profile)
{
    // ITM 1.2.2 Algorithm, §Point-to-point preparatory calculations: z_s, the mean of the heights
    // from the ⌊0.1 n⌋-th to the (n − ⌊0.1 n⌋)-th of a profile of n intervals.
    const std::size_t n = profile.Intervals();
    const std::size_t tenth = n / 10;
    Real sum = 0.0L;
    for (std::size_t i = tenth; i <= n - tenth; ++i) {
        sum = sum + profile.heightsM[i];
    }
    return sum / static_cast<long double>(n - 2 * tenth + 1);
}

LineEnds FitLine(const UniformProfile& profile, Real fromM, Real toM)
{
    const std::size_t n = profile.Intervals();
    const long double intervals = static_cast<long double>(n);
    // A window given backwards (a horizon nearer than the stretch left out at a terminal) is taken
    // between its ends, as a window always runs from the nearer end to the farther.
    if (toM < fromM) {
        std::swap(fromM, toM);
    }
    // ITM 1.2.2 Algorithm, §Point-to-point preparatory calculations: the fit takes the whole steps
    // from ⌊x1 / Δx⌋ to n − ⌊n − x2 / Δx⌋, widened by one step at each end where that leaves none.
    const Real first = fromM / profile.spacingM;
    const Real fromEnd = intervals - toM / profile.spacingM;
    std::size_t lo = first > 0.0L ? static_cast<std::size_t>(fp::Trunc(std::min(first.Value(), intervals))) : 0;
    std::size_t hi = fromEnd > 0.0L ? n - static_cast<std::size_t>(fp::Trunc(std::min(fromEnd.Value(), intervals))) : n;
    if (hi <= lo) {
        lo = lo > 0 ? lo - 1 : 0;
        hi = std::min(hi + 1, n);
    }
    const auto& z = profile.heightsM;
    // ITM 1.2.2 Algorithm, §Point-to-point preparatory calculations: least squares by the
    // trapezoidal rule (the end heights weighted ½), abscissas from the window's middle.
    const Real count = static_cast<long double>(hi - lo);
    Real x = -count / 2.0L;
    const Real middle = static_cast<long double>(hi) + x;
    Real mean = 0.5L * (Real(z[lo]) + z[hi]);
    Real moment = 0.5L * (Real(z[lo]) - z[hi]) * x;
    for (std::size_t i = lo + 1; i < hi; ++i) {
        x = x + 1.0L;
        mean = mean + z[i];
        moment = moment + Real(z[i]) * x;
    }
    mean = mean / count;
    // The slope: 12 Σ' z x / ((m² + 2) m) over a window of m steps.
    const Real slope = moment * 12.0L / ((count * count + 2.0L) * count);
    return {mean - slope * middle, mean + slope * (intervals - middle)};
}

Real TerrainIrregularity(const UniformProfile& profile, Real fromM, Real toM)
{
    const Real xa = fromM / profile.spacingM;
    const Real xb = toM / profile.spacingM;
    if (xb - xa < 2.0L) {
        return 0.0L;
    }
    // ITM 1.2.2 Algorithm, §Point-to-point preparatory calculations: the window resampled at
    // n = 10 k − 5 equal steps, k = ⌊0.1 (x2 − x1 + 8)⌋ held within 4 to 25 (x in steps).
    const std::int64_t k = std::clamp<std::int64_t>(fp::Trunc((0.1L * (xb - xa + 8.0L)).Value()), 4, 25);
    const std::size_t samples = static_cast<std::size_t>(10 * k - 5);
    const long double steps = static_cast<long double>(samples - 1);
    const Real stride = (xb - xa) / steps;
    UniformProfile resampled{{}, 1.0L};
    resampled.heightsM.reserve(samples);
    for (std::size_t j = 0; j < samples; ++j) {
        resampled.heightsM.push_back(HeightAt(profile, xa + stride * static_cast<long double>(j)).Value());
    }
    // ITM 1.2.2 Algorithm, §Point-to-point preparatory calculations: the heights about their
    // least-squares line.
    const LineEnds line = FitLine(resampled, 0.0L, steps);
    const Real rise = (line.atEnd - line.atStart) / steps;
    std::vector<long double> residuals(samples);
    for (std::size_t j = 0; j < samples; ++j) {
        residuals[j] = (Real(resampled.heightsM[j]) - line.atStart - rise * static_cast<long double>(j)).Value();
    }
    // ITM 1.2.2 Algorithm, §Point-to-point preparatory calculations: Δh(d) is the k-th largest
    // residual less the k-th smallest, the interdecile range.
    const auto rank = static_cast<std::size_t>(k - 1);
    std::nth_element(residuals.begin(), residuals.begin() + static_cast<std::ptrdiff_t>(rank), residuals.end(),
                     std::greater<>());
    const Real upper = residuals[rank];
    std::nth_element(residuals.begin(), residuals.begin() + static_cast<std::ptrdiff_t>(rank), residuals.end());
    const Real lower = residuals[rank];
    // ITM 1.2.2 Algorithm, §Point-to-point preparatory calculations: Δh = Δh(d) / (1 − 0.8 exp(−d / 50 km)).
    return (upper - lower) / (1.0L - 0.8L * fp::Exp(-(toM - fromM) / 50e3L));
}

} // namespace zandrevio::itm
