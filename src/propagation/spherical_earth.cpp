#include "propagation/spherical_earth.h"

#include "numeric/checked_trig.h"
#include "numeric/radio.h"

namespace zandrevio {

using fp::Real;

namespace {

// The land of the Recommendations' first-term calculation.
constexpr long double kLandPermittivity = 22.0L;
constexpr long double kLandConductivity = 0.003L; // S/m

// ITU-R P.1812-6 §4.3.3: G(Y) = 17.6 (B − 1.1)^0.5 − 5 log10(B − 1.1) − 8 for B > 2, else
// 20 log10(B + 0.1 B³), and never below 2 + 20 log10 K.
Real HeightGain(Real b, Real floor)
{
    Real gain = floor;
    if (b > 2.0L) {
        gain = 17.6L * fp::Sqrt(b - 1.1L) - 5.0L * fp::Log10(b - 1.1L) - 8.0L;
    } else if (const Real sum = b + 0.1L * b * b * b; sum > 0.0L) {
        gain = 20.0L * fp::Log10(sum); // a zero height is the floor's
    }
    return gain < floor ? floor : gain;
}

// ITU-R P.1812-6 §4.3.3: F(X) = 11 + 10 log10 X − 17.6 X for X ≥ 1.6, else −20 log10 X − 5.6488 X^1.425.
Real DistanceTerm(Real x)
{
    if (x >= 1.6L) {
        return 11.0L + 10.0L * fp::Log10(x) - 17.6L * x;
    }
    return -20.0L * fp::Log10(x) - 5.6488L * fp::Power(x, 1.425L);
}

} // namespace

Real FirstTermLoss(Real distanceKm, Real txHeightM, Real rxHeightM, Real radiusKm, Real frequencyGHz,
                   Polarization polarization)
{
    const Real f = frequencyGHz;
    const Real a = radiusKm;
    const Real conduction = 18.0L * kLandConductivity / f;
    // ITU-R P.1812-6 §4.3.3: K_H = 0.036 (a f)^(−1/3) [(εr − 1)² + (18σ/f)²]^(−1/4).
    Real k = 0.036L * fp::Power(a * f, -1.0L / 3.0L) *
        fp::Power(fp::Square(kLandPermittivity - 1.0L) + fp::Square(conduction), -0.25L);
    if (polarization == Polarization::Vertical) {
        // ITU-R P.1812-6 §4.3.3: K_V = K_H [εr² + (18σ/f)²]^(1/2).
        k = k * fp::Sqrt(fp::Square(kLandPermittivity) + fp::Square(conduction));
    }
    const Real k2 = k * k;
    const Real k4 = k2 * k2;
    // ITU-R P.1812-6 §4.3.3: β = (1 + 1.6 K² + 0.67 K⁴) / (1 + 4.5 K² + 1.53 K⁴).
    const Real beta = (1.0L + 1.6L * k2 + 0.67L * k4) / (1.0L + 4.5L * k2 + 1.53L * k4);
    // ITU-R P.1812-6 §4.3.3: X = 21.88 β (f / a²)^(1/3) d.
    const Real x = 21.88L * beta * fp::Power(f / (a * a), 1.0L / 3.0L) * distanceKm;
    // ITU-R P.1812-6 §4.3.3: Y = 0.9575 β (f² / a)^(1/3) h, at each end; B = β Y.
    const Real heightScale = 0.9575L * beta * fp::Power(f * f / a, 1.0L / 3.0L);
    const Real bt = beta * heightScale * txHeightM;
    const Real br = beta * heightScale * rxHeightM;
    const Real floor = 2.0L + 20.0L * fp::Log10(k);
    // ITU-R P.1812-6 §4.3.3: Ldft = −F(X) − G(Yt) − G(Yr).
    return -DistanceTerm(x) - HeightGain(bt, floor) - HeightGain(br, floor);
}

Real SphericalEarthLoss(Real distanceKm, Real txHeightM, Real rxHeightM, Real radiusKm, Real frequencyGHz,
                        Real wavelengthM, Polarization polarization)
{
    const Real d = distanceKm;
    const Real a = radiusKm;
    const Real hte = txHeightM;
    const Real hre = rxHeightM;
    // ITU-R P.1812-6 §4.3.2: the marginal line-of-sight distance d_los = √(2a) (√(0.001 hte) + √(0.001 hre)).
    const Real horizon = fp::Sqrt(2.0L * a) * (fp::Sqrt(0.001L * hte) + fp::Sqrt(0.001L * hre));
    if (d >= horizon) {
        return FirstTermLoss(d, hte, hre, a, frequencyGHz, polarization);
    }
    // ITU-R P.1812-6 §4.3.2: c = (hte − hre) / (hte + hre), m = 250 d² / (a (hte + hre)).
    const Real c = (hte - hre) / (hte + hre);
    const Real m = 250.0L * d * d / (a * (hte + hre));
    // ITU-R P.1812-6 §4.3.2: b = 2 √((m + 1) / 3m) cos(π/3 + arccos((3c/2) √(3m / (m + 1)³)) / 3).
    Real cosine = 1.5L * c * fp::Sqrt(3.0L * m / fp::Power(m + 1.0L, 3.0L));
    cosine = cosine > 1.0L ? Real(1.0L) : cosine < -1.0L ? Real(-1.0L) : cosine; // rounding at |c| = 1
    const Real b = 2.0L * fp::Sqrt((m + 1.0L) / (3.0L * m)) * fp::Cos(radio::kPi / 3.0L + fp::Acos(cosine) / 3.0L);
    // ITU-R P.1812-6 §4.3.2: d_se1 = d (1 + b) / 2, d_se2 = d − d_se1.
    const Real dse1 = d / 2.0L * (1.0L + b);
    const Real dse2 = d - dse1;
    // ITU-R P.1812-6 §4.3.2: h_se = [(hte − 500 d_se1² / a) d_se2 + (hre − 500 d_se2² / a) d_se1] / d.
    const Real hse = ((hte - 500.0L * dse1 * dse1 / a) * dse2 + (hre - 500.0L * dse2 * dse2 / a) * dse1) / d;
    // ITU-R P.1812-6 §4.3.2: h_req = 17.456 √(d_se1 d_se2 λ / d).
    const Real hreq = 17.456L * fp::Sqrt(dse1 * dse2 * wavelengthM / d);
    if (hse > hreq) {
        return 0.0L;
    }
    // ITU-R P.1812-6 §4.3.2: a_em = 500 (d / (√hte + √hre))².
    const Real aem = 500.0L * fp::Square(d / (fp::Sqrt(hte) + fp::Sqrt(hre)));
    const Real ldft = FirstTermLoss(d, hte, hre, aem, frequencyGHz, polarization);
    if (ldft < 0.0L) {
        return 0.0L;
    }
    // ITU-R P.1812-6 §4.3.2: Ldsph = (1 − h_se / h_req) Ldft.
    return (1.0L - hse / hreq) * ldft;
}

} // namespace zandrevio
