#include "receiver/receiver_entries.h"

#include "receiver/cascade.h"
#include "receiver/cascade_stages.h"
#include "receiver/intermodulation.h"
#include "receiver/receiver_results.h"

#include "numeric/app_error.h"
#include "numeric/parse_real.h"
#include "receiver/noise.h"
#include "receiver/radiated_power.h"
#include "receiver/signal_quality.h"

namespace zandrevio {

namespace {
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

const ResultSpec* const kCascadeResults[] = {
    &kCascadeGainResult,  &kNoiseFigureResult,  &kNoiseTemperatureResult, &kCascadeIip3Result, &kCascadeOip3Result,
    &kCascadeIp1dbResult, &kCascadeOp1dbResult, &kNoiseFloorResult,       &kSensitivityResult, &kCascadeSfdrResult,
};

enum class CascadeField { Bandwidth, Snr };
const FieldSpec<CascadeField> kCascadeFields[] = {
    {CascadeField::Bandwidth, FieldKind::Real, "Bandwidth (kHz)", "bandwidth", "200"},
    {CascadeField::Snr, FieldKind::Real, "Required SNR (dB)", "snr", "9", {}, {}, {}, true},
};
const CalculationSpec<CascadeField> kCascadeSpec{"cascade", kCascadeFields, {}};

ResultValue Number(const ResultSpec& spec, long double value)
{
    return {&spec, value, {}, spec.unit, spec.format};
}

Reply RunCascade(const Request& request, const std::vector<std::string_view>&)
{
    Reply reply;
    std::vector<CascadeStage> stages;
    const std::vector<std::string_view> texts = request.Texts("stage");
    for (std::size_t i = 0; i < texts.size(); ++i) {
        auto stage = ParseStage(texts[i], i);
        if (auto* failed = std::get_if<std::string>(&stage)) {
            // A stage that cannot be read is the user's slip, named by its option.
            throw RequestError("stage", *failed);
        }
        stages.push_back(std::get<CascadeStage>(std::move(stage)));
    }
    Inputs<CascadeField> in = InputsFrom(request, kCascadeSpec);
    const long double bandwidth = in.Real(CascadeField::Bandwidth);
    const long double snr = in.Real(CascadeField::Snr);
    EchoFields(reply, request, kCascadeSpec, in);
    const auto outcome = Cascade(stages, bandwidth, snr);
    if (const auto* refused = std::get_if<CascadeRefusal>(&outcome)) {
        reply.error = refused->message;
        reply.errorOption = refused->message.rfind("Bandwidth", 0) == 0 ? "bandwidth" : "stage";
        return reply;
    }
    const CascadeResult& chain = std::get<CascadeResult>(outcome);
    reply.results = {Number(kCascadeGainResult, chain.gainDb), Number(kNoiseFigureResult, chain.noiseFigureDb),
                     Number(kNoiseTemperatureResult, chain.noiseTemperatureK)};
    const std::pair<const ResultSpec*, std::optional<long double>> points[] = {
        {&kCascadeIip3Result, chain.iip3Dbm},      {&kCascadeOip3Result, chain.oip3Dbm},
        {&kCascadeIp1dbResult, chain.ip1dbDbm},    {&kCascadeOp1dbResult, chain.op1dbDbm},
        {&kNoiseFloorResult, chain.noiseFloorDbm}, {&kSensitivityResult, chain.sensitivityDbm},
        {&kCascadeSfdrResult, chain.sfdrDb}};
    for (const auto& [spec, value] : points) {
        if (value) {
            reply.results.push_back(Number(*spec, *value));
        }
    }
    // The whole chain first, then each stage: the command line writes them in turn.
    reply.matches.push_back(reply.results);
    for (std::size_t i = 0; i < stages.size(); ++i) {
        const StageShare& share = chain.stages[i];
        std::vector<ResultValue> stage{{&kStageNameResult, 0.0L, stages[i].name, "", ResultFormat::Text},
                                       Number(kStageGainResult, share.gainDb),
                                       Number(kStageNoiseFigureResult, share.noiseFigureDb),
                                       Number(kStageNoiseShareResult, share.noiseShare)};
        if (share.ip3Share) {
            stage.push_back(Number(kStageIp3ShareResult, *share.ip3Share));
        }
        reply.matches.push_back(std::move(stage));
    }
    return reply;
}

enum class ListFormat { Text = 0, Csv = 1 };
constexpr Choice kListFormats[] = {{"text", "text"}, {"CSV", "csv"}};
enum class Orders { All = 0, Odd = 1 };
constexpr Choice kOrderChoices[] = {{"all", "all"}, {"odd", "odd"}};
enum class IntermodOption { HighestOrder, Orders, Format };
const FieldSpec<IntermodOption> kIntermodFields[] = {
    {IntermodOption::HighestOrder, FieldKind::Whole, "Highest order", "max-order", "7", {}, "2 to 7"},
    {IntermodOption::Orders, FieldKind::Choice, "Orders", "orders", "all", kOrderChoices},
    {IntermodOption::Format, FieldKind::Choice, "Format of the list", "format", "text", kListFormats},
};
const CalculationSpec<IntermodOption> kIntermodSpec{"intermod", kIntermodFields, {}};

// The option of the search's field a refusal names.
std::string_view IntermodOptionOf(IntermodField field)
{
    switch (field) {
    case IntermodField::Carriers:
        return "carrier";
    case IntermodField::Bands:
        return "band";
    case IntermodField::HighestOrder:
        return "max-order";
    case IntermodField::OddOrdersOnly:
        break;
    }
    return "orders";
}

Reply RunIntermod(const Request& request, const std::vector<std::string_view>&)
{
    Reply reply;
    IntermodSearch search;
    const auto refuse = [&](std::string message, std::string_view option) {
        reply.error = std::move(message);
        reply.errorOption = option;
        return reply;
    };
    // A carrier or a band that cannot be read is the user's slip, named by its option.
    const std::vector<std::string_view> carriers = request.Texts("carrier");
    for (std::size_t i = 0; i < carriers.size(); ++i) {
        try {
            search.carriersMhz.push_back(ParseReal(carriers[i]));
        } catch (const ConversionFailure&) {
            throw RequestError("carrier",
                               "'" + std::string(carriers[i]) + "' (carrier " + std::to_string(i + 1) +
                                   ") is not a number");
        }
    }
    const std::vector<std::string_view> bands = request.Texts("band");
    for (std::size_t i = 0; i < bands.size(); ++i) {
        const std::string_view band = bands[i];
        const std::size_t dash = band.find('-', 1);
        try {
            if (dash == std::string_view::npos) {
                throw ConversionFailure(std::string(band));
            }
            search.bands.push_back({ParseReal(band.substr(0, dash)), ParseReal(band.substr(dash + 1))});
        } catch (const ConversionFailure&) {
            throw RequestError(
                "band", "'" + std::string(band) + "' (band " + std::to_string(i + 1) + ") is not LOW-HIGH in MHz");
        }
    }
    const Inputs<IntermodOption> in = InputsFrom(request, kIntermodSpec);
    search.highestOrder = in.Whole(IntermodOption::HighestOrder);
    search.oddOrdersOnly = in.Choice<Orders>(IntermodOption::Orders) == Orders::Odd;
    EchoFields(reply, request, kIntermodSpec, in);
    const Outcome<IntermodResult, IntermodField> outcome = IntermodulationProducts(search);
    if (!outcome.Ok()) {
        return refuse(outcome.Error().message, IntermodOptionOf(outcome.Error().field));
    }
    const IntermodResult& found = outcome.Value();
    reply.results.push_back(Number(kProductCountResult, static_cast<long double>(found.products.size())));
    for (int order = kLowestIntermodOrder; order <= search.highestOrder; ++order) {
        if (!search.oddOrdersOnly || order % 2 == 1) {
            reply.results.push_back(Number(kOrderCountResults[order - kLowestIntermodOrder],
                                           static_cast<long double>(found.countByOrder[order])));
        }
    }
    reply.rows.reserve(found.products.size());
    for (const IntermodProduct& product : found.products) {
        reply.rows.push_back({Number(kProductFrequencyResult, product.frequencyMhz),
                              Number(kProductOrderResult, product.order),
                              {&kProductTermsResult, 0.0L, IntermodProductText(product), "", ResultFormat::Text},
                              Number(kProductBandResult, product.band + 1)});
    }
    return reply;
}

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
    using R = ReceiverNoise;
    noise.variants = {MakeVariant<NoiseField, R>({}, kThermalNoise, ReceiverNoiseOf,
                                                 {{&kNoiseDensityResult, [](const R& r) { return r.thermal.densityDbmPerHz; }},
                                                  {&kThermalNoiseResult, [](const R& r) { return r.thermal.noiseDbm; }},
                                                  {&kThermalNoiseWattsResult, [](const R& r) { return r.thermal.noiseWatts; }},
                                                  {&kNoiseFloorResult, [](const R& r) { return r.thermal.floorDbm; }},
                                                  {&kSensitivityResult, [](const R& r) { return r.thermal.sensitivityDbm; }},
                                                  {&kNoiseFactorResult, [](const R& r) { return r.figure.factor; }},
                                                  {&kNoiseTemperatureResult, [](const R& r) { return r.figure.temperatureK; }}})};
    return noise;
}

Calculation NoiseFigureCalculation()
{
    return FromOneOf<NoiseField, Figure>({{"noise-figure", kNoiseFromFigure, NoiseFromFigure},
                                          {"noise-factor", kNoiseFromFactor, NoiseFromFactor},
                                          {"noise-temperature", kNoiseFromTemperature, NoiseFromTemperature}},
                                         kFigureResults);
}

Calculation CascadeCalculation()
{
    Variant variant;
    variant.options = {{"stage",
                        "Stage",
                        FieldKind::Text,
                        "",
                        {},
                        "name=NAME,gain=dB[,nf=dB][,oip3=dBm][,p1db=dBm], in order from the antenna; a loss without nf "
                        "takes its loss as its noise figure",
                        "STAGE",
                        {},
                        {},
                        true}};
    for (const OptionSpec& option : OptionsOf(kCascadeSpec)) {
        variant.options.push_back(option);
    }
    variant.results.assign(std::begin(kCascadeResults), std::end(kCascadeResults));
    variant.run = RunCascade;
    Calculation cascade;
    cascade.variants = {std::move(variant)};
    cascade.inBatch = false;
    return cascade;
}

Calculation IntermodCalculation()
{
    Variant variant;
    variant.options = {
        {"carrier",
         "Carrier (MHz)",
         FieldKind::Real,
         "",
         {},
         "a transmitter's frequency, up to 32",
         "MHz",
         {},
         {},
         true},
        {"band",
         "Receive band (MHz)",
         FieldKind::Text,
         "",
         {},
         "its edges, LOW-HIGH, included",
         "LOW-HIGH",
         {},
         {},
         true},
    };
    for (const OptionSpec& option : OptionsOf(kIntermodSpec)) {
        variant.options.push_back(option);
    }
    variant.results.push_back(&kProductCountResult);
    for (const ResultSpec& count : kOrderCountResults) {
        variant.results.push_back(&count);
    }
    variant.run = RunIntermod;
    Calculation intermod;
    intermod.variants = {std::move(variant)};
    intermod.inBatch = false;
    return intermod;
}

Calculation EirpCalculation()
{
    using P = RadiatedPower;
    Calculation eirp;
    eirp.variants = {
        MakeVariant<RadiatedField, P>({}, kRadiatedPower, RadiatedPowerOf,
                                      {{&kEirpDbmResult, Member<&P::eirpDbm>},
                                       {&kErpDbmResult, Member<&P::erpDbm>},
                                       {&kEirpDbwResult, Member<&P::eirpDbw>},
                                       {&kErpDbwResult, Member<&P::erpDbw>},
                                       {&kEirpWattsResult, Member<&P::eirpWatts>},
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
