#include "antenna/downtilt.h"

#include "numeric/radio.h"

#include <cmath>

namespace zandrevio {

using fp::Real;
using radio::kPi;

namespace {
constexpr long double kClipDb = 10.0L;

const FieldSpec<DowntiltField> kFields[] = {
    {DowntiltField::Gain, FieldKind::Real, "Gain (dB)", "gain", "10"},
    {DowntiltField::Height, FieldKind::Real, "Height (m)", "height", "50"},
    {DowntiltField::Beamwidth, FieldKind::Real, "Beamwidth (deg)", "beamwidth", "20"},
    {DowntiltField::Downtilt, FieldKind::Real, "Downtilt (deg)", "downtilt", "7"},
};
} // namespace

const ResultSpec kTopLineGain{"Gain [dB]", "top-gain", "dB", ResultFormat::Text};
const ResultSpec kMiddleLineGain{"Gain [dB]", "middle-gain", "dB", ResultFormat::Whole};
const ResultSpec kDowntiltCurve{"Gain over distance", "curve", "dB", ResultFormat::Result};
namespace {
const ResultSpec kResults[] = {kTopLineGain, kMiddleLineGain};
} // namespace
const CalculationSpec<DowntiltField> kDowntiltPlot{"downtilt", kFields, kResults};

// Vertical pattern of a uniform array: g = |sin(pi k sin psi) / (k sin(pi sin psi))|
// with psi the angle from the tilted main beam and k = 1.78 / beamwidth (rad):
// a uniform array's half-power width is about 2 x 0.886 / k radians
// (Balanis, Antenna Theory, uniform linear arrays), 1.772 taken as 1.78.
long double DowntiltAttenuation(long double distanceM, long double heightM, long double beamwidthDeg,
                                long double downtiltDeg)
{
    const Real beamwidth = (Real(beamwidthDeg) * kPi).Value() / 180.0L;
    const Real downtilt = (Real(downtiltDeg) * kPi).Value() / 180.0L;
    const Real k = 1.78L / beamwidth;
    const long double theta = std::atan((Real(heightM) / distanceM).Value());
    Real gain = 1.0L;
    if (theta != 0.0L) {
        // Unchecked on purpose: an angle too large for sin gives NaN, which
        // the division below reports as an invalid operation.
        const long double s = std::sin(theta - downtilt.Value());
        // On the main beam itself the ratio is 0/0; its limit there is 1.
        if (s != 0.0L) {
            const long double numerator = std::sin(kPi * k.Value() * s);
            gain = fp::Div(numerator, (k * std::sin(kPi * s)).Value());
            gain = std::fabs(gain.Value());
        }
    }
    const long double attenuation = std::fabs((20.0L * fp::Log10(gain)).Value());
    return attenuation > kClipDb ? kClipDb : attenuation;
}

std::vector<DowntiltPoint> DowntiltGains(long double gainDb, long double heightM, long double beamwidthDeg,
                                         long double downtiltDeg)
{
    std::vector<DowntiltPoint> points;
    points.reserve(kCurvePoints);
    for (int i = 0; i < kCurvePoints; ++i) {
        const long double metres = 200.0L + 20.0L * i;
        const long double attenuation = DowntiltAttenuation(metres, heightM, beamwidthDeg, downtiltDeg);
        points.push_back({metres / 1000.0L, attenuation, (Real(gainDb) - attenuation).Value()});
    }
    return points;
}

std::int64_t MiddleLineGain(long double gainDb)
{
    return fp::Round(fp::Sub(gainDb, 5.0L));
}

Outcome<DowntiltPlotResult, DowntiltField> DowntiltPlot(const Inputs<DowntiltField>& in)
{
    const long double gain = in.Real(DowntiltField::Gain);
    const long double height = in.Real(DowntiltField::Height);
    const long double beamwidth = in.Real(DowntiltField::Beamwidth);
    const long double downtilt = in.Real(DowntiltField::Downtilt);
    std::vector<DowntiltPoint> curve = DowntiltGains(gain, height, beamwidth, downtilt);
    return DowntiltPlotResult{std::move(curve), gain, MiddleLineGain(gain)};
}

} // namespace zandrevio
