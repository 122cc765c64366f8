#include "itm/itm_variability.h"

#include "numeric/checked_trig.h"

namespace zandrevio::itm {

using fp::Real;

namespace {
// One of the model's curves of distance: (c1 + c2 / (1 + ((d_e − x2) / x3)²)) (d_e / x1)² / (1 + (d_e / x1)²).
struct Curve {
    long double c1, c2, x1, x2, x3;

    // ITM 1.2.2 Algorithm, §Variability: the curve at the effective distance d_e.
    Real At(Real de) const
    {
        const Real middle = (de - x2) / x3;
        const Real near = (de / x1) * (de / x1);
        return (c1 + c2 / (1.0L + middle * middle)) * near / (1.0L + near);
    }
};

// g(f) = f1 + f2 / ((f3 q)² + 1), q = ln(0.133 k): a time spread's frequency factor.
struct FrequencyFactor {
    long double f1, f2, f3;

    Real At(Real q) const
    {
        const Real scaled = f3 * q;
        return f1 + f2 / (scaled * scaled + 1.0L);
    }
};

// ITM 1.2.2 Algorithm, §Variability: the constants of one radio climate.
struct ClimateConstants {
    Curve median;          // V_med
    Curve timeBelow;       // σ_T−
    Curve timeAbove;       // σ_T+
    long double farRatio;  // σ_TD / σ_T+
    long double breakZ;    // z_D
    FrequencyFactor below; // g−
    FrequencyFactor above; // g+
};

// ITM 1.2.2 Algorithm, §Variability: the table of the seven climates, in the model's order.
constexpr ClimateConstants kClimates[] = {
    // Equatorial
    {{-9.67L, 12.7L, 144.9e3L, 190.3e3L, 133.8e3L},
     {2.13L, 159.5L, 762.2e3L, 123.6e3L, 94.5e3L},
     {2.11L, 102.3L, 636.9e3L, 134.8e3L, 95.6e3L},
     1.224L,
     1.282L,
     {1.0L, 0.0L, 0.0L},
     {1.0L, 0.0L, 0.0L}},
    // Continental subtropical
    {{-0.62L, 9.19L, 228.9e3L, 205.2e3L, 143.6e3L},
     {2.66L, 7.67L, 100.4e3L, 172.5e3L, 136.4e3L},
     {6.87L, 15.53L, 138.7e3L, 143.7e3L, 98.6e3L},
     0.801L,
     2.161L,
     {1.0L, 0.0L, 0.0L},
     {0.93L, 0.31L, 2.00L}},
    // Maritime subtropical
    {{1.26L, 15.5L, 262.6e3L, 185.2e3L, 99.8e3L},
     {6.11L, 6.65L, 138.2e3L, 242.2e3L, 178.6e3L},
     {10.08L, 9.60L, 165.3e3L, 225.7e3L, 129.7e3L},
     1.380L,
     1.282L,
     {1.0L, 0.0L, 0.0L},
     {1.0L, 0.0L, 0.0L}},
    // Desert
    {{-9.21L, 9.05L, 84.1e3L, 101.1e3L, 98.6e3L},
     {1.98L, 13.11L, 139.1e3L, 132.7e3L, 193.5e3L},
     {3.68L, 159.3L, 464.4e3L, 93.1e3L, 94.2e3L},
     1.000L,
     20.0L,
     {1.0L, 0.0L, 0.0L},
     {0.93L, 0.19L, 1.79L}},
    // Continental temperate
    {{-0.62L, 9.19L, 228.9e3L, 205.2e3L, 143.6e3L},
     {2.68L, 7.16L, 93.7e3L, 186.8e3L, 133.5e3L},
     {4.75L, 8.12L, 93.2e3L, 135.9e3L, 113.4e3L},
     1.224L,
     1.282L,
     {0.92L, 0.25L, 1.77L},
     {0.93L, 0.31L, 2.00L}},
    // Maritime temperate, over land
    {{-0.39L, 2.86L, 141.7e3L, 315.9e3L, 167.4e3L},
     {6.86L, 10.38L, 187.8e3L, 169.6e3L, 108.9e3L},
     {8.58L, 13.97L, 216.0e3L, 152.0e3L, 122.7e3L},
     1.518L,
     1.282L,
     {1.0L, 0.0L, 0.0L},
     {1.0L, 0.0L, 0.0L}},
    // Maritime temperate, over sea
    {{3.15L, 857.9L, 2222.0e3L, 164.8e3L, 116.3e3L},
     {8.51L, 169.8L, 609.8e3L, 119.9e3L, 106.6e3L},
     {8.43L, 8.19L, 136.2e3L, 188.5e3L, 122.9e3L},
     1.518L,
     1.282L,
     {1.0L, 0.0L, 0.0L},
     {1.0L, 0.0L, 0.0L}},
};

enum Kind { kSingleMessage = 0, kIndividual = 1, kMobile = 2, kBroadcast = 3 };
} // namespace

Real InverseComplementaryNormal(Real q)
{
    // ITM 1.2.2 Algorithm, §Variability (Abramowitz and Stegun 26.2.23): for t = √(−2 ln p),
    // p = min(q, 1 − q), z = t − (c0 + c1 t + c2 t²) / (1 + d1 t + d2 t² + d3 t³), of q's side.
    constexpr long double c0 = 2.515516698L, c1 = 0.802853L, c2 = 0.010328L;
    constexpr long double d1 = 1.432788L, d2 = 0.189269L, d3 = 0.001308L;
    const Real x = 0.5L - q;
    const Real offset = x < 0.0L ? -x : x;
    const Real p = 0.5L - offset > 1e-6L ? 0.5L - offset : Real(1e-6L);
    const Real t = fp::Sqrt(-2.0L * fp::Ln(p));
    const Real z = t - ((c2 * t + c1) * t + c0) / (((d3 * t + d2) * t + d1) * t + 1.0L);
    return x < 0.0L ? -z : z;
}

std::optional<VariabilityMode> VariabilityModeOf(std::int32_t code)
{
    if (code < 0 || code > 33 || code % 10 > 3) {
        return std::nullopt;
    }
    const int tens = code / 10;
    return VariabilityMode{code % 10, tens == 1 || tens == 3, tens == 2 || tens == 3};
}

PathVariability PrepareVariability(const PathParameters& path, Real distanceM, ItmClimate climate, VariabilityMode mode)
{
    const ClimateConstants& c = kClimates[static_cast<int>(climate)];
    const Real k = path.waveNumber;
    // ITM 1.2.2 Algorithm, §Variability: the frequency factors g± of the time spreads, q = ln(0.133 k).
    const Real q = fp::Ln(0.133L * k);
    const Real gBelow = c.below.At(q);
    const Real gAbove = c.above.At(q);
    // ITM 1.2.2 Algorithm, §Variability: the effective distance, by
    // d_ex = √(2 a_1 h_e1) + √(2 a_1 h_e2) + a_1 (k D_1)^(−⅓), a_1 = 9000 km, D_1 = 1266 km
    // (written √(18e6 h_e) and (575.7e12 / k)^⅓); d_e = 130 km · d / d_ex below d_ex, else 130 km + d − d_ex.
    const Real extent = fp::Sqrt(18e6L * Real(path.effectiveHeightsM[0])) +
        fp::Sqrt(18e6L * Real(path.effectiveHeightsM[1])) + fp::Power(575.7e12L / k, 1.0L / 3.0L);
    const Real de = distanceM < extent ? 130e3L * distanceM / extent : 130e3L + distanceM - extent;
    PathVariability v{mode, c.median.At(de), 0.0L, 0.0L, 0.0L, 0.0L, c.breakZ, 0.0L, 0.0L};
    // ITM 1.2.2 Algorithm, §Variability: σ_T− = g− σ−(d_e), σ_T+ = g+ σ+(d_e), σ_TD = C_D σ_T+,
    // τ_D = (σ_T+ − σ_TD) z_D.
    v.timeBelow = c.timeBelow.At(de) * gBelow;
    v.timeAbove = c.timeAbove.At(de) * gAbove;
    v.timeFar = v.timeAbove * c.farRatio;
    v.timeFarSlope = (v.timeAbove - v.timeFar) * c.breakZ;
    if (!mode.withoutLocation) {
        // ITM 1.2.2 Algorithm, §Variability: σ_L = 10 k Δh(d) / (k Δh(d) + 13).
        const Real spread = (1.0L - 0.8L * fp::Exp(-distanceM / 50e3L)) * path.terrainIrregularityM * k;
        v.location = 10.0L * spread / (spread + 13.0L);
    }
    if (!mode.withoutSituation) {
        // ITM 1.2.2 Algorithm, §Variability: σ_S = 5 + 3 exp(−d_e / 100 km).
        const Real situation = 5.0L + 3.0L * fp::Exp(-de / 100e3L);
        v.situationSquared = situation * situation;
    }
    return v;
}

Deviates DeviatesOfMode(const VariabilityMode& mode, Deviates given)
{
    switch (mode.kind) {
    case kSingleMessage:
        return {given.situation, given.situation, given.situation};
    case kIndividual:
        return {given.time, given.situation, given.situation};
    case kMobile:
        return {given.time, given.time, given.situation};
    default:
        return given;
    }
}

Real VariableAttenuation(const PathVariability& v, Real referenceDb, Deviates given)
{
    const Deviates z = DeviatesOfMode(v.mode, given);
    const Real zTime = z.time;
    const Real zLocation = z.location;
    const Real zSituation = z.situation;
    // ITM 1.2.2 Algorithm, §Variability: σ_T by the side of z_T: σ_T− below 0, σ_T+ to z_D,
    // σ_TD + τ_D / z_T beyond.
    Real sigmaT = v.timeBelow;
    if (!(zTime < 0.0L)) {
        sigmaT = zTime <= v.timeBreak ? v.timeAbove : v.timeFar + v.timeFarSlope / zTime;
    }
    // ITM 1.2.2 Algorithm, §Variability: the situation variance σ_S² + Y_T² / (7.8 + z_S²) + Y_L² / (24 + z_S²).
    const Real yTime = sigmaT * zTime;
    const Real yLocation = v.location * zLocation;
    const Real zs2 = zSituation * zSituation;
    const Real variance = v.situationSquared + yTime * yTime / (7.8L + zs2) + yLocation * yLocation / (24.0L + zs2);
    const Real sigmaL2 = v.location * v.location;
    Real yr = 0.0L;
    Real sigmaC = 0.0L;
    switch (v.mode.kind) {
    case kSingleMessage:
        // ITM 1.2.2 Algorithm, §Variability: all three spreads in the one, Y_R = 0.
        sigmaC = fp::Sqrt(sigmaT * sigmaT + sigmaL2 + variance);
        break;
    case kIndividual:
        // ITM 1.2.2 Algorithm, §Variability: Y_R = σ_T z_T, locations joined to situations.
        yr = yTime;
        sigmaC = fp::Sqrt(sigmaL2 + variance);
        break;
    case kMobile:
        // ITM 1.2.2 Algorithm, §Variability: Y_R = √(σ_T² + σ_L²) z_T.
        yr = fp::Sqrt(sigmaT * sigmaT + sigmaL2) * zTime;
        sigmaC = fp::Sqrt(variance);
        break;
    default:
        // ITM 1.2.2 Algorithm, §Variability: broadcast, Y_R = σ_T z_T + σ_L z_L.
        yr = yTime + yLocation;
        sigmaC = fp::Sqrt(variance);
        break;
    }
    // ITM 1.2.2 Algorithm, §Variability: A = A_ref − V_med − Y_R − σ_C z_S.
    const Real a = referenceDb - v.medianCorrection - yr - sigmaC * zSituation;
    // ITM 1.2.2 Algorithm, §Variability: a negative A is softened towards 0, A (29 − A) / (29 − 10 A).
    return a < 0.0L ? a * (29.0L - a) / (29.0L - 10.0L * a) : a;
}

} // namespace zandrevio::itm
