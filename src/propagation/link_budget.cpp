#include "propagation/link_budget.h"

#include "numeric/checked_math.h"

#include <cmath>
#include <numbers>

namespace zandrevio {

namespace {
constexpr long double kPi = std::numbers::pi_v<long double>;
constexpr long double kDbdToDbi = 2.15L;
constexpr long double kKmPerMile = 1.609L;
constexpr long double kMetresPerFoot = 0.3048L;

// lambda = c / F with c taken as 300 m/us.
long double Wavelength(long double frequencyMHz)
{
    return fp::Div(300.0L, frequencyMHz);
}

long double Square(long double x)
{
    return fp::Mul(x, x);
}
} // namespace

// L = 20 log10(4 pi D / lambda)  (Friis free-space loss)
long double FreeSpaceLoss(long double distanceKm, long double frequencyMHz)
{
    const long double metres = fp::Mul(1000.0L, distanceKm);
    return 20.0L * fp::Log10(fp::Div(fp::Mul(4.0L * kPi, metres), Wavelength(frequencyMHz)));
}

// Flat-ground two-ray model: beyond D = 12 hb hm / lambda the ratio is
// divided by 2 sin(2 pi hb hm / (lambda D)); nearer, free space holds.
long double TwoWaveLoss(long double distanceKm, long double frequencyMHz, long double bsHeightM, long double msHeightM)
{
    const long double lambda = Wavelength(frequencyMHz);
    const long double metres = fp::Mul(1000.0L, distanceKm);
    long double ratio = fp::Div(fp::Mul(4.0L * kPi, metres), lambda);
    const long double heights = fp::Mul(bsHeightM, msHeightM);
    if (metres > fp::Div(fp::Mul(12.0L, heights), lambda)) {
        const long double phase = fp::Div(fp::Mul(2.0L * kPi, heights), fp::Mul(lambda, metres));
        ratio = fp::Div(ratio, 2.0L * std::sin(phase));
    }
    return 20.0L * fp::Log10(ratio);
}

// Okumura-Hata: Lu = 69.55 + 26.16 lf - 13.82 lh + (44.9 - 6.55 lh) ld, with
// the mobile corrections of medium and large cities and the suburban and
// open-area terms taken from the medium-city loss.
long double HataLoss(long double distanceKm, long double frequencyMHz, long double bsHeightM, long double msHeightM,
                     HataArea area)
{
    const long double lf = fp::Log10(frequencyMHz);
    const long double lh = fp::Log10(bsHeightM);
    const long double ld = fp::Log10(distanceKm);
    const long double urban = 69.55L + 26.16L * lf - 13.82L * lh + (44.9L - 6.55L * lh) * ld;
    const long double mediumCity = (0.7L - 1.1L * lf) * msHeightM + 1.56L * lf - 0.8L;
    const long double largeCity = 4.97L - 3.2L * Square(fp::Log10(11.75L * msHeightM));
    const long double suburban = 2.0L * Square(fp::Log10(frequencyMHz / 28.0L)) + 5.4L;
    const long double open = 4.78L * lf * lf - 18.33L * lf + 40.94L;
    switch (area) {
    case HataArea::MediumCity:
        break;
    case HataArea::LargeCity:
        return fp::Checked(urban + largeCity);
    case HataArea::Suburban:
        return fp::Checked(urban + mediumCity - suburban);
    case HataArea::Open:
        return fp::Checked(urban + mediumCity - open);
    }
    return fp::Checked(urban + mediumCity);
}

Outcome<LinkBudgetResult> LinkBudget(const LinkBudgetReaders& read)
{
    const long double power = read.transmitterPowerW();
    if (!(power > 0.0L)) {
        return Failure{"BS transmitter power must be  greater than 0", static_cast<int>(LinkInput::Power)};
    }
    const long double powerDbm = 10.0L * fp::Log10(power) + 30.0L;

    long double bsGain = read.bsGain();
    if (read.bsGainInDbd()) {
        bsGain = fp::Add(bsGain, kDbdToDbi);
    }
    long double msGain = read.msGain();
    if (read.msGainInDbd()) {
        msGain = fp::Add(msGain, kDbdToDbi);
    }

    long double distance = read.distance();
    if (read.distanceInMiles()) {
        distance = fp::Mul(distance, kKmPerMile);
    }
    if (!(distance > 0.5L)) {
        return Failure{"Distance must be  greater than 0.5 km (0.3 ml)", static_cast<int>(LinkInput::Distance)};
    }

    const long double frequency = read.frequencyMHz();
    if (frequency < 450.0L || frequency > 960.0L) {
        return Failure{"Frequency must be   450 < F < 960 MHz", static_cast<int>(LinkInput::Frequency)};
    }

    long double loss = 0.0L;
    if (read.model == PropagationModel::FreeSpace) {
        loss = FreeSpaceLoss(distance, frequency);
    } else {
        long double bsHeight = read.bsHeight();
        if (read.bsHeightInFeet()) {
            bsHeight = fp::Mul(bsHeight, kMetresPerFoot);
        }
        if (bsHeight < 20.0L || bsHeight > 300.0L) {
            return Failure{"Height of BS must be  20 < Hb < 300 m (60 < Hb < 900 ft)",
                           static_cast<int>(LinkInput::BsHeight)};
        }
        long double msHeight = read.msHeight();
        if (read.msHeightInFeet()) {
            msHeight = fp::Mul(msHeight, kMetresPerFoot);
        }
        if (msHeight < 1.5L || msHeight > 10.0L) {
            return Failure{"Height of MS must be  1.5 < Hm < 10 m (5 < Hm < 30 ft) ",
                           static_cast<int>(LinkInput::MsHeight)};
        }
        loss = read.model == PropagationModel::TwoWave ? TwoWaveLoss(distance, frequency, bsHeight, msHeight)
                                                       : HataLoss(distance, frequency, bsHeight, msHeight, read.area);
    }
    return LinkBudgetResult{loss, fp::Sub(fp::Add(fp::Add(powerDbm, bsGain), msGain), loss)};
}

Outcome<LinkBudgetResult> LinkBudget(const LinkBudgetInput& input)
{
    LinkBudgetReaders read;
    read.transmitterPowerW = [&] { return input.transmitterPowerW; };
    read.bsGain = [&] { return input.bsGain; };
    read.bsGainInDbd = [&] { return input.bsGainInDbd; };
    read.msGain = [&] { return input.msGain; };
    read.msGainInDbd = [&] { return input.msGainInDbd; };
    read.distance = [&] { return input.distance; };
    read.distanceInMiles = [&] { return input.distanceInMiles; };
    read.frequencyMHz = [&] { return input.frequencyMHz; };
    read.bsHeight = [&] { return input.bsHeight; };
    read.bsHeightInFeet = [&] { return input.bsHeightInFeet; };
    read.msHeight = [&] { return input.msHeight; };
    read.msHeightInFeet = [&] { return input.msHeightInFeet; };
    read.model = input.model;
    read.area = input.area;
    return LinkBudget(read);
}

} // namespace zandrevio
