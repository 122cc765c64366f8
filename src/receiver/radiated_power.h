#pragma once

#include "calculation/calculation.h"

// What a transmitter radiates: EIRP and ERP from its power, its losses and
// its antenna's gain, and the power flux density and field strength they
// give at a distance in free space.
namespace zandrevio {

enum class GainUnit { Dbi = 0, Dbd = 1 };
inline constexpr Choice kGainUnits[] = {{"dBi", "dbi"}, {"dBd", "dbd"}};

enum class RadiatedField { Power, FeederLoss, OtherLoss, AntennaGain, GainUnit, Distance };

struct RadiatedPower {
    long double eirpDbm;
    long double erpDbm;
    long double eirpDbw;
    long double erpDbw;
    long double eirpWatts;
    long double erpWatts;
    long double fluxDensityDbwPerM2; // at the distance
    long double fieldStrengthDbuvPerM;
};

extern const CalculationSpec<RadiatedField> kRadiatedPower;
extern const ResultSpec kEirpDbmResult;
extern const ResultSpec kEirpDbwResult;
extern const ResultSpec kEirpWattsResult;
extern const ResultSpec kErpDbmResult;
extern const ResultSpec kErpDbwResult;
extern const ResultSpec kErpWattsResult;
extern const ResultSpec kFluxDensityResult;
extern const ResultSpec kRadiatedFieldStrengthResult;

Outcome<RadiatedPower, RadiatedField> RadiatedPowerOf(const Inputs<RadiatedField>& in);

} // namespace zandrevio
