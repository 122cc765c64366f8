#include "terrain/profile.h"

#include "numeric/format.h"

#include <cmath>

namespace zandrevio {

std::string ProfileFault(const TerrainProfile& profile)
{
    const auto& points = profile.points;
    if (points.size() < 3) {
        return "the profile has " + std::to_string(points.size()) + (points.size() == 1 ? " point" : " points") +
            "; a path needs at least 3";
    }
    for (std::size_t i = 0; i < points.size(); ++i) {
        const std::string which = "point " + std::to_string(i + 1);
        if (!std::isfinite(points[i].distanceKm) || !std::isfinite(points[i].heightM)) {
            return which + " of the profile is not a finite number";
        }
        if (i == 0 && points[i].distanceKm != 0.0L) {
            return "the profile starts at " + FormatFull(points[i].distanceKm) + " km; it must start at 0 km";
        }
        if (i > 0 && !(points[i].distanceKm > points[i - 1].distanceKm)) {
            return which + " of the profile (" + FormatFull(points[i].distanceKm) +
                " km) is not farther than the point before it (" + FormatFull(points[i - 1].distanceKm) + " km)";
        }
    }
    return {};
}

} // namespace zandrevio
