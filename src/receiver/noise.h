#pragma once

#include "calculation/calculation.h"

// Thermal noise in a bandwidth, the noise floor and sensitivity of a
// receiver, and a noise figure as factor and temperature.
namespace zandrevio {

enum class NoiseField { Bandwidth, Temperature, NoiseFigure, Snr, NoiseFactor, NoiseTemperature };

// The reference temperature of noise figures, K (IEEE Std 161: T0 = 290 K).
inline constexpr long double kReferenceTemperature = 290.0L;

struct ThermalNoiseResult {
    long double densityDbmPerHz; // kT
    long double noiseDbm;        // kTB
    long double noiseWatts;
    long double floorDbm;       // kTB + NF
    long double sensitivityDbm; // the floor + the SNR needed
};

struct NoiseFigureResult {
    long double figureDb;
    long double factor;
    long double temperatureK;
};

// A receiver's noise: kTB, its floor and sensitivity, and its noise figure
// as factor and temperature.
struct ReceiverNoise {
    ThermalNoiseResult thermal;
    NoiseFigureResult figure;
};

extern const CalculationSpec<NoiseField> kThermalNoise;
extern const CalculationSpec<NoiseField> kNoiseFromFigure;
extern const CalculationSpec<NoiseField> kNoiseFromFactor;
extern const CalculationSpec<NoiseField> kNoiseFromTemperature;
extern const ResultSpec kNoiseDensityResult;
extern const ResultSpec kThermalNoiseResult;
extern const ResultSpec kThermalNoiseWattsResult;
extern const ResultSpec kNoiseFloorResult;
extern const ResultSpec kSensitivityResult;
extern const ResultSpec kNoiseFigureResult;
extern const ResultSpec kNoiseFactorResult;
extern const ResultSpec kNoiseTemperatureResult;

// kTB in the bandwidth (kHz) at the temperature (K), the floor with the
// noise figure (dB) and the sensitivity with the SNR needed (dB).
Outcome<ThermalNoiseResult, NoiseField> ThermalNoise(const Inputs<NoiseField>& in);

// Both of the above from the thermal fields, refused where either refuses.
Outcome<ReceiverNoise, NoiseField> ReceiverNoiseOf(const Inputs<NoiseField>& in);

// A noise figure from one of figure (dB), factor or temperature (K).
Outcome<NoiseFigureResult, NoiseField> NoiseFromFigure(const Inputs<NoiseField>& in);
Outcome<NoiseFigureResult, NoiseField> NoiseFromFactor(const Inputs<NoiseField>& in);
Outcome<NoiseFigureResult, NoiseField> NoiseFromTemperature(const Inputs<NoiseField>& in);

} // namespace zandrevio
