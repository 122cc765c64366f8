#pragma once

#include "numeric/outcome.h"

#include <functional>

// The downlink budget: path loss by free space, flat-ground two-wave or
// Hata's model, and the power the mobile receives.
namespace zandrevio {

enum class PropagationModel { FreeSpace, TwoWave, Hata };
enum class HataArea { MediumCity = 0, LargeCity = 1, Suburban = 2, Open = 3 };

// Which input a budget failure concerns.
enum class LinkInput { Power = 1, Distance, Frequency, BsHeight, MsHeight };

struct LinkBudgetInput {
    long double transmitterPowerW = 0;
    long double bsGain = 0;
    bool bsGainInDbd = true;
    long double msGain = 0;
    bool msGainInDbd = true;
    long double distance = 0;
    bool distanceInMiles = false;
    long double frequencyMHz = 0;
    long double bsHeight = 0;
    bool bsHeightInFeet = false;
    long double msHeight = 0;
    bool msHeightInFeet = false;
    PropagationModel model = PropagationModel::FreeSpace;
    HataArea area = HataArea::MediumCity;
};

// The same inputs read one at a time, as the budget reaches each: a field
// behind a failed check is never read, so a bad text there goes unnoticed.
struct LinkBudgetReaders {
    std::function<long double()> transmitterPowerW;
    std::function<long double()> bsGain;
    std::function<bool()> bsGainInDbd;
    std::function<long double()> msGain;
    std::function<bool()> msGainInDbd;
    std::function<long double()> distance;
    std::function<bool()> distanceInMiles;
    std::function<long double()> frequencyMHz;
    std::function<long double()> bsHeight;
    std::function<bool()> bsHeightInFeet;
    std::function<long double()> msHeight;
    std::function<bool()> msHeightInFeet;
    PropagationModel model = PropagationModel::FreeSpace;
    HataArea area = HataArea::MediumCity;
};

struct LinkBudgetResult {
    long double lossDb;
    long double receivedPowerDbm;
};

Outcome<LinkBudgetResult> LinkBudget(const LinkBudgetReaders& read);
Outcome<LinkBudgetResult> LinkBudget(const LinkBudgetInput& input);

// Losses in dB of inputs already converted (km, MHz, m) and checked.
long double FreeSpaceLoss(long double distanceKm, long double frequencyMHz);
long double TwoWaveLoss(long double distanceKm, long double frequencyMHz, long double bsHeightM, long double msHeightM);
long double HataLoss(long double distanceKm, long double frequencyMHz, long double bsHeightM, long double msHeightM,
                     HataArea area);

} // namespace zandrevio
