#pragma once

#include "numeric/calculation.h"
#include "numeric/real.h"

#include <string>
#include <vector>

// Path loss by the planning models, each with its published range of
// validity: an input outside it is warned of, not refused (planners
// extrapolate knowingly).
namespace zandrevio {

enum class PathLossModel { FreeSpace = 0, TwoWave = 1, Hata = 2, Cost231 = 3 };
inline constexpr Choice kPathLossModels[] = {
    {"Free Space", "free-space"}, {"Two-wave", "two-wave"}, {"Hata", "hata"}, {"COST-231 Hata", "cost-231"}};
enum class PlanningArea { MediumCity = 0, LargeCity = 1, Suburban = 2, Open = 3, Metropolitan = 4 };
inline constexpr Choice kPlanningAreas[] = {{"Medium City", "medium-city"},
                                            {"Large City", "large-city"},
                                            {"Suburban area", "suburban"},
                                            {"Open area", "open"},
                                            {"Metropolitan centre", "metropolitan"}};

enum class PathLossField { Model, Area, Frequency, Distance, BsHeight, MsHeight };
extern const CalculationSpec<PathLossField> kPathLoss;
extern const ResultSpec kPathLossResult;

struct PathLossResult {
    long double lossDb;
    std::vector<std::string> warnings;
};

// The loss of a model at a distance (km), frequency (MHz) and heights (m):
// refused for a model that has no such area, or inputs that are not positive.
Outcome<PathLossResult, PathLossField> PathLoss(const Inputs<PathLossField>& in);

// COST 231 final report, 4.4.1 (COST-231 Hata):
// L = 46.3 + 33.9 lf - 13.82 lh - a(hm) + (44.9 - 6.55 lh) ld + Cm,
// a(hm) of the medium city, Cm 3 dB in metropolitan centres, else 0.
fp::Real Cost231Loss(fp::Real distanceKm, fp::Real frequencyMHz, fp::Real bsHeightM, fp::Real msHeightM,
                     PlanningArea area);

// The loss of any model, inputs already checked; an area the model does not
// know is the caller's to refuse.
fp::Real ModelLoss(PathLossModel model, PlanningArea area, fp::Real distanceKm, fp::Real frequencyMHz,
                   fp::Real bsHeightM, fp::Real msHeightM);

// Whether the model has the area: Hata the four of the RF page, COST-231
// Hata medium city, suburban and metropolitan centre, the others any.
bool ModelHasArea(PathLossModel model, PlanningArea area);

// The warnings of inputs outside the model's published range: Hata
// 150-1500 MHz, COST-231 Hata 1500-2000 MHz, both base 30-200 m, mobile
// 1-10 m, distance 1-20 km (Okumura-Hata; COST 231 final report 4.4);
// two-wave below its breakpoint, where free space holds.
std::vector<std::string> ValidityWarnings(PathLossModel model, long double distanceKm, long double frequencyMHz,
                                          long double bsHeightM, long double msHeightM);

} // namespace zandrevio
