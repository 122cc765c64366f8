#include "fixed_link/polarization_tilt.h"

#include "numeric/app_error.h"
#include "numeric/parse_real.h"

#include <cctype>
#include <limits>

namespace zandrevio {

namespace {
std::string Lowered(std::string_view text)
{
    std::string lowered;
    for (const char c : text) {
        if (!std::isspace(static_cast<unsigned char>(c))) {
            lowered += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        }
    }
    return lowered;
}
} // namespace

std::optional<long double> TiltOfPolarization(std::string_view text)
{
    const std::string word = Lowered(text);
    if (word == "horizontal") {
        return kHorizontalTiltDeg;
    }
    if (word == "vertical") {
        return kVerticalTiltDeg;
    }
    if (word == "circular") {
        return kCircularTiltDeg;
    }
    try {
        const long double degrees = ParseReal(text);
        // Beyond ±90° a tilt repeats one within it: such a number is a slip.
        if (degrees >= -90.0L && degrees <= 90.0L) {
            return degrees;
        }
    } catch (const ConversionFailure&) {
        // Not a number either: no polarization.
    }
    return std::nullopt;
}

bool ReadsAsPolarization(std::string_view text)
{
    if (TiltOfPolarization(text)) {
        return true;
    }
    try {
        ParseReal(text);
        return true;
    } catch (const ConversionFailure&) {
        return false;
    }
}

Input PolarizationInput(std::string text)
{
    return Input([text = std::move(text)]() {
        return TiltOfPolarization(text).value_or(std::numeric_limits<long double>::quiet_NaN());
    });
}

} // namespace zandrevio
