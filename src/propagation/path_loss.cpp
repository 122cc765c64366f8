#include "propagation/path_loss.h"

#include "numeric/radio.h"
#include "propagation/link_budget.h"

#include <iterator>

namespace zandrevio {

using fp::Real;
using Field = PathLossField;

namespace {
const FieldSpec<Field> kFields[] = {
    {Field::Model, FieldKind::Choice, "Model", "model", "Free Space", kPathLossModels,
     "free-space is 20 log10(4 pi d / lambda) with lambda = 300 / f, c taken as 3e8 m/s as the RF page takes it "
     "(111.03 dB at 850 MHz over 10 km); path's free-space loss is ITU-R P.525's, with c = 299792458 m/s "
     "(111.04 dB)"},
    {Field::Area, FieldKind::Choice, "Area", "area", "Medium City", kPlanningAreas},
    {Field::Frequency, FieldKind::Real, "Frequency (MHz)", "frequency", "850"},
    {Field::Distance, FieldKind::Real, "Distance (km)", "distance", "10"},
    {Field::BsHeight, FieldKind::Real, "BS height (m)", "bs-height", "50"},
    {Field::MsHeight, FieldKind::Real, "MS height (m)", "ms-height", "2"},
};

std::string Outside(const char* what, const char* range, const char* model)
{
    return std::string(what) + " outside " + range + ", the range of " + model;
}

// The loss of the RF page's Hata, from the area of the planning list.
HataArea HataAreaOf(PlanningArea area)
{
    return static_cast<HataArea>(static_cast<int>(area));
}
} // namespace

const ResultSpec kPathLossResult{"Path loss", "loss", "dB", ResultFormat::Hundredths};
const CalculationSpec<Field> kPathLoss{"path-loss", kFields, {&kPathLossResult, 1}};

Real Cost231Loss(Real distanceKm, Real frequencyMHz, Real bsHeightM, Real msHeightM, PlanningArea area)
{
    const Real lf = fp::Log10(frequencyMHz);
    const Real lh = fp::Log10(bsHeightM);
    const Real ld = fp::Log10(distanceKm);
    const Real mobile = (1.1L * lf - 0.7L) * msHeightM - (1.56L * lf - 0.8L);
    const Real centre = area == PlanningArea::Metropolitan ? 3.0L : 0.0L;
    return 46.3L + 33.9L * lf - 13.82L * lh - mobile + (44.9L - 6.55L * lh) * ld + centre;
}

bool ModelHasArea(PathLossModel model, PlanningArea area)
{
    switch (model) {
    case PathLossModel::Hata:
        return area != PlanningArea::Metropolitan;
    case PathLossModel::Cost231:
        return area == PlanningArea::MediumCity || area == PlanningArea::Suburban || area == PlanningArea::Metropolitan;
    case PathLossModel::FreeSpace:
    case PathLossModel::TwoWave:
        break;
    }
    return true;
}

std::vector<PlanningArea> AreasOf(PathLossModel model)
{
    std::vector<PlanningArea> areas;
    for (int i = 0; i < static_cast<int>(std::size(kPlanningAreas)); ++i) {
        if (ModelHasArea(model, static_cast<PlanningArea>(i))) {
            areas.push_back(static_cast<PlanningArea>(i));
        }
    }
    return areas;
}

Real ModelLoss(PathLossModel model, PlanningArea area, Real distanceKm, Real frequencyMHz, Real bsHeightM,
               Real msHeightM)
{
    switch (model) {
    case PathLossModel::FreeSpace:
        break;
    case PathLossModel::TwoWave:
        return TwoWaveLoss(distanceKm, frequencyMHz, bsHeightM, msHeightM);
    case PathLossModel::Hata:
        return HataLoss(distanceKm, frequencyMHz, bsHeightM, msHeightM, HataAreaOf(area));
    case PathLossModel::Cost231:
        return Cost231Loss(distanceKm, frequencyMHz, bsHeightM, msHeightM, area);
    }
    return FreeSpaceLoss(distanceKm, frequencyMHz);
}

std::vector<std::string> ValidityWarnings(PathLossModel model, long double distanceKm, long double frequencyMHz,
                                          long double bsHeightM, long double msHeightM)
{
    std::vector<std::string> warnings;
    if (model == PathLossModel::TwoWave) {
        // The model's own switch: 12 hb hm / lambda.
        const long double breakpoint = (12.0L * Real(bsHeightM) * msHeightM / radio::Wavelength(frequencyMHz)).Value();
        if (distanceKm * 1000.0L <= breakpoint) {
            warnings.push_back("distance within the two-wave breakpoint of " + FormatResult(breakpoint / 1000.0L) +
                               " km: free space holds there");
        }
        return warnings;
    }
    if (model != PathLossModel::Hata && model != PathLossModel::Cost231) {
        return warnings;
    }
    const bool hata = model == PathLossModel::Hata;
    const char* name = hata ? "Hata's model" : "COST-231 Hata";
    if (hata ? (frequencyMHz < 150.0L || frequencyMHz > 1500.0L) : (frequencyMHz < 1500.0L || frequencyMHz > 2000.0L)) {
        warnings.push_back(Outside("frequency", hata ? "150-1500 MHz" : "1500-2000 MHz", name));
    }
    if (bsHeightM < 30.0L || bsHeightM > 200.0L) {
        warnings.push_back(Outside("base station height", "30-200 m", name));
    }
    if (msHeightM < 1.0L || msHeightM > 10.0L) {
        warnings.push_back(Outside("mobile height", "1-10 m", name));
    }
    if (distanceKm < 1.0L || distanceKm > 20.0L) {
        warnings.push_back(Outside("distance", "1-20 km", name));
    }
    return warnings;
}

Outcome<PathLossResult, Field> PathLoss(const Inputs<Field>& in)
{
    const auto model = in.Choice<PathLossModel>(Field::Model);
    const auto area = in.Choice<PlanningArea>(Field::Area);
    const auto site = ReadSite(in, model, area, kPathLossModels[static_cast<int>(model)].text);
    if (!site.Ok()) {
        return site.Error();
    }
    const long double distance = in.Real(Field::Distance);
    if (!(distance > 0.0L)) {
        return Refusal<Field>{"Distance must be greater than 0", Field::Distance};
    }
    const long double frequency = site.Value().frequencyMHz;
    const long double bsHeight = site.Value().bsHeightM;
    const long double msHeight = site.Value().msHeightM;
    const Real loss = ModelLoss(model, area, distance, frequency, bsHeight, msHeight);
    return PathLossResult{loss.Value(), ValidityWarnings(model, distance, frequency, bsHeight, msHeight)};
}

} // namespace zandrevio
