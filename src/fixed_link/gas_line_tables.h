#pragma once

#include <span>

// The spectroscopic data of ITU-R P.676-13 Annex 1 (Tables 1 and 2, the
// same as in P.676-12): the lines of oxygen and of water vapour that the
// line-by-line specific attenuation sums.
namespace zandrevio {

// One oxygen line: its frequency (GHz) and a1-a6.
struct OxygenLine {
    long double frequencyGHz;
    long double a1;
    long double a2;
    long double a3;
    long double a4;
    long double a5;
    long double a6;
};

// One water vapour line: its frequency (GHz) and b1-b6.
struct WaterVapourLine {
    long double frequencyGHz;
    long double b1;
    long double b2;
    long double b3;
    long double b4;
    long double b5;
    long double b6;
};

std::span<const OxygenLine> OxygenLines();
std::span<const WaterVapourLine> WaterVapourLines();

} // namespace zandrevio
