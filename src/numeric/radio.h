#pragma once

#include "numeric/choice.h"
#include "numeric/real.h"

#include <numbers>

// The constants, unit rules and checks that several calculations share.
namespace zandrevio::radio {

inline constexpr long double kPi = std::numbers::pi_v<long double>;
// Boltzmann's constant, J/K: exact since the SI of 2019 (BIPM SI Brochure, 9th ed., Table 1).
inline constexpr long double kBoltzmann = 1.380649e-23L;
// The earth's mean radius, km: the sphere of great circles and of the
// effective earth a_e = k × 6371 km (ITU-R P.452-17 §4.3).
inline constexpr long double kEarthRadiusKm = 6371.0L;
// A half-wave dipole's gain over the isotropic antenna: dBi = dBd + 2.15.
inline constexpr long double kDbdToDbi = 2.15L;
inline constexpr long double kMetresPerFoot = 0.3048L;
inline constexpr long double kKmPerMile = 1.609L;

// λ = 300 / F: the wavelength in metres of F MHz, c taken as 300 m/µs.
inline fp::Real Wavelength(fp::Real frequencyMHz)
{
    return 300.0L / frequencyMHz;
}

// The radio spectrum as the ITU's Radio Regulations divide it into bands:
// 3 kHz to 3000 GHz. A frequency outside it is no radio link's.
inline constexpr long double kLowestRadioMHz = 0.003L;
inline constexpr long double kHighestRadioMHz = 3.0e6L;
inline bool InRadioSpectrum(long double frequencyMHz)
{
    return frequencyMHz >= kLowestRadioMHz && frequencyMHz <= kHighestRadioMHz;
}
inline constexpr const char* kRadioSpectrumMessage =
    "Frequency must be within the radio spectrum, 0.003 to 3000000 MHz";

// The band of the budget, the cable loss and the isolation: 450 to 960 MHz,
// both ends included.
inline bool InMobileBand(long double frequencyMHz)
{
    return !(frequencyMHz < 450.0L || frequencyMHz > 960.0L);
}
inline constexpr const char* kMobileBandMessage = "Frequency must be   450 < F < 960 MHz";

// The unit lists that several pages show.
inline constexpr Choice kGainUnits[] = {{"dBd", "dBd"}, {"dBi", "dBi"}};
enum class GainUnit { Dbd = 0, Dbi = 1 };
inline constexpr Choice kShortLengthUnits[] = {{"m", "m"}, {"ft", "ft"}};
enum class ShortLengthUnit { Metre = 0, Foot = 1 };

// A gain in dBi, from dBd where that is its unit.
inline fp::Real GainInDbi(fp::Real gain, GainUnit unit)
{
    return unit == GainUnit::Dbd ? gain + kDbdToDbi : gain;
}
// A length in metres, from feet where that is its unit.
inline fp::Real LengthInMetres(fp::Real length, ShortLengthUnit unit)
{
    return unit == ShortLengthUnit::Foot ? length * kMetresPerFoot : length;
}

} // namespace zandrevio::radio
