#include "propagation/path_model.h"

namespace zandrevio {

long double AntennaAltitudeM(const TerrainProfile& profile, bool receiver, long double heightM)
{
    if (profile.points.empty()) {
        return heightM;
    }
    return (receiver ? profile.points.back().heightM : profile.points.front().heightM) + heightM;
}

} // namespace zandrevio
