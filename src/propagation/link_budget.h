#pragma once

#include "calculation/calculation.h"
#include "numeric/real.h"

// The downlink budget: path loss by free space, flat-ground two-wave or
// Hata's model, and the power the mobile receives.
namespace zandrevio {

enum class PropagationModel { FreeSpace = 0, TwoWave = 1, Hata = 2 };
enum class HataArea { MediumCity = 0, LargeCity = 1, Suburban = 2, Open = 3 };
enum class DistanceUnit { Km = 0, Mile = 1 };

inline constexpr Choice kPropagationModels[] = {
    {"Free Space", "free-space"}, {"Two-wave ", "two-wave"}, {"Hata's Model", "hata"}};
inline constexpr Choice kHataAreas[] = {
    {"Medium City", "medium-city"}, {"Large City", "large-city"}, {"Suburban area", "suburban"}, {"Open area", "open"}};
inline constexpr Choice kDistanceUnits[] = {{"km", "km"}, {"miles", "miles"}};

// The budget's fields in the order it reads them.
enum class LinkField {
    Model,
    Area,
    Power,
    BsGain,
    BsGainUnit,
    MsGain,
    MsGainUnit,
    Distance,
    DistanceUnit,
    Frequency,
    BsHeight,
    BsHeightUnit,
    MsHeight,
    MsHeightUnit,
};

struct LinkBudgetResult {
    long double lossDb;
    long double receivedPowerDbm;
};

extern const CalculationSpec<LinkField> kLinkBudget;
extern const ResultSpec kLinkLoss;
extern const ResultSpec kLinkReceivedPower;

// Each field is read when the budget reaches it: a field behind a failed
// check is never read, so a bad text there goes unnoticed; the heights are
// read only by the two-wave and Hata models.
Outcome<LinkBudgetResult, LinkField> LinkBudget(const Inputs<LinkField>& in);

// Losses in dB of inputs already converted (km, MHz, m) and checked.
fp::Real FreeSpaceLoss(fp::Real distanceKm, fp::Real frequencyMHz);
fp::Real TwoWaveLoss(fp::Real distanceKm, fp::Real frequencyMHz, fp::Real bsHeightM, fp::Real msHeightM);
fp::Real HataLoss(fp::Real distanceKm, fp::Real frequencyMHz, fp::Real bsHeightM, fp::Real msHeightM, HataArea area);

} // namespace zandrevio
