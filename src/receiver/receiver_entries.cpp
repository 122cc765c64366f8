#include "receiver/receiver_entries.h"

#include "receiver/noise.h"
#include "receiver/radiated_power.h"
#include "receiver/signal_quality.h"

namespace zandrevio {

namespace {
using Noise = ThermalNoiseResult;
using Figure = NoiseFigureResult;
using Signal = SignalToNoise;
using Shannon = ShannonCapacity;

const std::vector<ResultOf<Figure>> kFigureResults = {
    {&kNoiseFigureResult, Member<&Figure::figureDb>},
    {&kNoiseFactorResult, Member<&Figure::factor>},
    {&kNoiseTemperatureResult, Member<&Figure::temperatureK>},
};
const std::vector<ResultOf<Signal>> kSignalResults = {
    {&kEbnoResult, Member<&Signal::ebnoDb>},
    {&kSnrResult, Member<&Signal::snrDb>},
    {&kCn0Result, Member<&Signal::cn0DbHz>},
};
const std::vector<ResultOf<Shannon>> kShannonResults = {
    {&kCapacityResult, Member<&Shannon::capacityKbps>},
    {&kEfficiencyResult, Member<&Shannon::efficiency>},
    {&kSnrResult, Member<&Shannon::snrDb>},
};

// One way of the calculation a given option: that option selects it, and
// exactly one of them is given.
template <typename Field, typename T>
struct Way {
    std::string_view option;
    const CalculationSpec<Field>& calculation;
    Outcome<T, Field> (*operation)(const Inputs<Field>&);
};

template <typename Field, typename T>
Calculation FromOneOf(std::initializer_list<Way<Field, T>> ways, const std::vector<ResultOf<T>>& results)
{
    Calculation calculation;
    OneOf rule;
    for (const Way<Field, T>& way : ways) {
        calculation.variants.push_back(MakeVariant<Field, T>({way.option}, way.calculation, way.operation, results));
        rule.alternatives.push_back({way.option});
    }
    calculation.rules = {rule};
    return calculation;
}
} // namespace

Calculation NoiseCalculation()
{
    Calculation noise;
    noise.variants = {MakeVariant<NoiseField, Noise>({}, kThermalNoise, ThermalNoise,
                                                     {{&kNoiseDensityResult, Member<&Noise::densityDbmPerHz>},
                                                      {&kThermalNoiseResult, Member<&Noise::noiseDbm>},
                                                      {&kThermalNoiseWattsResult, Member<&Noise::noiseWatts>},
                                                      {&kNoiseFloorResult, Member<&Noise::floorDbm>},
                                                      {&kSensitivityResult, Member<&Noise::sensitivityDbm>}})};
    return noise;
}

Calculation NoiseFigureCalculation()
{
    return FromOneOf<NoiseField, Figure>({{"noise-figure", kNoiseFromFigure, NoiseFromFigure},
                                          {"noise-factor", kNoiseFromFactor, NoiseFromFactor},
                                          {"noise-temperature", kNoiseFromTemperature, NoiseFromTemperature}},
                                         kFigureResults);
}

Calculation EirpCalculation()
{
    using P = RadiatedPower;
    Calculation eirp;
    eirp.variants = {
        MakeVariant<RadiatedField, P>({}, kRadiatedPower, RadiatedPowerOf,
                                      {{&kEirpDbmResult, Member<&P::eirpDbm>},
                                       {&kEirpDbwResult, [](const P& p) { return p.eirpDbm - 30.0L; }},
                                       {&kEirpWattsResult, Member<&P::eirpWatts>},
                                       {&kErpDbmResult, Member<&P::erpDbm>},
                                       {&kErpDbwResult, [](const P& p) { return p.erpDbm - 30.0L; }},
                                       {&kErpWattsResult, Member<&P::erpWatts>},
                                       {&kFluxDensityResult, Member<&P::fluxDensityDbwPerM2>},
                                       {&kRadiatedFieldStrengthResult, Member<&P::fieldStrengthDbuvPerM>}})};
    return eirp;
}

Calculation EbnoCalculation()
{
    return FromOneOf<SignalField, Signal>(
        {{"ebno", kFromEbno, SignalFromEbno}, {"snr", kFromSnr, SignalFromSnr}, {"cn0", kFromCn0, SignalFromCn0}},
        kSignalResults);
}

Calculation CapacityCalculation()
{
    return FromOneOf<SignalField, Shannon>(
        {{"snr", kCapacityOfSnr, CapacityOfSnr}, {"capacity", kSnrForCapacity, SnrForCapacity}}, kShannonResults);
}

} // namespace zandrevio
