#include "terrain/dem_profile.h"

#include "numeric/format.h"
#include "numeric/radio.h"
#include "terrain/dem_raster.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <limits>
#include <vector>

namespace zandrevio {

using fp::Real;

namespace {

using Cut = TerrainOutcome<DemPath>;

// A point met along the path, as a message names it: to the metre, which is
// all a raster's pixel can tell apart.
std::string Rounded(long double value, int decimals)
{
    std::array<char, 64> text{};
    std::snprintf(text.data(), text.size(), "%.*Lf", decimals, value);
    return text.data();
}

std::string Where(Real alongKm, GeoPoint place)
{
    return Rounded(alongKm.Value(), 3) + " km (latitude " + Rounded(place.latitudeDeg, 5) + ", longitude " +
        Rounded(place.longitudeDeg, 5) + ")";
}

std::string CoordinateFault(GeoPoint place, const char* end)
{
    if (!(place.latitudeDeg >= -90.0L && place.latitudeDeg <= 90.0L)) {
        return std::string("the ") + end + "'s latitude " + FormatFull(place.latitudeDeg) +
            " is outside -90 to 90 degrees";
    }
    if (!(place.longitudeDeg >= -180.0L && place.longitudeDeg <= 180.0L)) {
        return std::string("the ") + end + "'s longitude " + FormatFull(place.longitudeDeg) +
            " is outside -180 to 180 degrees";
    }
    return {};
}

} // namespace

namespace {
// The whole number nearest `x`, ties to even, as nearbyint gives it in the
// default rounding: adding 2^63 leaves a 64-bit significand no room for a
// fraction. A tenth of nearbyintl's cost, which a map pays per sample.
static_assert(std::numeric_limits<long double>::digits == 64, "Whole() needs the x87 64-bit significand");
long double Whole(long double x)
{
    constexpr long double kNoFraction = 9223372036854775808.0L; // 2^63
    if (!(std::fabs(x) < kNoFraction)) {
        return x; // already whole, or not a number
    }
    return x >= 0.0L ? (x + kNoFraction) - kNoFraction : (x - kNoFraction) + kNoFraction;
}
} // namespace

long double OnNanometres(long double metres)
{
    return Whole(metres * 1.0e9L) / 1.0e9L;
}

long double OnNanodegrees(long double degrees)
{
    const long double snapped = Whole(degrees * 1.0e9L) / 1.0e9L;
    return snapped >= 360.0L ? snapped - 360.0L : snapped;
}

std::vector<long double> DemCutDistancesM(long double lengthM, long double stepM)
{
    const long double intervals = std::max(2.0L, std::ceil(lengthM / stepM - 1.0e-9L));
    const auto count = static_cast<std::size_t>(intervals);
    std::vector<long double> distances(count + 1);
    for (std::size_t i = 1; i < count; ++i) {
        distances[i] = OnNanometres(static_cast<long double>(i) * lengthM / intervals);
    }
    distances[count] = lengthM;
    return distances;
}

TerrainOutcome<DemPath> CutDemProfile(const DemPathRequest& request)
{
    for (const auto& [place, end] : {std::pair{request.from, "transmitter"}, {request.to, "receiver"}}) {
        if (std::string fault = CoordinateFault(place, end); !fault.empty()) {
            return Cut::Failure(fault);
        }
    }
    auto opened = DemRaster::Open(request.rasters);
    if (!opened.Ok()) {
        return Cut::Failure(opened.Error());
    }
    return CutDemProfile(*opened.Value(), request);
}

TerrainOutcome<DemPath> CutDemProfile(DemRaster& raster, const DemPathRequest& request)
{
    for (const auto& [place, end] : {std::pair{request.from, "transmitter"}, {request.to, "receiver"}}) {
        if (std::string fault = CoordinateFault(place, end); !fault.empty()) {
            return Cut::Failure(fault);
        }
    }
    if (request.stepM && !(*request.stepM > 0.0L)) {
        return Cut::Failure("the step along the path must be greater than 0 m");
    }
    const Real angle = CentralAngle(request.from, request.to);
    if (angle == 0.0L) {
        return Cut::Failure("the transmitter and the receiver are at the same place");
    }
    // Within a micro-radian (6 m) of the antipode the great circle is not one.
    if (angle > radio::kPi - 1.0e-6L) {
        return Cut::Failure("the transmitter and the receiver are antipodes: no single great circle joins them");
    }
    const long double lengthM = OnNanometres((radio::kEarthRadiusKm * angle * 1000.0L).Value());
    const long double bearing = OnNanodegrees(InitialBearingDeg(request.from, request.to).Value());
    const GeoPoint middle = Destination(request.from, bearing, lengthM / 2000.0L);
    const long double stepM = OnNanometres(request.stepM ? *request.stepM : raster.PixelSizeM(middle.latitudeDeg));
    if (!(stepM > 0.0L)) {
        return Cut::Failure("the step along the path must be at least a nanometre");
    }
    const long double intervals = std::ceil(lengthM / stepM - 1.0e-9L);
    if (!(intervals < static_cast<long double>(kMaxDemProfilePoints))) {
        return Cut::Failure("a step of " + FormatFull(stepM) + " m would cut " + FormatFull(intervals + 1.0L) +
                            " points, more than " + std::to_string(kMaxDemProfilePoints));
    }
    const std::vector<long double> distances = DemCutDistancesM(lengthM, stepM);

    DemPath path{{}, lengthM / 1000.0L, bearing, InitialBearingDeg(request.to, request.from).Value()};
    path.profile.points.reserve(distances.size());
    for (std::size_t i = 0; i < distances.size(); ++i) {
        const Real along = distances[i] / 1000.0L;
        const GeoPoint place = i == 0                    ? request.from
            : i + 1 == distances.size() ? request.to
                                        : Destination(request.from, bearing, along);
        long double height = 0.0L;
        switch (raster.HeightAt(place, height)) {
        case DemRaster::Sample::Height:
            break;
        case DemRaster::Sample::Outside:
            return Cut::Failure("the path leaves the elevation data at " + Where(along, place));
        case DemRaster::Sample::Unreadable:
            return Cut::Failure(raster.ReadFault() + " at " + Where(along, place));
        case DemRaster::Sample::NoData:
            return Cut::Failure("the elevation data has no height at " + Where(along, place) + ": a no-data cell");
        }
        path.profile.points.push_back({along.Value(), height});
    }
    return path;
}

} // namespace zandrevio
