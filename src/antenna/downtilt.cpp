#include "antenna/downtilt.h"

#include "numeric/checked_math.h"

#include <cmath>
#include <numbers>

namespace zandrevio {

namespace {
constexpr long double kPi = std::numbers::pi_v<long double>;
constexpr long double kClipDb = 10.0L;
} // namespace

// Vertical pattern of a uniform array: g = |sin(pi k sin psi) / (k sin(pi sin psi))|
// with k = 1.78 / beamwidth (rad), psi the angle from the tilted main beam.
long double DowntiltAttenuation(long double distanceM, long double heightM, long double beamwidthDeg,
                                long double downtiltDeg)
{
    const long double beamwidth = fp::Mul(beamwidthDeg, kPi) / 180.0L;
    const long double downtilt = fp::Mul(downtiltDeg, kPi) / 180.0L;
    const long double k = fp::Div(1.78L, beamwidth);
    const long double theta = std::atan(fp::Div(heightM, distanceM));
    long double gain = 1.0L;
    if (theta != 0.0L) {
        const long double s = std::sin(theta - downtilt);
        // On the main beam itself the ratio is 0/0; its limit there is 1.
        if (s != 0.0L) {
            gain = std::fabs(fp::Div(std::sin(kPi * k * s), fp::Mul(k, std::sin(kPi * s))));
        }
    }
    const long double attenuation = std::fabs(20.0L * fp::Log10(gain));
    return attenuation > kClipDb ? kClipDb : attenuation;
}

DowntiltCurvePoints DowntiltCurve(long double heightM, long double beamwidthDeg, long double downtiltDeg)
{
    DowntiltCurvePoints points{};
    for (int i = 0; i < kCurvePoints; ++i) {
        const long double distance = 200.0L + 20.0L * i;
        const long double attenuation = DowntiltAttenuation(distance, heightM, beamwidthDeg, downtiltDeg);
        points[static_cast<std::size_t>(i)] = {static_cast<int>(fp::Round((distance - 200.0L) / 4.0L)),
                                               static_cast<int>(fp::Round(15.0L * attenuation))};
    }
    return points;
}

std::int64_t MiddleLineGain(long double gainDb)
{
    return fp::Round(fp::Sub(gainDb, 5.0L));
}

} // namespace zandrevio
