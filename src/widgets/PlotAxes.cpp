#include "widgets/PlotAxes.h"

#include <cmath>

namespace zandrevio {

long double NiceStep(long double span, int most)
{
    const long double raw = span / static_cast<long double>(most);
    const long double power = std::pow(10.0L, std::floor(std::log10(raw)));
    for (long double factor : {1.0L, 2.0L, 5.0L}) {
        if (span / (factor * power) <= static_cast<long double>(most) * (1.0L + 1e-9L)) {
            return factor * power;
        }
    }
    return 10.0L * power;
}

std::vector<long double> NiceTicks(long double low, long double high, int most)
{
    if (!(high > low) || most < 1) {
        return {low};
    }
    const long double step = NiceStep(high - low, most);
    // Counted in whole steps, so that no sum drifts off the round values.
    const long double first = std::ceil(low / step - 1e-9L);
    const long double last = std::floor(high / step + 1e-9L);
    // A span overflowing, or a narrow range far from zero (1e21 MHz + 200),
    // gives steps that cannot be counted: whole numbers beyond 2^64 no longer
    // step by one. The ends alone are shown.
    if (!(last - first <= 2.0L * most + 2.0L) || first + 1.0L == first || !std::isfinite(step)) {
        return {low};
    }
    std::vector<long double> ticks;
    for (long double n = first; n <= last; n += 1.0L) {
        ticks.push_back(n * step);
    }
    return ticks;
}

} // namespace zandrevio
