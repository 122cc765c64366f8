#include "propagation/link_budget.h"

#include "numeric/radio.h"

#include <cmath>

namespace zandrevio {

using fp::Real;
using radio::kPi;

namespace {
const FieldSpec<LinkField> kFields[] = {
    {LinkField::Model, FieldKind::Choice, "Propagation Models", "model", "Free Space", kPropagationModels},
    {LinkField::Area, FieldKind::Choice, "Area", "area", "Medium City", kHataAreas},
    {LinkField::Power, FieldKind::Real, "BS Power (Watts)", "power", "10"},
    {LinkField::BsGain, FieldKind::Real, "Antenna BS Gain", "bs-gain", "10"},
    {LinkField::BsGainUnit, FieldKind::Choice, "Antenna BS Gain unit", "bs-gain-unit", "dBd", radio::kGainUnits},
    {LinkField::MsGain, FieldKind::Real, "Antenna MS Gain", "ms-gain", "0"},
    {LinkField::MsGainUnit, FieldKind::Choice, "Antenna MS Gain unit", "ms-gain-unit", "dBd", radio::kGainUnits},
    {LinkField::Distance, FieldKind::Real, "Distance", "distance", "10"},
    {LinkField::DistanceUnit, FieldKind::Choice, "Distance unit", "distance-unit", "km", kDistanceUnits},
    {LinkField::Frequency, FieldKind::Real, "Frequency (MHz)", "frequency", "850"},
    {LinkField::BsHeight, FieldKind::Real, "Antenna BS Height", "bs-height", "50"},
    {LinkField::BsHeightUnit, FieldKind::Choice, "Antenna BS Height unit", "bs-height-unit", "m",
     radio::kShortLengthUnits},
    {LinkField::MsHeight, FieldKind::Real, "Antenna MS Height", "ms-height", "2"},
    {LinkField::MsHeightUnit, FieldKind::Choice, "Antenna MS Height unit", "ms-height-unit", "m",
     radio::kShortLengthUnits},
};
} // namespace

const ResultSpec kLinkLoss{"Propagation loss", "loss", "dB", ResultFormat::Hundredths};
const ResultSpec kLinkReceivedPower{"MS Recieve Power", "received-power", "dBm", ResultFormat::Hundredths};
namespace {
const ResultSpec kResults[] = {kLinkLoss, kLinkReceivedPower};
} // namespace
const CalculationSpec<LinkField> kLinkBudget{"link-budget", kFields, kResults};

// L = 20 log10(4 pi D / lambda)  (Friis free-space loss)
Real FreeSpaceLoss(Real distanceKm, Real frequencyMHz)
{
    const Real metres = 1000.0L * distanceKm;
    return 20.0L * fp::Log10(4.0L * kPi * metres / radio::Wavelength(frequencyMHz));
}

// Flat-ground two-ray model: beyond D = 12 hb hm / lambda the ratio is
// divided by 2 sin(2 pi hb hm / (lambda D)); nearer, free space holds.
Real TwoWaveLoss(Real distanceKm, Real frequencyMHz, Real bsHeightM, Real msHeightM)
{
    const Real lambda = radio::Wavelength(frequencyMHz);
    const Real metres = 1000.0L * distanceKm;
    Real ratio = 4.0L * kPi * metres / lambda;
    const Real heights = bsHeightM * msHeightM;
    if (metres > 12.0L * heights / lambda) {
        const Real phase = 2.0L * kPi * heights / (lambda * metres);
        ratio = ratio / (2.0L * std::sin(phase.Value()));
    }
    return 20.0L * fp::Log10(ratio);
}

// Okumura-Hata: Lu = 69.55 + 26.16 lf - 13.82 lh + (44.9 - 6.55 lh) ld, with
// the mobile corrections of medium and large cities and the suburban and
// open-area terms taken from the medium-city loss.
Real HataLoss(Real distanceKm, Real frequencyMHz, Real bsHeightM, Real msHeightM, HataArea area)
{
    const Real lf = fp::Log10(frequencyMHz);
    const Real lh = fp::Log10(bsHeightM);
    const Real ld = fp::Log10(distanceKm);
    const Real urban = 69.55L + 26.16L * lf - 13.82L * lh + (44.9L - 6.55L * lh) * ld;
    const Real mediumCity = (0.7L - 1.1L * lf) * msHeightM + 1.56L * lf - 0.8L;
    switch (area) {
    case HataArea::MediumCity:
        break;
    case HataArea::LargeCity:
        return urban + (4.97L - 3.2L * fp::Square(fp::Log10(11.75L * msHeightM)));
    case HataArea::Suburban:
        return urban + mediumCity - (2.0L * fp::Square(fp::Log10(frequencyMHz / 28.0L)) + 5.4L);
    case HataArea::Open:
        return urban + mediumCity - (4.78L * lf * lf - 18.33L * lf + 40.94L);
    }
    return urban + mediumCity;
}

Outcome<LinkBudgetResult, LinkField> LinkBudget(const Inputs<LinkField>& in)
{
    const auto model = in.Choice<PropagationModel>(LinkField::Model);
    const long double power = in.Real(LinkField::Power);
    if (!(power > 0.0L)) {
        return Refusal<LinkField>{"BS transmitter power must be  greater than 0", LinkField::Power};
    }
    const Real powerDbm = 10.0L * fp::Log10(power) + 30.0L;

    const Real bsGain = in.Real(LinkField::BsGain);
    const Real bsGainDbi = radio::GainInDbi(bsGain, in.Choice<radio::GainUnit>(LinkField::BsGainUnit));
    const Real msGain = in.Real(LinkField::MsGain);
    const Real msGainDbi = radio::GainInDbi(msGain, in.Choice<radio::GainUnit>(LinkField::MsGainUnit));

    Real distance = in.Real(LinkField::Distance);
    if (in.Choice<DistanceUnit>(LinkField::DistanceUnit) == DistanceUnit::Mile) {
        distance = distance * radio::kKmPerMile;
    }
    if (!(distance > 0.5L)) {
        return Refusal<LinkField>{"Distance must be  greater than 0.5 km (0.3 ml)", LinkField::Distance};
    }

    const long double frequency = in.Real(LinkField::Frequency);
    if (!radio::InMobileBand(frequency)) {
        return Refusal<LinkField>{radio::kMobileBandMessage, LinkField::Frequency};
    }

    Real loss = 0.0L;
    if (model == PropagationModel::FreeSpace) {
        loss = FreeSpaceLoss(distance, frequency);
    } else {
        const Real bsHeight = in.Real(LinkField::BsHeight);
        const Real bsMetres =
            radio::LengthInMetres(bsHeight, in.Choice<radio::ShortLengthUnit>(LinkField::BsHeightUnit));
        if (bsMetres < 20.0L || bsMetres > 300.0L) {
            return Refusal<LinkField>{"Height of BS must be  20 < Hb < 300 m (60 < Hb < 900 ft)", LinkField::BsHeight};
        }
        const Real msHeight = in.Real(LinkField::MsHeight);
        const Real msMetres =
            radio::LengthInMetres(msHeight, in.Choice<radio::ShortLengthUnit>(LinkField::MsHeightUnit));
        if (msMetres < 1.5L || msMetres > 10.0L) {
            return Refusal<LinkField>{"Height of MS must be  1.5 < Hm < 10 m (5 < Hm < 30 ft) ", LinkField::MsHeight};
        }
        loss = model == PropagationModel::TwoWave
            ? TwoWaveLoss(distance, frequency, bsMetres, msMetres)
            : HataLoss(distance, frequency, bsMetres, msMetres, in.Choice<HataArea>(LinkField::Area));
    }
    return LinkBudgetResult{loss.Value(), (powerDbm + bsGainDbi + msGainDbi - loss).Value()};
}

} // namespace zandrevio
