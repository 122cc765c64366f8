#pragma once

#include "numeric/real.h"

#include <string>
#include <vector>

// Attenuation by the atmosphere's gases on a terrestrial hop: the
// line-by-line specific attenuation of dry air (oxygen, with its pressure-
// induced nitrogen and Debye continuum) and of water vapour by ITU-R
// P.676-13 Annex 1, 1-1000 GHz, and the hop's attenuation at it.
namespace zandrevio {

// The air along the hop. The pressure is the dry air's (hPa); the water
// vapour adds its own partial pressure.
struct GasConditions {
    long double dryPressureHpa = 1013.25L;
    long double temperatureC = 15.0L;
    long double waterVapourGm3 = 7.5L;
};

struct GasSpecificAttenuation {
    long double oxygenDbPerKm;      // γo
    long double waterVapourDbPerKm; // γw
};

// γo and γw at a frequency (GHz).
GasSpecificAttenuation GasSpecificAttenuationAt(fp::Real frequencyGHz, const GasConditions& air);

// The hop's attenuation (dB): (γo + γw) d, the air the same along it.
fp::Real GasAttenuationOverHop(fp::Real frequencyGHz, const GasConditions& air, fp::Real distanceKm);

// A frequency outside 1-1000 GHz, the range of the line tables.
std::vector<std::string> GasRangeWarnings(long double frequencyGHz);

} // namespace zandrevio
