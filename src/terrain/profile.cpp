#include "terrain/profile.h"

#include "numeric/format.h"

#include <cmath>

namespace zandrevio {

std::string GroundHeightFault(long double heightM)
{
    if (heightM >= kLowestGroundM && heightM <= kHighestGroundM) {
        return {};
    }
    return FormatFull(heightM) + " m is no ground's height: the earth's lies between " + FormatFull(kLowestGroundM) +
        " and " + FormatFull(kHighestGroundM) + " m";
}

std::string PathLengthFault(long double distanceKm)
{
    if (distanceKm <= kLongestPathKm) {
        return {};
    }
    return FormatFull(distanceKm) + " km is longer than any path on earth, half a great circle (" +
        FormatFull(kLongestPathKm) + " km)";
}

std::string ProfileFault(const TerrainProfile& profile)
{
    const auto& points = profile.points;
    if (points.size() < 3) {
        return "the profile has " + std::to_string(points.size()) + (points.size() == 1 ? " point" : " points") +
            "; a path needs at least 3";
    }
    for (std::size_t i = 0; i < points.size(); ++i) {
        // Named only when at fault: a map checks a profile per point.
        const auto which = [i] { return "point " + std::to_string(i + 1); };
        if (!std::isfinite(points[i].distanceKm) || !std::isfinite(points[i].heightM)) {
            return which() + " of the profile is not a finite number";
        }
        if (i == 0 && points[i].distanceKm != 0.0L) {
            return "the profile starts at " + FormatFull(points[i].distanceKm) + " km; it must start at 0 km";
        }
        if (i > 0 && !(points[i].distanceKm > points[i - 1].distanceKm)) {
            return which() + " of the profile (" + FormatFull(points[i].distanceKm) +
                " km) is not farther than the point before it (" + FormatFull(points[i - 1].distanceKm) + " km)";
        }
        if (const std::string fault = GroundHeightFault(points[i].heightM); !fault.empty()) {
            return "the height of " + which() + " of the profile: " + fault;
        }
        if (const std::string fault = PathLengthFault(points[i].distanceKm); !fault.empty()) {
            return "the distance of " + which() + " of the profile: " + fault;
        }
    }
    return {};
}

} // namespace zandrevio
