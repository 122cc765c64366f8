#pragma once

#include "calculation/calculation.h"
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
// refused for a model that has no such area, or inputs that are not positive
// (read as ReadSite reads them, then the distance).
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
// The areas the model has, in the order of kPlanningAreas.
std::vector<PlanningArea> AreasOf(PathLossModel model);

// Where a model is used: its frequency (MHz) and the two heights (m).
struct Site {
    long double frequencyMHz;
    long double bsHeightM;
    long double msHeightM;
};

// Reads and checks what every model needs, in this order: that the model
// has the area, then a frequency and two heights greater than 0; the
// fields are the calculation's own, of the same names.
template <typename Field>
Outcome<Site, Field> ReadSite(const Inputs<Field>& in, PathLossModel model, PlanningArea area,
                              std::string_view modelName)
{
    if (!ModelHasArea(model, area)) {
        return Refusal<Field>{std::string(modelName) + " has no " +
                                  std::string(kPlanningAreas[static_cast<int>(area)].text),
                              Field::Area};
    }
    const long double frequency = in.Real(Field::Frequency);
    if (!(frequency > 0.0L)) {
        return Refusal<Field>{"Frequency must be greater than 0", Field::Frequency};
    }
    const long double bsHeight = in.Real(Field::BsHeight);
    if (!(bsHeight > 0.0L)) {
        return Refusal<Field>{"Height of BS must be greater than 0", Field::BsHeight};
    }
    const long double msHeight = in.Real(Field::MsHeight);
    if (!(msHeight > 0.0L)) {
        return Refusal<Field>{"Height of MS must be greater than 0", Field::MsHeight};
    }
    return Site{frequency, bsHeight, msHeight};
}

// The warnings of inputs outside the model's published range: Hata
// 150-1500 MHz, COST-231 Hata 1500-2000 MHz, both base 30-200 m, mobile
// 1-10 m, distance 1-20 km (Okumura-Hata; COST 231 final report 4.4);
// two-wave below its breakpoint, where free space holds.
std::vector<std::string> ValidityWarnings(PathLossModel model, long double distanceKm, long double frequencyMHz,
                                          long double bsHeightM, long double msHeightM);

} // namespace zandrevio
