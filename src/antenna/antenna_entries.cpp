#include "antenna/antenna_entries.h"

#include "antenna/downtilt.h"
#include "antenna/isolation.h"
#include "numeric/format.h"

namespace zandrevio {

namespace {
// The plot's top label is the gain as typed; the curve is the gain left at
// each distance.
void GainCurve(Reply& reply, const DowntiltPlotResult& plot, const Inputs<DowntiltField>&)
{
    // The top line's gain as typed where the echo has it; as its value otherwise.
    reply.results.front().text = FormatFull(plot.gainDb);
    for (const auto& [option, text] : reply.inputs) {
        if (option == SpecOf(kDowntiltPlot, DowntiltField::Gain).option) {
            reply.results.front().text = text;
        }
    }
    for (const DowntiltPoint& point : plot.curve) {
        reply.curve.push_back({point.distanceKm, point.gainDb});
    }
}
} // namespace

Calculation DowntiltCalculation()
{
    Calculation downtilt;
    downtilt.variants = {MakeVariant<DowntiltField, DowntiltPlotResult>(
        {}, kDowntiltPlot, DowntiltPlot,
        {{&kTopLineGain, Member<&DowntiltPlotResult::gainDb>},
         {&kMiddleLineGain, Member<&DowntiltPlotResult::middleLineGain>}},
        {nullptr, GainCurve})};
    downtilt.variants.front().results.push_back(&kDowntiltCurve);
    return downtilt;
}

Calculation IsolationCalculation()
{
    Calculation isolation;
    isolation.variants = {MakeVariant<IsolationField, double>({}, kAntennaIsolation, AntennaIsolation,
                                                              {{&kIsolationResult, Whole<double>}})};
    return isolation;
}

} // namespace zandrevio
