#include "terrain/dem_profile.h"

#include "numeric/format.h"
#include "numeric/radio.h"
#include "terrain/dem_raster.h"

#include <array>
#include <cmath>
#include <cstdio>

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

TerrainOutcome<DemPath> CutDemProfile(const DemPathRequest& request)
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
    auto opened = DemRaster::Open(request.rasters);
    if (!opened.Ok()) {
        return Cut::Failure(opened.Error());
    }
    DemRaster& raster = *opened.Value();

    const Real distanceKm = radio::kEarthRadiusKm * angle;
    const GreatCirclePath circle(request.from, request.to);
    const GeoPoint middle = circle.At(0.5L);
    const long double stepM = request.stepM ? *request.stepM : raster.PixelSizeM(middle.latitudeDeg);
    const long double intervals = std::ceil((distanceKm * 1000.0L / stepM).Value());
    if (!(intervals < static_cast<long double>(kMaxDemProfilePoints))) {
        return Cut::Failure("a step of " + FormatFull(stepM) + " m would cut " + FormatFull(intervals + 1.0L) +
                            " points, more than " + std::to_string(kMaxDemProfilePoints));
    }
    const std::size_t count = std::max<std::size_t>(2, static_cast<std::size_t>(intervals));

    DemPath path{{},
                 distanceKm.Value(),
                 InitialBearingDeg(request.from, request.to).Value(),
                 InitialBearingDeg(request.to, request.from).Value()};
    path.profile.points.reserve(count + 1);
    for (std::size_t i = 0; i <= count; ++i) {
        const Real fraction = Real(static_cast<long double>(i)) / static_cast<long double>(count);
        const GeoPoint place = i == 0 ? request.from : i == count ? request.to : circle.At(fraction);
        const Real along = i == count ? distanceKm : distanceKm * fraction;
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
