#include "cli/command_kit.h"
#include "feeder/cable_catalogue.h"
#include "feeder/matching.h"

namespace zandrevio::cli {

namespace {
Answer CableLossCommand(const Request& request, const Settings& settings)
{
    Inputs<CableField> in = InputsFrom(request, kCableLoss);
    // The cable list is the chosen impedance's.
    const auto impedance = in.Choice<CableImpedance>(CableField::Impedance);
    const std::string cable = request.Text("cable").value_or(std::string(CableChoices(impedance)[0].text));
    in.Set(CableField::Cable, static_cast<long double>(MatchChoice("cable", CableChoices(impedance), cable)));
    return AnswerOf(CableLoss(in), [&](Answer& answer, long double loss) {
        answer.results.push_back(Result(kCableLossResult, loss, settings));
    });
}

template <typename T>
Command Matching(const char* name, const char* summary, const CalculationSpec<MatchingField>& calculation,
                 Outcome<T, MatchingField> (*operation)(const Inputs<MatchingField>&), const ResultSpec& result)
{
    auto run = [&calculation, operation, &result](const Request& request, const Settings& settings) {
        return AnswerOf(operation(InputsFrom(request, calculation)),
                        [&](Answer& answer, T value) { answer.results.push_back(Result(result, value, settings)); });
    };
    return {name, summary, OptionsOf(calculation), Names({result}), run};
}
} // namespace

void AddFeederCommands(std::vector<Command>& commands)
{
    auto cableOptions = OptionsOf(kCableLoss);
    for (OptionInfo& option : cableOptions) {
        if (option.name == "cable") {
            option.help += " (see: zandrevio-calc cables)";
        }
    }
    commands.push_back({"cable-loss", "Loss of a length of catalogue cable", std::move(cableOptions),
                        Names({kCableLossResult}), CableLossCommand});
    commands.push_back(
        Matching("vswr", "VSWR from forward and reflected power", kVswrFromPowers, VswrFromPowers, kVswrResult));
    commands.push_back(Matching("corrected-vswr", "Antenna VSWR corrected for the feeder loss", kCorrectedAntennaVswr,
                                CorrectedAntennaVswr, kAntennaVswrResult));
    commands.push_back(Matching("short-vswr", "Cable loss from the VSWR of the cable shorted at its far end",
                                kCableLossFromShortVswr, CableLossFromShortVswr, kShortLossResult));
    Command reflection = Matching("reflection", "Reflection coefficient or return loss of a VSWR", kReflectionFromVswr,
                                  ReflectionFromVswr, kReflectionResult);
    // The return loss is in dB, the coefficient a plain ratio.
    reflection.run = [run = reflection.run](const Request& request, const Settings& settings) {
        Answer answer = run(request, settings);
        const auto output = MatchChoice("output", kReflectionOutputs, request.Text("output").value_or("ref-coef"));
        if (!answer.results.empty() && output == static_cast<int>(ReflectionOutput::ReturnLoss)) {
            answer.results.front().unit = "dB";
        }
        return answer;
    };
    commands.push_back(std::move(reflection));
}

} // namespace zandrevio::cli
