// Any bytes as an antenna pattern file: no crash and no hang; a file read
// has two cuts in rising angles with attenuations from 0 to 200 dB and a
// gain within -20 to 60 dBi, and its gain toward any direction lies between
// the main beam's and 200 dB below it.
#include "patterns/antenna_pattern.h"
#include "patterns/pattern_gain.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {
void Check(bool holds)
{
    if (!holds) {
        std::abort();
    }
}

void CheckCut(const zandrevio::PatternCut& cut)
{
    Check(!cut.Empty());
    for (std::size_t i = 0; i < cut.Points().size(); ++i) {
        const auto& point = cut.Points()[i];
        Check(point.angleDeg >= 0.0L && point.angleDeg < 360.0L);
        Check(point.attenuationDb >= 0.0L && point.attenuationDb <= 200.0L);
        Check(i == 0 || point.angleDeg > cut.Points()[i - 1].angleDeg);
    }
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const zandrevio::PatternRead read = zandrevio::ReadPattern(text);
    if (const auto* pattern = std::get_if<zandrevio::AntennaPattern>(&read)) {
        Check(pattern->gainDbi >= -20.0L && pattern->gainDbi <= 60.0L);
        CheckCut(pattern->horizontal);
        CheckCut(pattern->vertical);
        for (const long double bearing : {0.0L, 45.5L, 180.0L, 359.9L}) {
            for (const long double elevation : {-90.0L, -7.25L, 0.0L, 30.0L, 90.0L}) {
                const long double gain = zandrevio::GainToward(*pattern, {10.0L, 3.0L}, bearing, elevation);
                Check(gain <= pattern->gainDbi && gain >= pattern->gainDbi - 200.0L);
            }
        }
        const zandrevio::PatternFigures figures = zandrevio::FiguresOf(*pattern);
        Check(figures.horizontalBeamwidthDeg >= 0.0L && figures.horizontalBeamwidthDeg <= 360.0L);
        Check(figures.verticalBeamwidthDeg >= 0.0L && figures.verticalBeamwidthDeg <= 360.0L);
    }
    return 0;
}
