#pragma once

#include "calculation/protocol.h"
#include "calculation/request.h"
#include "patterns/pattern_gain.h"
#include "terrain/profile.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

// A link's antennas given by their pattern files: each end's gain toward the
// other along the terrain's geometry, in place of a gain typed in.
//
// The direction from each antenna is the bearing toward the other end (the
// path's own from elevation data; along a profile from a file the path is
// taken to run due north, so an azimuth there is measured from the path) and
// the elevation angle toward the other antenna, or toward its own horizon
// where the terrain blocks the view: the ray that leaves it.
namespace zandrevio {

struct LinkAntenna {
    std::shared_ptr<const AntennaPattern> pattern;
    std::optional<long double> azimuthDeg; // none: pointed at the other end
    long double downtiltDeg = 0;           // mechanical, down positive
};

struct LinkAntennas {
    std::optional<LinkAntenna> tx;
    std::optional<LinkAntenna> rx;

    bool Any() const { return tx.has_value() || rx.has_value(); }
};

// --tx-pattern, --tx-azimuth, --tx-downtilt and the same for rx.
const std::vector<OptionSpec>& LinkAntennaOptions();

// The antennas a request gives; an azimuth or tilt without its pattern, or a
// pattern beside a typed gain, is a slip (RequestError); a pattern file at
// fault is refused at its option.
Outcome<LinkAntennas, std::string_view> LinkAntennasOf(const Request& request);

// The elevation angles (degrees, up positive) from each antenna: toward the
// other antenna, or toward its horizon where a point of the profile rises
// above that line, over an earth of the effective radius.
struct EndElevations {
    long double txDeg = 0;
    long double rxDeg = 0;
    bool txBlocked = false;
    bool rxBlocked = false;
};
EndElevations ElevationsAlong(const TerrainProfile& profile, long double txAltitudeM, long double rxAltitudeM,
                              long double effectiveRadiusKm);

// The radius of Longley-Rice's effective earth at a surface refractivity
// (ITM 1.2.2, qlrps: gme = 157e-9 (1 - 0.04665 exp(Ns / 179.3)) per metre), km.
long double ItmEarthRadiusKm(long double surfaceRefractivity);

struct EndGain {
    long double gainDbi;
    long double bearingDeg;
    long double elevationDeg;
    bool towardHorizon;
};
struct LinkGains {
    std::optional<EndGain> tx;
    std::optional<EndGain> rx;
    std::vector<std::string> warnings;
};
// Each antenna's gain toward the path: `bearing` the path's from the
// transmitter, `reverse` from the receiver.
LinkGains GainsAlong(const LinkAntennas& antennas, long double bearingDeg, long double reverseBearingDeg,
                     const EndElevations& elevations);

// The gains as results: each end's gain, and the elevation it is read at.
std::vector<ResultValue> LinkGainValues(const LinkGains& gains);
std::vector<const ResultSpec*> LinkGainResults();

} // namespace zandrevio
