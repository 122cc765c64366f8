#include "antenna/isolation.h"

#include "numeric/checked_math.h"

#include <numbers>

namespace zandrevio {

namespace {
constexpr long double kPi = std::numbers::pi_v<long double>;
constexpr long double kMetresPerFoot = 0.3048L;
constexpr long double kDbdToDbi = 2.15L;
} // namespace

Outcome<double> AntennaIsolation(const AntennaIsolationReaders& read)
{
    const long double spacing = read.spacing();
    const double s = fp::StoreDouble(read.spacingInFeet() ? fp::Mul(spacing, kMetresPerFoot) : spacing);
    const double frequency = fp::StoreDouble(read.frequencyMHz());
    if (frequency < 450.0 || frequency > 960.0) {
        return Failure{"Frequency must be   450 < F < 960 MHz", static_cast<int>(IsolationInput::Frequency)};
    }
    const double lambda = fp::StoreDouble(300.0L / frequency);
    const double gain1 = fp::StoreDouble(read.gain1());
    const bool gain1InDbd = read.gain1InDbd();
    const double gain2 = fp::StoreDouble(read.gain2());
    const bool gain2InDbd = read.gain2InDbd();

    if (read.separation == SeparationKind::Horizontal) {
        if (!(s >= lambda)) {
            return Failure{"spacing must be > wave length", static_cast<int>(IsolationInput::Spacing)};
        }
        // Free-space coupling of two antennas facing each other, gains in dBi.
        double isolation = fp::StoreDouble(20.0L * fp::Log10(4.0L * kPi * s / lambda) - gain1 - gain2);
        if (gain1InDbd) {
            isolation = fp::StoreDouble(isolation - kDbdToDbi);
        }
        if (gain2InDbd) {
            isolation = fp::StoreDouble(isolation - kDbdToDbi);
        }
        return isolation;
    }
    if (!(s >= lambda)) {
        return Failure{"separation must be > wave length", static_cast<int>(IsolationInput::Spacing)};
    }
    // Vertical separation: I = 34 log10(0.1177 sf / lambda) + 40, sf in feet.
    const double feet = fp::StoreDouble(s / kMetresPerFoot);
    return fp::StoreDouble(34.0L * fp::Log10(0.1177L * feet / lambda) + 40.0L);
}

Outcome<double> AntennaIsolation(const AntennaIsolationInput& input)
{
    AntennaIsolationReaders read;
    read.spacing = Given(input.spacing);
    read.spacingInFeet = [&] { return input.spacingInFeet; };
    read.frequencyMHz = Given(input.frequencyMHz);
    read.gain1 = Given(input.gain1);
    read.gain1InDbd = [&] { return input.gain1InDbd; };
    read.gain2 = Given(input.gain2);
    read.gain2InDbd = [&] { return input.gain2InDbd; };
    read.separation = input.separation;
    return AntennaIsolation(read);
}

} // namespace zandrevio
