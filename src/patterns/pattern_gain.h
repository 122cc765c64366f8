#pragma once

#include "patterns/antenna_pattern.h"

#include <string>
#include <vector>

// The gain of a pattern toward any direction, with the antenna mounted.
//
// The direction is taken into the antenna's frame in the order the antenna
// is mounted: turned to its azimuth about the vertical, then tilted down by
// its mechanical tilt about its own horizontal axis. The file's electrical
// tilt is already in its vertical cut (the cut of the antenna as tilted
// electrically), so it is not applied again.
//
// The two cuts are combined by the summing method (3GPP TR 38.901 V17.0.0,
// Table 7.3-1: A(θ,φ) = min(A_H(φ) + A_V(θ), A_m)): the attenuation toward
// an azimuth φ from boresight and an elevation e is
//   A = H(φ) + (1 - w) [V_front(e) - V_front(e_p)] + w [V_back(e) - V_back(e_p)],
// w = |φ| / 180, where V_front and V_back are the vertical cut's halves ahead
// and behind, e_p the elevation of its peak ahead (the beam's tilt, along
// which the horizontal cut is taken), held between 0 and A_m, the deepest
// attenuation of either cut. It gives the file's own value everywhere on
// both cuts where the cuts agree at their crossings (ahead on the peak,
// behind at its elevation), and the exact pattern everywhere for an antenna
// whose pattern is the sum of its cuts (3GPP's own sector model).
namespace zandrevio {

struct AntennaMounting {
    long double azimuthDeg = 0;  // the bearing of boresight, clockwise from north
    long double downtiltDeg = 0; // mechanical, down positive
};

// A direction in the antenna's frame: the azimuth from boresight,
// clockwise, in [-180, 180], and the elevation, up positive.
struct AntennaDirection {
    long double azimuthDeg;
    long double elevationDeg;
};

AntennaDirection InAntennaFrame(const AntennaMounting& mounting, long double bearingDeg, long double elevationDeg);

// The attenuation from the main beam toward a direction in the antenna's frame (dB).
long double PatternAttenuation(const AntennaPattern& pattern, AntennaDirection direction);

// The gain toward a bearing and elevation (up positive), dBi.
long double GainToward(const AntennaPattern& pattern, const AntennaMounting& mounting, long double bearingDeg,
                       long double elevationDeg);

// What a pattern's maker states of it, measured on its cuts.
struct PatternFigures {
    long double gainDbi;
    long double horizontalBeamwidthDeg; // half-power, about the horizontal cut's peak; 360 where it never falls 3 dB
    long double verticalBeamwidthDeg;   // half-power, about the vertical cut's peak ahead
    long double frontToBackDb;          // the horizontal cut 180 degrees from its peak, less its peak
    long double electricalTiltDeg;      // the vertical cut's peak ahead, down positive
    std::vector<std::string> warnings;  // where the file's own statements disagree with its cuts
};
PatternFigures FiguresOf(const AntennaPattern& pattern);

} // namespace zandrevio
