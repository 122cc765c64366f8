#include "feeder/feeder_entries.h"

#include "feeder/cable_catalogue.h"
#include "feeder/matching.h"

#include <algorithm>

namespace zandrevio {

namespace {
// The cable list is the chosen impedance's.
void CableOfImpedance(Inputs<CableField>& in, const Request& request)
{
    const auto cables = CableChoices(in.Choice<CableImpedance>(CableField::Impedance));
    const std::string_view cable = request.TextOr("cable", cables.front().text);
    in.Set(CableField::Cable, static_cast<long double>(MatchChoice("cable", cables, cable)));
}

// Every cable of the catalogue, for the completion and the manual.
std::vector<Choice> EveryCable()
{
    std::vector<Choice> cables;
    for (auto impedance : {CableImpedance::Ohm50, CableImpedance::Ohm75}) {
        for (const Choice& cable : CableChoices(impedance)) {
            if (std::none_of(cables.begin(), cables.end(), [&](const Choice& c) { return c.key == cable.key; })) {
                cables.push_back(cable);
            }
        }
    }
    return cables;
}

// One matching measurement and its one result.
template <typename T>
Calculation Matching(const CalculationSpec<MatchingField>& calculation,
                     Outcome<T, MatchingField> (*operation)(const Inputs<MatchingField>&), const ResultSpec& result,
                     void (*finish)(Reply&, const T&, const Inputs<MatchingField>&) = nullptr)
{
    Calculation matching;
    matching.variants = {
        MakeVariant<MatchingField, T>({}, calculation, operation, {{&result, Whole<T>}}, {nullptr, finish})};
    return matching;
}

// The return loss is in dB, the coefficient a plain ratio.
void ReflectionUnit(Reply& reply, const double&, const Inputs<MatchingField>& in)
{
    if (in.Choice<ReflectionOutput>(MatchingField::Output) == ReflectionOutput::ReturnLoss) {
        reply.results.front().unit = "dB";
    }
}
} // namespace

Calculation CableLossCalculation()
{
    Calculation cable;
    cable.variants = {MakeVariant<CableField, long double>(
        {}, kCableLoss, CableLoss, {{&kCableLossResult, Whole<long double>}}, {CableOfImpedance})};
    for (OptionSpec& option : cable.variants.front().options) {
        if (option.name == "cable") {
            option.caption = "Cable (see: zandrevio-calc cables)";
            option.choices = EveryCable();
        }
    }
    return cable;
}

Calculation VswrCalculation()
{
    return Matching(kVswrFromPowers, VswrFromPowers, kVswrResult);
}

Calculation CorrectedVswrCalculation()
{
    return Matching(kCorrectedAntennaVswr, CorrectedAntennaVswr, kAntennaVswrResult);
}

Calculation ShortVswrCalculation()
{
    return Matching(kCableLossFromShortVswr, CableLossFromShortVswr, kShortLossResult);
}

Calculation ReflectionCalculation()
{
    return Matching(kReflectionFromVswr, ReflectionFromVswr, kReflectionResult, ReflectionUnit);
}

} // namespace zandrevio
