#include "antenna/downtilt.h"

#include "numeric/radio.h"

#include <cmath>
#include <numbers>

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

namespace {
// The number of elements k (a real) of the array below whose half-power full
// width is the beamwidth b: AF(b/2) = 1/sqrt(2) with x0 = (pi/2) sin(b/2)
// reads sin(u)/u = sin(x0) / (sqrt(2) x0) for u = k x0, one root u in (0, pi)
// where sin(u)/u falls from 1 to 0 (for small b, k b = 2 x 1.3916 / (pi/2)
// = 1.772, Balanis's 0.886 lambda / (N d) at d = lambda / 2).
Real ArrayLength(Real beamwidth)
{
    const Real x0 = kPi / 2.0L * std::sin((beamwidth / 2.0L).Value());
    // A beamwidth of 0 divides by zero here.
    const Real inverse = 1.0L / x0;
    const long double c = (Real(std::sin(x0.Value())) * inverse / std::numbers::sqrt2_v<long double>).Value();
    // Halves (0, pi) until its ends are neighbouring reals. Unchecked on
    // purpose: the middle lies strictly between 0 and pi, so sin(u)/u
    // neither divides by zero nor overflows.
    long double low = 0.0L;
    long double high = kPi;
    for (;;) {
        const long double middle = 0.5L * (low + high);
        if (middle == low || middle == high) {
            break;
        }
        (std::sin(middle) / middle > c ? low : high) = middle;
    }
    return inverse * (0.5L * (low + high));
}
} // namespace

// Vertical pattern of a uniform broadside array of k elements half a
// wavelength apart: g = |sin(k x) / (k sin x)|, x = (pi/2) sin psi, with psi
// the angle from the tilted main beam (Balanis, Antenna Theory, 6.3, the
// array factor at d = lambda/2), k chosen so that g = 1/sqrt(2), 3.0103 dB
// down, at psi = +-b/2: the half-power full width is the beamwidth b.
long double DowntiltAttenuation(long double distanceM, long double heightM, long double beamwidthDeg,
                                long double downtiltDeg)
{
    const Real beamwidth = (Real(beamwidthDeg) * kPi).Value() / 180.0L;
    const Real downtilt = (Real(downtiltDeg) * kPi).Value() / 180.0L;
    const Real k = ArrayLength(beamwidth);
    const long double theta = std::atan((Real(heightM) / distanceM).Value());
    Real gain = 1.0L;
    if (theta != 0.0L) {
        // Unchecked on purpose: an angle too large for sin gives NaN, which
        // the division below reports as an invalid operation.
        const long double x = kPi / 2.0L * std::sin(theta - downtilt.Value());
        // On the main beam itself the ratio is 0/0; its limit there is 1.
        if (x != 0.0L) {
            const long double numerator = std::sin((k * x).Value());
            gain = fp::Div(numerator, (k * std::sin(x)).Value());
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
    if (!(height >= 0.0L)) {
        return Refusal<DowntiltField>{"Height must not be negative", DowntiltField::Height};
    }
    // A half-power width beyond 180 degrees has no half-power points.
    if (!(beamwidth > 0.0L && beamwidth <= 180.0L)) {
        return Refusal<DowntiltField>{"Beamwidth must be 0 < B <= 180 deg", DowntiltField::Beamwidth};
    }
    if (!(downtilt >= -90.0L && downtilt <= 90.0L)) {
        return Refusal<DowntiltField>{"Downtilt must be -90 <= T <= 90 deg", DowntiltField::Downtilt};
    }
    std::vector<DowntiltPoint> curve = DowntiltGains(gain, height, beamwidth, downtilt);
    return DowntiltPlotResult{std::move(curve), gain, MiddleLineGain(gain)};
}

} // namespace zandrevio
