#pragma once

#include "numeric/outcome.h"
#include "numeric/reader.h"

#include <functional>

// The isolation between two antennas spaced side by side or one above the other.
namespace zandrevio {

enum class SeparationKind { Horizontal = 0, Vertical = 1 };

// Which input an isolation failure concerns.
enum class IsolationInput { Frequency = 1, Spacing = 2 };

struct AntennaIsolationInput {
    long double frequencyMHz = 0;
    long double spacing = 0;
    bool spacingInFeet = false;
    SeparationKind separation = SeparationKind::Horizontal;
    long double gain1 = 0;
    bool gain1InDbd = true;
    long double gain2 = 0;
    bool gain2InDbd = true;
};

// The same inputs, each read when the calculation reaches it: spacing,
// frequency, then both gains (under either separation).
struct AntennaIsolationReaders {
    RealReader spacing;
    std::function<bool()> spacingInFeet;
    RealReader frequencyMHz;
    RealReader gain1;
    std::function<bool()> gain1InDbd;
    RealReader gain2;
    std::function<bool()> gain2InDbd;
    SeparationKind separation = SeparationKind::Horizontal;
};

// Isolation in dB; spacing, frequency, wavelength, gains and result are held
// in double precision.
Outcome<double> AntennaIsolation(const AntennaIsolationReaders& read);
Outcome<double> AntennaIsolation(const AntennaIsolationInput& input);

} // namespace zandrevio
