#pragma once

#include "calculation/calculation.h"

#include <optional>
#include <string>
#include <string_view>

// A wave's polarization as the rain calculations take it: its tilt angle τ
// from the horizontal, in degrees. ITU-R P.838-3 combines the coefficients
// of the two linear polarizations through cos 2τ, so one angle stands for
// every polarization: horizontal 0°, vertical 90°, circular 45°.
namespace zandrevio {

inline constexpr long double kHorizontalTiltDeg = 0.0L;
inline constexpr long double kVerticalTiltDeg = 90.0L;
inline constexpr long double kCircularTiltDeg = 45.0L;

// The words a polarization field takes, beside a number of degrees.
inline constexpr std::string_view kPolarizationWords = "horizontal, vertical, circular or a tilt angle in degrees";

// The tilt of "horizontal", "vertical", "circular" (any case) or of a
// number of degrees from -90 to 90; nothing for any other text.
std::optional<long double> TiltOfPolarization(std::string_view text);
// Whether a text is a polarization's word or a number at all (a number out
// of range is a value the calculation refuses, any other text a slip).
bool ReadsAsPolarization(std::string_view text);

// The input of a polarization field typed as text: read when the
// calculation reaches it, as the tilt in degrees, or NaN for a text that is
// no polarization (the calculation refuses it at its field).
Input PolarizationInput(std::string text);

} // namespace zandrevio
