#include "receiver/noise.h"

#include "numeric/radio.h"
#include "numeric/real.h"

namespace zandrevio {

using fp::Real;
using Field = NoiseField;

namespace {
using radio::kBoltzmann;

const FieldSpec<Field> kThermalFields[] = {
    {Field::Bandwidth, FieldKind::Real, "Bandwidth (kHz)", "bandwidth", "200"},
    {Field::Temperature, FieldKind::Real, "Temperature (K)", "temperature", "290"},
    {Field::NoiseFigure, FieldKind::Real, "Noise figure (dB)", "noise-figure", "5"},
    {Field::Snr, FieldKind::Real, "Required SNR (dB)", "snr", "9", {}, {}, {}, true},
};
const FieldSpec<Field> kFigureFields[] = {
    {Field::NoiseFigure, FieldKind::Real, "Noise figure (dB)", "noise-figure", "3"},
};
const FieldSpec<Field> kFactorFields[] = {
    {Field::NoiseFactor, FieldKind::Real, "Noise factor", "noise-factor", "2", {}, "a power ratio, 1 or more"},
};
const FieldSpec<Field> kTemperatureFields[] = {
    {Field::NoiseTemperature, FieldKind::Real, "Noise temperature (K)", "noise-temperature", "290"},
};

// 10 log10 of a power in W, in dBm.
Real Dbm(Real watts)
{
    return 10.0L * fp::Log10(watts) + 30.0L;
}

NoiseFigureResult OfFactor(Real factor)
{
    // Te = T0 (F - 1)  (Friis, Proc. IRE 32 (1944), eq. 4; IEEE Std 161)
    return {(10.0L * fp::Log10(factor)).Value(), factor.Value(), (kReferenceTemperature * (factor - 1.0L)).Value()};
}
} // namespace

const ResultSpec kNoiseDensityResult{"Noise density", "noise-density", "dBm/Hz", ResultFormat::Hundredths};
const ResultSpec kThermalNoiseResult{"Thermal noise kTB", "thermal-noise", "dBm", ResultFormat::Hundredths};
const ResultSpec kThermalNoiseWattsResult{"Noise power kTB", "thermal-noise-watts", "W", ResultFormat::Result};
const ResultSpec kNoiseFloorResult{"Noise floor", "noise-floor", "dBm", ResultFormat::Hundredths};
const ResultSpec kSensitivityResult{"Sensitivity", "sensitivity", "dBm", ResultFormat::Hundredths};
const ResultSpec kNoiseFigureResult{"Noise figure", "noise-figure", "dB", ResultFormat::Hundredths};
const ResultSpec kNoiseFactorResult{"Noise factor", "noise-factor", "", ResultFormat::Result};
const ResultSpec kNoiseTemperatureResult{"Noise temperature", "noise-temperature", "K", ResultFormat::Result};
const CalculationSpec<Field> kThermalNoise{"noise", kThermalFields, {}};
const CalculationSpec<Field> kNoiseFromFigure{"noise-figure", kFigureFields, {}};
const CalculationSpec<Field> kNoiseFromFactor{"noise-figure", kFactorFields, {}};
const CalculationSpec<Field> kNoiseFromTemperature{"noise-figure", kTemperatureFields, {}};

Outcome<ThermalNoiseResult, Field> ThermalNoise(const Inputs<Field>& in)
{
    const Real bandwidth = in.Real(Field::Bandwidth);
    if (!(bandwidth > 0.0L)) {
        return Refusal<Field>{"Bandwidth must be greater than 0", Field::Bandwidth};
    }
    const Real temperature = in.Real(Field::Temperature);
    if (!(temperature > 0.0L)) {
        return Refusal<Field>{"Temperature must be greater than 0 K", Field::Temperature};
    }
    const Real figure = in.Real(Field::NoiseFigure);
    if (!(figure >= 0.0L)) {
        return Refusal<Field>{"Noise figure must not be negative", Field::NoiseFigure};
    }
    const Real snr = in.Real(Field::Snr);
    // N = k T B  (Nyquist, Phys. Rev. 32 (1928), eq. 7, the available noise power)
    const Real density = kBoltzmann * temperature;
    const Real noise = density * bandwidth * 1000.0L;
    const Real noiseDbm = Dbm(noise);
    const Real floor = noiseDbm + figure;
    return ThermalNoiseResult{Dbm(density).Value(), noiseDbm.Value(), noise.Value(), floor.Value(),
                              (floor + snr).Value()};
}

Outcome<ReceiverNoise, Field> ReceiverNoiseOf(const Inputs<Field>& in)
{
    const Outcome<ThermalNoiseResult, Field> thermal = ThermalNoise(in);
    if (!thermal.Ok()) {
        return thermal.Error();
    }
    const Outcome<NoiseFigureResult, Field> figure = NoiseFromFigure(in);
    if (!figure.Ok()) {
        return figure.Error();
    }
    return ReceiverNoise{thermal.Value(), figure.Value()};
}

// F = 10^(NF / 10)
Outcome<NoiseFigureResult, Field> NoiseFromFigure(const Inputs<Field>& in)
{
    const Real figure = in.Real(Field::NoiseFigure);
    if (!(figure >= 0.0L)) {
        return Refusal<Field>{"Noise figure must not be negative", Field::NoiseFigure};
    }
    NoiseFigureResult result = OfFactor(fp::Exp10(0.1L * figure));
    result.figureDb = figure.Value(); // as typed, not through the round trip
    return result;
}

Outcome<NoiseFigureResult, Field> NoiseFromFactor(const Inputs<Field>& in)
{
    const Real factor = in.Real(Field::NoiseFactor);
    if (!(factor >= 1.0L)) {
        return Refusal<Field>{"Noise factor must be 1 or more", Field::NoiseFactor};
    }
    return OfFactor(factor);
}

// F = 1 + Te / T0
Outcome<NoiseFigureResult, Field> NoiseFromTemperature(const Inputs<Field>& in)
{
    const Real temperature = in.Real(Field::NoiseTemperature);
    if (!(temperature >= 0.0L)) {
        return Refusal<Field>{"Noise temperature must not be negative", Field::NoiseTemperature};
    }
    NoiseFigureResult result = OfFactor(1.0L + temperature / kReferenceTemperature);
    result.temperatureK = temperature.Value();
    return result;
}

} // namespace zandrevio
