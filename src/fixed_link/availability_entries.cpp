#include "fixed_link/availability_entries.h"

#include "fixed_link/availability.h"
#include "fixed_link/polarization_tilt.h"
#include "fixed_link/rain_attenuation.h"

namespace zandrevio {

namespace {
// The polarization is typed as a word or a tilt: the calculation reads the
// tilt the text gives.
template <typename Field>
void ReadPolarization(Inputs<Field>& in, const Request& request)
{
    const std::string_view text = request.TextOr("polarization", "horizontal");
    if (!ReadsAsPolarization(text)) {
        throw RequestError("polarization", "'" + std::string(text) + "' is not " + std::string(kPolarizationWords));
    }
    in.Set(Field::Polarization, PolarizationInput(std::string(text)));
}

using A = AvailabilityField;
using AR = AvailabilityResult;

const std::vector<ResultOf<AR>> kOutageResults = {
    {&kRainResultSpecificAttenuation, Member<&AR::rainSpecificDbPerKm>},
    {&kAvailabilityResultRainAttenuation, Member<&AR::rainAttenuation001Db>},
    {&kAvailabilityResultGasAttenuation, Member<&AR::gasAttenuationDb>},
    {&kAvailabilityResultRainOutage, Member<&AR::rainOutagePercent>},
    {&kAvailabilityResultMultipathOutage, Member<&AR::multipathOutagePercent>},
    {&kAvailabilityResultWorstMonthMultipath, Member<&AR::worstMonthMultipathPercent>},
    {&kAvailabilityResultWorstMonthToYear, Member<&AR::worstMonthToYearDb>},
    {&kAvailabilityResultOutage, Member<&AR::outagePercent>},
    {&kAvailabilityResultAvailability, Member<&AR::availabilityPercent>},
    {&kAvailabilityResultOutageTime, Member<&AR::outageMinutesPerYear>},
};
} // namespace

std::vector<ResultValue> MultipathPartValues(const AvailabilityResult& result)
{
    return ResultsOf(
        result,
        std::vector<ResultOf<AR>>{{&kAvailabilityResultWorstMonthMultipath, Member<&AR::worstMonthMultipathPercent>},
                                  {&kAvailabilityResultWorstMonthToYear, Member<&AR::worstMonthToYearDb>}});
}

std::vector<ResultValue> HopValues(const AvailabilityResult& result)
{
    return ResultsOf(result, kOutageResults);
}

Calculation AvailabilityCalculation()
{
    std::vector<ResultOf<AR>> margin = kOutageResults;
    margin.push_back({&kAvailabilityResultFadeMargin, Member<&AR::fadeMarginDb>});
    Calculation availability;
    availability.variants = {
        MakeVariant<A, AR>({"target-availability"}, kAvailability, FadeMarginForAvailability, margin,
                           {ReadPolarization<A>}),
        MakeVariant<A, AR>({}, kAvailability, Availability, kOutageResults, {ReadPolarization<A>}),
    };
    availability.rules = {{{{"fade-margin"}, {"target-availability"}}, 1, false, {}}};
    return availability;
}

Calculation RainAttenuationCalculation()
{
    using R = RainAttenuationField;
    using RR = RainAttenuationResult;
    Calculation rain;
    rain.variants = {MakeVariant<R, RR>({}, kRainAttenuation, RainAttenuation,
                                        {{&kRainResultSpecificAttenuation, Member<&RR::specificDbPerKm>},
                                         {&kRainResultAttenuation, Member<&RR::attenuationDb>}},
                                        {ReadPolarization<R>})};
    return rain;
}

} // namespace zandrevio
