#include "itm/itm_limits.h"

#include "numeric/format.h"

namespace zandrevio::itm {

using fp::Real;

namespace {
const char* const kCaution = ": use the loss with caution";
const char* const kInvalid = ": the loss is probably invalid";

Real Abs(Real x)
{
    return x < 0.0L ? -x : x;
}
} // namespace

std::vector<std::string> PathWarnings(const PathParameters& path, Real distanceM)
{
    std::vector<std::string> warnings;
    // ITM 1.2.2 Algorithm, §Limits of validity: k from 0.838 to 210 at best, 0.419 to 420 at all, that is
    // 40 MHz-10 GHz and 20 MHz-20 GHz, the round figures taken here.
    const long double f = path.frequencyMHz;
    if (f < 20.0L || f > 20000.0L) {
        warnings.push_back(std::string("frequency outside 20 MHz-20 GHz, the model's range") + kInvalid);
    } else if (f < 40.0L || f > 10000.0L) {
        warnings.push_back(std::string("frequency outside 40 MHz-10 GHz, where the model is best") + kCaution);
    }
    // ITM 1.2.2 Algorithm, §Limits of validity: antenna heights from 1 to 1000 m at best, 0.5 to 3000 m at all.
    const char* const names[] = {"transmitter", "receiver"};
    for (std::size_t j = 0; j < 2; ++j) {
        const long double h = path.heightsM[j];
        if (h < 0.5L || h > 3000.0L) {
            warnings.push_back(std::string(names[j]) + " antenna height outside 0.5-3000 m, the model's range" +
                               kInvalid);
        } else if (h < 1.0L || h > 1000.0L) {
            warnings.push_back(std::string(names[j]) + " antenna height outside 1-1000 m, where the model is best" +
                               kCaution);
        }
    }
    // ITM 1.2.2 Algorithm, §Limits of validity: N_s from 250 to 400 N-units, γ_e from 75e-9 to 250e-9 /m.
    const long double ns = path.surfaceRefractivity;
    const long double curvature = path.curvature;
    if (ns < 250.0L || ns > 400.0L || curvature < 75e-9L || curvature > 250e-9L) {
        warnings.push_back("surface refractivity of " + FormatResult(ns) +
                           " N-units, outside 250-400, the model's range" + kInvalid);
    }
    // ITM 1.2.2 Algorithm, §Limits of validity: each horizon's elevation angle within 200 mrad, its
    // distance from 0.1 to 3 times the smooth earth's √(2 h_e / γ_e).
    bool horizonsOut = false;
    for (std::size_t j = 0; j < 2; ++j) {
        const Real smooth = fp::Sqrt(2.0L * path.effectiveHeightsM[j] / curvature);
        const Real dl = path.horizonDistancesM[j];
        horizonsOut =
            horizonsOut || Abs(path.horizonAnglesRad[j]) > 200e-3L || dl < 0.1L * smooth || dl > 3.0L * smooth;
    }
    if (horizonsOut) {
        warnings.push_back(std::string("a horizon's angle beyond 200 mrad or its distance beyond 0.1-3 times the "
                                       "smooth earth's, a combination outside the model's range") +
                           kInvalid);
    }
    // ITM 1.2.2 Algorithm, §Limits of validity: the distance from 1 to 2000 km at all, up to 1000 km at best,
    // and not below |h_e1 − h_e2| / 200 mrad.
    const Real km = distanceM / 1000.0L;
    if (km < 1.0L || km > 2000.0L) {
        warnings.push_back(std::string("distance outside 1-2000 km, the model's range") + kInvalid);
    } else if (km > 1000.0L) {
        warnings.push_back(std::string("distance beyond 1000 km, where the model is best") + kCaution);
    }
    const Real shortest = Abs(Real(path.effectiveHeightsM[0]) - path.effectiveHeightsM[1]) / 200e-3L;
    if (distanceM < shortest) {
        warnings.push_back("distance below " + FormatResult((shortest / 1000.0L).Value()) +
                           " km, too short for the difference of the effective heights" + kInvalid);
    }
    return warnings;
}

std::vector<std::string> DeviateWarnings(const Deviates& deviates)
{
    std::vector<std::string> warnings;
    if (Abs(deviates.time) > 3.1L || Abs(deviates.location) > 3.1L || Abs(deviates.situation) > 3.1L) {
        warnings.push_back(std::string("a percentage below 0.1 % or above 99.9 %, an extreme variability") + kCaution);
    }
    return warnings;
}

} // namespace zandrevio::itm
