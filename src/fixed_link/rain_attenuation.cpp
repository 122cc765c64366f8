#include "fixed_link/rain_attenuation.h"

#include "numeric/checked_trig.h"
#include "numeric/format.h"
#include "numeric/radio.h"
#include "fixed_link/polarization_tilt.h"
#include "fixed_link/power_of_ten.h"
#include "terrain/profile.h"

#include <span>

namespace zandrevio {

using fp::Real;
using Field = RainAttenuationField;

namespace {
// One term a exp(-((log10 f - b) / c)^2) of P.838-3 eqs (2) and (3).
struct GaussianTerm {
    long double a;
    long double b;
    long double c;
};

// A fit of P.838-3: its Gaussian terms and its line m log10 f + c.
struct CoefficientFit {
    std::span<const GaussianTerm> terms;
    long double m;
    long double c;
};

// ITU-R P.838-3 Table 1: the constants of kH.
constexpr GaussianTerm kHorizontalKTerms[] = {
    {-5.33980L, -0.10008L, 1.13098L},
    {-0.35351L, 1.26970L, 0.45400L},
    {-0.23789L, 0.86036L, 0.15354L},
    {-0.94158L, 0.64552L, 0.16817L},
};
// ITU-R P.838-3 Table 2: the constants of kV.
constexpr GaussianTerm kVerticalKTerms[] = {
    {-3.80595L, 0.56934L, 0.81061L},
    {-3.44965L, -0.22911L, 0.51059L},
    {-0.39902L, 0.73042L, 0.11899L},
    {0.50167L, 1.07319L, 0.27195L},
};
// ITU-R P.838-3 Table 3: the constants of αH.
constexpr GaussianTerm kHorizontalAlphaTerms[] = {
    {-0.14318L, 1.82442L, -0.55187L}, {0.29591L, 0.77564L, 0.19822L},  {0.32177L, 0.63773L, 0.13164L},
    {-5.37610L, -0.96230L, 1.47828L}, {16.1721L, -3.29980L, 3.43990L},
};
// ITU-R P.838-3 Table 4: the constants of αV.
constexpr GaussianTerm kVerticalAlphaTerms[] = {
    {-0.07771L, 2.33840L, -0.76284L},  {0.56727L, 0.95545L, 0.54039L},   {-0.20238L, 1.14520L, 0.26809L},
    {-48.2991L, 0.791669L, 0.116226L}, {48.5833L, 0.791459L, 0.116479L},
};

const CoefficientFit kHorizontalK{kHorizontalKTerms, -0.18961L, 0.71147L};
const CoefficientFit kVerticalK{kVerticalKTerms, -0.16398L, 0.63297L};
const CoefficientFit kHorizontalAlpha{kHorizontalAlphaTerms, 0.67849L, -1.95537L};
const CoefficientFit kVerticalAlpha{kVerticalAlphaTerms, -0.053739L, 0.83433L};

// ITU-R P.838-3 eqs (2) and (3): Σ a_j exp(-((log10 f - b_j) / c_j)^2) + m log10 f + c,
// log10 k for k, α itself for α.
Real Fit(const CoefficientFit& fit, Real logF)
{
    Real sum = fit.m * logF + fit.c;
    for (const GaussianTerm& term : fit.terms) {
        sum = sum + term.a * fp::Exp(-fp::Square((logF - term.b) / term.c));
    }
    return sum;
}

Real Radians(Real degrees)
{
    return degrees * radio::kPi / 180.0L;
}

std::string_view FieldName(Field field)
{
    return SpecOf(kRainAttenuation, field).caption;
}
} // namespace

RainCoefficients HorizontalRainCoefficients(Real frequencyGHz)
{
    const Real logF = fp::Log10(frequencyGHz);
    return {fp::Exp10(Fit(kHorizontalK, logF)).Value(), Fit(kHorizontalAlpha, logF).Value()};
}

RainCoefficients VerticalRainCoefficients(Real frequencyGHz)
{
    const Real logF = fp::Log10(frequencyGHz);
    return {fp::Exp10(Fit(kVerticalK, logF)).Value(), Fit(kVerticalAlpha, logF).Value()};
}

RainCoefficients RainCoefficientsOf(Real frequencyGHz, Real tiltDeg, Real elevationDeg)
{
    const RainCoefficients h = HorizontalRainCoefficients(frequencyGHz);
    const RainCoefficients v = VerticalRainCoefficients(frequencyGHz);
    const Real tiltTerm = fp::Square(fp::Cos(Radians(elevationDeg))) * fp::Cos(2.0L * Radians(tiltDeg));
    // ITU-R P.838-3 eq (4): k = [kH + kV + (kH - kV) cos²θ cos 2τ] / 2
    const Real k = (Real(h.k) + v.k + (Real(h.k) - v.k) * tiltTerm) / 2.0L;
    // ITU-R P.838-3 eq (5): α = [kH αH + kV αV + (kH αH - kV αV) cos²θ cos 2τ] / 2k
    const Real hProduct = Real(h.k) * h.alpha;
    const Real vProduct = Real(v.k) * v.alpha;
    const Real alpha = (hProduct + vProduct + (hProduct - vProduct) * tiltTerm) / (2.0L * k);
    return {k.Value(), alpha.Value()};
}

Real RainSpecificAttenuation(const RainCoefficients& coefficients, Real rainRateMmH)
{
    if (rainRateMmH == 0.0L) {
        return 0.0L; // no rain, no attenuation (and no 0 to a power)
    }
    // ITU-R P.838-3 eq (1): γR = k R^α
    return coefficients.k * fp::Power(rainRateMmH, coefficients.alpha);
}

Real RainDistanceFactor(Real distanceKm, Real rainRateMmH, Real alpha, Real frequencyGHz)
{
    if (rainRateMmH == 0.0L) {
        return 2.5L; // the factor's bound; it multiplies a γR of 0
    }
    // ITU-R P.530-17 §2.4.1 Step 3: r = 1 / (0.477 d^0.633 R0.01^(0.073 α) f^0.123 - 10.579 (1 - exp(-0.024 d)))
    const Real denominator = 0.477L * fp::Power(distanceKm, 0.633L) * fp::Power(rainRateMmH, 0.073L * alpha) *
            fp::Power(frequencyGHz, 0.123L) -
        10.579L * (1.0L - fp::Exp(-0.024L * distanceKm));
    // ITU-R P.530-17 §2.4.1 Step 3: r at most 2.5, taken as 2.5 where the denominator is below 0.4
    if (denominator < 0.4L) {
        return 2.5L;
    }
    return 1.0L / denominator;
}

RainScaling RainScalingAt(Real frequencyGHz)
{
    // ITU-R P.530-17 §2.4.1 Step 5: C0 = 0.12 + 0.4 log10((f / 10)^0.8) for f ≥ 10 GHz, 0.12 below
    const Real c0 = frequencyGHz >= 10.0L ? 0.12L + 0.4L * (0.8L * fp::Log10(frequencyGHz / 10.0L)) : Real(0.12L);
    // ITU-R P.530-17 §2.4.1 Step 5: C1 = 0.07^C0 · 0.12^(1 - C0)
    const Real c1 = fp::Power(0.07L, c0) * fp::Power(0.12L, 1.0L - c0);
    // ITU-R P.530-17 §2.4.1 Step 5: C2 = 0.855 C0 + 0.546 (1 - C0)
    const Real c2 = 0.855L * c0 + 0.546L * (1.0L - c0);
    // ITU-R P.530-17 §2.4.1 Step 5: C3 = 0.139 C0 + 0.043 (1 - C0)
    const Real c3 = 0.139L * c0 + 0.043L * (1.0L - c0);
    return {c1.Value(), c2.Value(), c3.Value()};
}

Real RainAttenuationExceeded(Real attenuation001Db, const RainScaling& scaling, Real percent)
{
    const Real logP = fp::Log10(percent);
    // ITU-R P.530-17 §2.4.1 Step 5: Ap / A0.01 = C1 p^-(C2 + C3 log10 p)
    return attenuation001Db * scaling.c1 * TenTo(-(scaling.c2 + scaling.c3 * logP) * logP);
}

RainOutage RainOutageOf(Real attenuation001Db, const RainScaling& scaling, Real marginDb)
{
    if (attenuation001Db == 0.0L) {
        return {0.0L, RainLawReach::Within}; // no rain: it takes no margin
    }
    // The scaling law in x = log10 p: C3 x² + C2 x + L = 0, L = log10(A / (C1 A0.01)).
    const Real level = fp::Log10(marginDb / (scaling.c1 * attenuation001Db));
    const Real c2 = scaling.c2;
    const Real c3 = scaling.c3;
    // Below its turning point x = -C2 / 2 C3 the law would rise again with
    // falling p: a margin beyond the attenuation there is counted at it.
    const Real turning = -c2 / (2.0L * c3);
    const Real discriminant = c2 * c2 - 4.0L * c3 * level;
    if (discriminant < 0.0L) {
        return {TenTo(turning).Value(), RainLawReach::BeyondLaw};
    }
    // The root on the law's falling side, written without cancellation.
    const Real x = -2.0L * level / (c2 + fp::Sqrt(discriminant));
    if (x > 2.0L) {
        return {100.0L, RainLawReach::AboveOnePercent};
    }
    // A margin at the law's end (A0.001 typed from a table) stays within it
    // despite the last rounding step.
    constexpr long double kEdge = 1.0e-12L;
    const RainLawReach reach = x > kEdge ? RainLawReach::AboveOnePercent
        : x < -3.0L - kEdge              ? RainLawReach::BelowThousandth
                                         : RainLawReach::Within;
    return {TenTo(x).Value(), reach};
}

RainHop RainOverHop(Real frequencyGHz, Real rainRateMmH, Real tiltDeg, Real elevationDeg, Real distanceKm)
{
    const RainCoefficients coefficients = RainCoefficientsOf(frequencyGHz, tiltDeg, elevationDeg);
    const Real specific = RainSpecificAttenuation(coefficients, rainRateMmH);
    const Real r = RainDistanceFactor(distanceKm, rainRateMmH, coefficients.alpha, frequencyGHz);
    // ITU-R P.530-17 §2.4.1 Step 4: A0.01 = γR d r
    const Real attenuation001 = specific * distanceKm * r;
    return {coefficients, specific.Value(), r.Value(), attenuation001.Value(), RainScalingAt(frequencyGHz)};
}

std::vector<std::string> RainRangeWarnings(long double frequencyGHz, long double distanceKm)
{
    std::vector<std::string> warnings;
    if (frequencyGHz < 1.0L || frequencyGHz > 1000.0L) {
        warnings.push_back("frequency outside 1-1000 GHz, the range of ITU-R P.838-3's coefficients: extrapolated");
    } else if (frequencyGHz > 100.0L) {
        warnings.push_back("frequency above 100 GHz, beyond the range ITU-R P.530-17's rain method was tested over");
    }
    if (distanceKm > 60.0L) {
        warnings.push_back("path longer than 60 km, beyond the range ITU-R P.530-17's rain method was tested over");
    }
    return warnings;
}

namespace {
const FieldSpec<Field> kFields[] = {
    {Field::RainRate,
     FieldKind::Real,
     "Rain rate R0.01 (mm/h)",
     "rain-rate",
     "42",
     {},
     "the rain rate exceeded for 0.01 % of an average year"},
    {Field::Frequency, FieldKind::Real, "Frequency (MHz)", "frequency", "18000"},
    {Field::Polarization,
     FieldKind::Text,
     "Polarization",
     "polarization",
     "horizontal",
     {},
     kPolarizationWords,
     "horizontal|vertical|circular|DEGREES"},
    {Field::Distance, FieldKind::Real, "Distance (km)", "distance", "10"},
    {Field::Percent,
     FieldKind::Real,
     "Percentage of time (%)",
     "percent",
     "0.01",
     {},
     "of an average year, 0.001 to 1"},
};
} // namespace

const ResultSpec kRainResultSpecificAttenuation{"Specific attenuation", "specific-attenuation", "dB/km",
                                                ResultFormat::Result};
const ResultSpec kRainResultAttenuation{"Rain attenuation", "rain-attenuation", "dB", ResultFormat::Hundredths};
namespace {
const ResultSpec kResults[] = {kRainResultSpecificAttenuation, kRainResultAttenuation};
} // namespace
const CalculationSpec<Field> kRainAttenuation{"rain-attenuation", kFields, kResults};

Outcome<RainAttenuationResult, Field> RainAttenuation(const Inputs<Field>& in)
{
    const long double rainRate = in.Real(Field::RainRate);
    if (!(rainRate >= 0.0L && rainRate <= kMostRainRateMmH)) {
        return Refusal<Field>{kRainRateMessage, Field::RainRate};
    }
    const long double frequencyMHz = in.Real(Field::Frequency);
    if (!radio::InRadioSpectrum(frequencyMHz)) {
        return Refusal<Field>{radio::kRadioSpectrumMessage, Field::Frequency};
    }
    const long double tilt = in.Real(Field::Polarization);
    if (!(tilt >= -90.0L && tilt <= 90.0L)) {
        return Refusal<Field>{std::string(FieldName(Field::Polarization)) + " must be " +
                                  std::string(kPolarizationWords) + " from -90 to 90",
                              Field::Polarization};
    }
    const long double distance = in.Real(Field::Distance);
    if (!(distance > 0.0L && distance <= kLongestPathKm)) {
        return Refusal<Field>{"Distance must be greater than 0 and at most half a great circle, " +
                                  FormatFull(kLongestPathKm) + " km",
                              Field::Distance};
    }
    const long double percent = in.Real(Field::Percent);
    if (!(percent >= kRainLeastPercent && percent <= kRainMostPercent)) {
        return Refusal<Field>{"The percentage of time must be from 0.001 to 1 %, the range of the rain method",
                              Field::Percent};
    }
    const Real frequencyGHz = Real(frequencyMHz) / 1000.0L;
    const RainHop hop = RainOverHop(frequencyGHz, rainRate, tilt, 0.0L, distance);
    const Real attenuation = RainAttenuationExceeded(hop.attenuation001Db, hop.scaling, percent);
    return RainAttenuationResult{hop.specificDbPerKm, attenuation.Value(),
                                 RainRangeWarnings(frequencyGHz.Value(), distance)};
}

} // namespace zandrevio
