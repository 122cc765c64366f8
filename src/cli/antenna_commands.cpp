#include "antenna/downtilt.h"
#include "antenna/isolation.h"
#include "cli/command_kit.h"
#include "numeric/parse_real.h"
#include "numeric/real.h"

namespace zandrevio::cli {

namespace {
// The plot's two gain labels (the gain as typed, and the middle line) and
// the curve: the gain at each plotted distance, 0.2 km to 1.6 km.
Answer Downtilt(const Request& request, const Settings& settings)
{
    const Inputs<DowntiltField> in = InputsFrom(request, kDowntiltPlot);
    return AnswerOf(DowntiltPlot(in), [&](Answer& answer, const DowntiltPlotResult& plot) {
        answer.results.push_back(
            {std::string(kTopLineGain.name), request.Text("gain").value_or("10"), std::string(kTopLineGain.unit)});
        answer.results.push_back(Count(kMiddleLineGain, plot.middleLineGain));
        const fp::Real gain = in.Real(DowntiltField::Gain);
        const long double height = in.Real(DowntiltField::Height);
        const long double beamwidth = in.Real(DowntiltField::Beamwidth);
        const long double downtilt = in.Real(DowntiltField::Downtilt);
        for (int i = 0; i < kCurvePoints; ++i) {
            const long double metres = 200.0L + 20.0L * i;
            const fp::Real drop = DowntiltAttenuation(metres, height, beamwidth, downtilt);
            answer.curve.emplace_back(FormatAs(ResultFormat::Result, metres / 1000.0L, settings.digits),
                                      FormatAs(ResultFormat::Result, (gain - drop).Value(), settings.digits));
        }
    });
}

Answer Isolation(const Request& request, const Settings& settings)
{
    return AnswerOf(AntennaIsolation(InputsFrom(request, kAntennaIsolation)), [&](Answer& answer, double value) {
        answer.results.push_back(Result(kIsolationResult, value, settings));
    });
}
} // namespace

void AddAntennaCommands(std::vector<Command>& commands)
{
    commands.push_back({"downtilt",
                        "Gain of a down-tilted antenna over ground distance, 0.2 to 1.6 km",
                        OptionsOf(kDowntiltPlot),
                        {"top-gain", "middle-gain", "curve"},
                        Downtilt});
    commands.push_back({"isolation", "Isolation between two antennas", OptionsOf(kAntennaIsolation),
                        Names({kIsolationResult}), Isolation});
}

} // namespace zandrevio::cli
