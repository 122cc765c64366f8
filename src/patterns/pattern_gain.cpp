#include "patterns/pattern_gain.h"

#include "numeric/checked_trig.h"
#include "numeric/format.h"
#include "numeric/radio.h"

#include <algorithm>
#include <cmath>

namespace zandrevio {

namespace {
constexpr long double kRadian = radio::kPi / 180.0L;

// An angle in (-180, 180].
long double Signed(long double degrees)
{
    long double angle = std::fmod(degrees, 360.0L);
    angle = angle > 180.0L ? angle - 360.0L : angle;
    return angle <= -180.0L ? angle + 360.0L : angle;
}

// The vertical cut's peak ahead (depressions from -90 to 90): its depression.
long double FrontPeakDepression(const PatternCut& vertical)
{
    long double best = 0.0L;
    long double least = vertical.At(0.0L);
    for (const PatternCut::Point& point : vertical.Points()) {
        const long double depression = Signed(point.angleDeg);
        if (std::fabs(depression) <= 90.0L &&
            (point.attenuationDb < least ||
             (point.attenuationDb == least && std::fabs(depression) < std::fabs(best)))) {
            least = point.attenuationDb;
            best = depression;
        }
    }
    return best;
}

// The angle either side of `peak` at which the cut first falls 3 dB below
// it, read between its points; the sum of both sides' offsets.
long double HalfPowerWidth(const PatternCut& cut, long double peak)
{
    const long double level = cut.At(peak) + 3.0L;
    long double width = 0.0L;
    for (const long double side : {1.0L, -1.0L}) {
        // Walk the points outward, up to half a turn.
        std::vector<long double> offsets;
        for (const PatternCut::Point& point : cut.Points()) {
            long double offset = std::fmod(side * (point.angleDeg - peak) + 720.0L, 360.0L);
            if (offset > 0.0L && offset <= 180.0L) {
                offsets.push_back(offset);
            }
        }
        std::sort(offsets.begin(), offsets.end());
        long double before = 0.0L;
        long double reached = -1.0L;
        for (const long double offset : offsets) {
            const long double at = cut.At(peak + side * offset);
            if (at >= level) {
                const long double previous = cut.At(peak + side * before);
                reached = before + (offset - before) * (level - previous) / (at - previous);
                break;
            }
            before = offset;
        }
        if (reached < 0.0L) {
            return 360.0L; // never 3 dB down on this side: no beam to measure
        }
        width += reached;
    }
    return std::min(width, 360.0L);
}

} // namespace

AntennaDirection InAntennaFrame(const AntennaMounting& mounting, long double bearingDeg, long double elevationDeg)
{
    const long double relative = (bearingDeg - mounting.azimuthDeg) * kRadian;
    const long double elevation = elevationDeg * kRadian;
    const long double tilt = mounting.downtiltDeg * kRadian;
    // The direction as forward, right and up of the antenna turned to its azimuth ...
    const long double forward = fp::Cos(elevation) * fp::Cos(relative);
    const long double right = fp::Cos(elevation) * fp::Sin(relative);
    const long double up = fp::Sin(elevation);
    // ... then of the antenna tilted down by its mechanical tilt (a turn about its right-hand axis).
    const long double tiltedForward = forward * fp::Cos(tilt) - up * fp::Sin(tilt);
    const long double tiltedUp = std::clamp(forward * fp::Sin(tilt) + up * fp::Cos(tilt), -1.0L, 1.0L);
    const bool level = mounting.downtiltDeg == 0.0L;
    // Untilted, the azimuth is the bearing's difference itself: the file's angles stay exact.
    return {level ? Signed(bearingDeg - mounting.azimuthDeg) : fp::Atan2(right, tiltedForward) / kRadian,
            level ? elevationDeg : fp::Asin(tiltedUp) / kRadian};
}

long double PatternAttenuation(const AntennaPattern& pattern, AntennaDirection direction)
{
    const PatternCut& vertical = pattern.vertical;
    const long double azimuth = Signed(direction.azimuthDeg);
    const long double elevation = direction.elevationDeg;
    const long double peak = -FrontPeakDepression(vertical); // the peak's elevation ahead
    // The vertical cut ahead at an elevation e is its depression -e; behind, 180 + e.
    const auto front = [&vertical](long double e) { return vertical.At(-e); };
    const auto back = [&vertical](long double e) { return vertical.At(180.0L + e); };
    const long double behind = std::fabs(azimuth) / 180.0L;
    // 3GPP TR 38.901 V17.0.0 Table 7.3-1: A = min(A_H + A_V, A_m), the vertical cut's halves weighted by azimuth.
    long double attenuation = pattern.horizontal.At(azimuth);
    if (behind < 1.0L) {
        attenuation += (1.0L - behind) * (front(elevation) - front(peak));
    }
    if (behind > 0.0L) {
        attenuation += behind * (back(elevation) - back(peak));
    }
    const long double deepest = std::max(pattern.horizontal.Deepest(), vertical.Deepest());
    return std::clamp(attenuation, 0.0L, deepest);
}

long double GainToward(const AntennaPattern& pattern, const AntennaMounting& mounting, long double bearingDeg,
                       long double elevationDeg)
{
    return pattern.gainDbi - PatternAttenuation(pattern, InAntennaFrame(mounting, bearingDeg, elevationDeg));
}

PatternFigures FiguresOf(const AntennaPattern& pattern)
{
    PatternFigures figures{};
    figures.gainDbi = pattern.gainDbi;
    long double horizontalPeak = 0.0L;
    long double least = pattern.horizontal.At(0.0L);
    for (const PatternCut::Point& point : pattern.horizontal.Points()) {
        if (point.attenuationDb < least) {
            least = point.attenuationDb;
            horizontalPeak = point.angleDeg;
        }
    }
    const long double depression = FrontPeakDepression(pattern.vertical);
    figures.horizontalBeamwidthDeg = HalfPowerWidth(pattern.horizontal, horizontalPeak);
    figures.verticalBeamwidthDeg = HalfPowerWidth(pattern.vertical, depression);
    figures.frontToBackDb = pattern.horizontal.At(horizontalPeak + 180.0L) - least;
    figures.electricalTiltDeg = depression;
    if (pattern.electricalTiltDeg && std::fabs(*pattern.electricalTiltDeg - depression) > 0.5L) {
        figures.warnings.push_back("The file states an electrical tilt of " + FormatFull(*pattern.electricalTiltDeg) +
                                   " degrees and its vertical cut peaks at " + FormatFull(depression) +
                                   ": the cut is what the gains follow");
    }
    if (least != 0.0L || pattern.vertical.At(depression) != 0.0L) {
        figures.warnings.push_back("The cuts are not normalised to 0 dB at their peaks: the gains are the main "
                                   "beam's less each attenuation as the file gives it");
    }
    return figures;
}

} // namespace zandrevio
