#include "propagation/path_model.h"

namespace zandrevio {

PathResult WithModelLoss(PathResult link, long double lossDb, std::vector<std::string> warnings)
{
    // The budget is linear in the loss: the power received changes by as
    // much as the loss does, the sensitivity stays.
    const long double change = link.pathLossDb - lossDb;
    if (link.receivedPowerDbm) {
        *link.receivedPowerDbm += change;
    }
    if (link.fadeMarginDb) {
        *link.fadeMarginDb += change;
    }
    link.pathLossDb = lossDb;
    link.warnings = std::move(warnings);
    return link;
}

long double AntennaAltitudeM(const TerrainProfile& profile, bool receiver, long double heightM)
{
    if (profile.points.empty()) {
        return heightM;
    }
    return (receiver ? profile.points.back().heightM : profile.points.front().heightM) + heightM;
}

} // namespace zandrevio
