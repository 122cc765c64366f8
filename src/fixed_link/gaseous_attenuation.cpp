#include "fixed_link/gaseous_attenuation.h"

#include "numeric/checked_trig.h"
#include "fixed_link/gas_line_tables.h"
#include "fixed_link/power_of_ten.h"

namespace zandrevio {

using fp::Real;

namespace {
// The state of the air the line strengths and widths follow.
struct Air {
    Real pressure; // p, dry air (hPa)
    Real vapour;   // e, water vapour's partial pressure (hPa)
    Real theta;    // θ = 300 / T
    Real lnTheta;  // ln θ, for its powers line by line
};

Air AirOf(const GasConditions& conditions)
{
    const Real kelvin = Real(conditions.temperatureC) + 273.15L;
    // ITU-R P.676-13 Annex 1 eq (4): e = ρ T / 216.7; θ = 300 / T
    const Real theta = 300.0L / kelvin;
    return {conditions.dryPressureHpa, Real(conditions.waterVapourGm3) * kelvin / 216.7L, theta, fp::Ln(theta.Value())};
}

// ITU-R P.676-13 Annex 1 eq (5):
// F = f/fi [(Δf - δ(fi - f)) / ((fi - f)² + Δf²) + (Δf - δ(fi + f)) / ((fi + f)² + Δf²)]
Real LineShape(Real f, Real fi, Real width, Real correction)
{
    return f / fi *
        ((width - correction * (fi - f)) / (fp::Square(fi - f) + fp::Square(width)) +
         (width - correction * (fi + f)) / (fp::Square(fi + f) + fp::Square(width)));
}

// The oxygen lines' Σ Si Fi.
Real OxygenLineSum(Real f, const Air& air)
{
    Real sum = 0.0L;
    for (const OxygenLine& line : OxygenLines()) {
        // ITU-R P.676-13 Annex 1 eq (3): Si = a1 10^-7 p θ³ exp[a2 (1 - θ)]
        const Real strength =
            line.a1 * 1.0e-7L * air.pressure * PowerOfLn(air.lnTheta, 3.0L) * fp::Exp(line.a2 * (1.0L - air.theta));
        // ITU-R P.676-13 Annex 1 eq (6a): Δf = a3 10^-4 (p θ^(0.8 - a4) + 1.1 e θ)
        const Real width =
            line.a3 * 1.0e-4L * (air.pressure * PowerOfLn(air.lnTheta, 0.8L - line.a4) + 1.1L * air.vapour * air.theta);
        // ITU-R P.676-13 Annex 1 eq (6b): Δf = √(Δf² + 2.25 10^-6), the Zeeman splitting
        const Real zeemanWidth = fp::Sqrt(fp::Square(width) + 2.25e-6L);
        // ITU-R P.676-13 Annex 1 eq (7): δ = (a5 + a6 θ) 10^-4 (p + e) θ^0.8
        const Real correction =
            (line.a5 + line.a6 * air.theta) * 1.0e-4L * (air.pressure + air.vapour) * PowerOfLn(air.lnTheta, 0.8L);
        sum = sum + strength * LineShape(f, line.frequencyGHz, zeemanWidth, correction);
    }
    return sum;
}

// The dry continuum N''D: the Debye spectrum of oxygen below 10 GHz and the
// pressure-induced nitrogen attenuation above 100 GHz.
Real DryContinuum(Real f, const Air& air)
{
    // ITU-R P.676-13 Annex 1 eq (9): d = 5.6 10^-4 (p + e) θ^0.8
    const Real d = 5.6e-4L * (air.pressure + air.vapour) * PowerOfLn(air.lnTheta, 0.8L);
    // ITU-R P.676-13 Annex 1 eq (8):
    // N''D = f p θ² [6.14 10^-5 / (d (1 + (f/d)²)) + 1.4 10^-12 p θ^1.5 / (1 + 1.9 10^-5 f^1.5)]
    return f * air.pressure * fp::Square(air.theta) *
        (6.14e-5L / (d * (1.0L + fp::Square(f / d))) +
         1.4e-12L * air.pressure * PowerOfLn(air.lnTheta, 1.5L) / (1.0L + 1.9e-5L * fp::Power(f, 1.5L)));
}

// The water vapour lines' Σ Si Fi.
Real WaterVapourLineSum(Real f, const Air& air)
{
    if (air.vapour == 0.0L) {
        return 0.0L; // dry air
    }
    Real sum = 0.0L;
    for (const WaterVapourLine& line : WaterVapourLines()) {
        // ITU-R P.676-13 Annex 1 eq (3): Si = b1 10^-1 e θ^3.5 exp[b2 (1 - θ)]
        const Real strength =
            line.b1 * 1.0e-1L * air.vapour * PowerOfLn(air.lnTheta, 3.5L) * fp::Exp(line.b2 * (1.0L - air.theta));
        // ITU-R P.676-13 Annex 1 eq (6a): Δf = b3 10^-4 (p θ^b4 + b5 e θ^b6)
        const Real width = line.b3 * 1.0e-4L *
            (air.pressure * PowerOfLn(air.lnTheta, line.b4) + line.b5 * air.vapour * PowerOfLn(air.lnTheta, line.b6));
        // ITU-R P.676-13 Annex 1 eq (6b): Δf = 0.535 Δf + √(0.217 Δf² + 2.1316 10^-12 fi² / θ), the Doppler broadening
        const Real dopplerWidth = 0.535L * width +
            fp::Sqrt(0.217L * fp::Square(width) + 2.1316e-12L * fp::Square(line.frequencyGHz) / air.theta);
        // ITU-R P.676-13 Annex 1 eq (7): δ = 0 for water vapour
        sum = sum + strength * LineShape(f, line.frequencyGHz, dopplerWidth, 0.0L);
    }
    return sum;
}
} // namespace

GasSpecificAttenuation GasSpecificAttenuationAt(Real frequencyGHz, const GasConditions& conditions)
{
    const Air air = AirOf(conditions);
    // ITU-R P.676-13 Annex 1 eq (2a): N''Oxygen = Σ Si Fi + N''D
    const Real oxygen = OxygenLineSum(frequencyGHz, air) + DryContinuum(frequencyGHz, air);
    // ITU-R P.676-13 Annex 1 eq (2b): N''WaterVapour = Σ Si Fi
    const Real vapour = WaterVapourLineSum(frequencyGHz, air);
    // ITU-R P.676-13 Annex 1 eq (1): γ = γo + γw = 0.1820 f (N''Oxygen + N''WaterVapour)
    return {(0.1820L * frequencyGHz * oxygen).Value(), (0.1820L * frequencyGHz * vapour).Value()};
}

Real GasAttenuationOverHop(Real frequencyGHz, const GasConditions& air, Real distanceKm)
{
    const GasSpecificAttenuation specific = GasSpecificAttenuationAt(frequencyGHz, air);
    // ITU-R P.676-13 Annex 1 eq (10): A = γ r0 = (γo + γw) r0
    return (Real(specific.oxygenDbPerKm) + specific.waterVapourDbPerKm) * distanceKm;
}

std::vector<std::string> GasRangeWarnings(long double frequencyGHz)
{
    if (frequencyGHz < 1.0L || frequencyGHz > 1000.0L) {
        return {"frequency outside 1-1000 GHz, the range of ITU-R P.676-13's line tables: gas attenuation "
                "extrapolated"};
    }
    return {};
}

} // namespace zandrevio
