#include "propagation/path_link.h"

#include "numeric/radio.h"
#include "propagation/free_space.h"

#include <cctype>

namespace zandrevio {

using fp::Real;
using Field = PathField;

namespace {
const FieldSpec<Field> kFields[] = {
    {Field::Frequency, FieldKind::Real, "Frequency (MHz)", "frequency", "7000"},
    {Field::TxHeight, FieldKind::Real, "Transmitter antenna height (m)", "tx-height", "30"},
    {Field::RxHeight, FieldKind::Real, "Receiver antenna height (m)", "rx-height", "30"},
    {Field::KFactor,
     FieldKind::Real,
     "Effective earth radius factor k",
     "k-factor",
     "1.333333333333333",
     {},
     "the factor by which refraction stretches the earth's radius, 4/3 in the standard atmosphere"},
    {Field::Polarization, FieldKind::Choice, "Polarization", "polarization", "Horizontal", kPolarizations},
    {Field::Power, FieldKind::Real, "Transmitter power (W)", "power", "1"},
    {Field::TxGain, FieldKind::Real, "Transmitter antenna gain (dBi)", "tx-gain", "30"},
    {Field::RxGain, FieldKind::Real, "Receiver antenna gain (dBi)", "rx-gain", "30"},
    {Field::TxFeederLoss, FieldKind::Real, "Transmitter feeder loss (dB)", "tx-feeder-loss", "2"},
    {Field::RxFeederLoss, FieldKind::Real, "Receiver feeder loss (dB)", "rx-feeder-loss", "2"},
    {Field::Sensitivity, FieldKind::Real, "Receiver sensitivity (dBm)", "sensitivity", "-80"},
};

// A gain or loss of the budget, 0 where it is not given.
Real Optional(const Inputs<Field>& in, Field field)
{
    return in.Has(field) ? Real(in.Real(field)) : Real(0.0L);
}

std::vector<std::string> Warnings(long double frequencyMHz, long double diffractionDb)
{
    std::vector<std::string> warnings;
    // The method is the same in both Recommendations: between them they
    // cover 30 MHz (P.1812-6) to 50 GHz (P.452-17).
    if (frequencyMHz < 30.0L || frequencyMHz > 50000.0L) {
        warnings.push_back("frequency outside 30 MHz-50 GHz, the range of ITU-R P.1812-6 and P.452-17");
    }
    if (diffractionDb > kFarBeyondHorizonDb) {
        warnings.push_back("diffraction loss above " + FormatResult(kFarBeyondHorizonDb) +
                           " dB: the path lies far beyond the radio horizon, where troposcatter and ducting "
                           "(not calculated here) usually carry more power");
    }
    return warnings;
}
} // namespace

const ResultSpec kPathResultDistance{"Distance", "distance", "km", ResultFormat::Result};
const ResultSpec kPathResultLineOfSight{"Line of sight", "line-of-sight", "", ResultFormat::Text};
const ResultSpec kPathResultClearance{"Worst clearance (of F1)", "clearance", "", ResultFormat::Result};
const ResultSpec kPathResultWorstPoint{"Worst point", "worst-point", "km", ResultFormat::Result};
const ResultSpec kPathResultFresnel60{"60 % of F1 clear", "fresnel-60", "", ResultFormat::Text};
const ResultSpec kPathResultFreeSpaceLoss{"Free-space loss", "free-space-loss", "dB", ResultFormat::Hundredths};
const ResultSpec kPathResultDiffractionLoss{"Diffraction loss", "diffraction-loss", "dB", ResultFormat::Hundredths};
const ResultSpec kPathResultLoss{"Path loss", "path-loss", "dB", ResultFormat::Hundredths};
const ResultSpec kPathResultReceivedPower{"Received power", "received-power", "dBm", ResultFormat::Hundredths};
const ResultSpec kPathResultFadeMargin{"Fade margin", "fade-margin", "dB", ResultFormat::Hundredths};
const ResultSpec kPathResultBullingtonLoss{"Bullington loss", "bullington-loss", "dB", ResultFormat::Hundredths};
const ResultSpec kPathResultSmoothBullingtonLoss{"Bullington, smooth earth", "smooth-bullington-loss", "dB",
                                                 ResultFormat::Hundredths};
const ResultSpec kPathResultSphericalEarthLoss{"Spherical-earth loss", "spherical-earth-loss", "dB",
                                               ResultFormat::Hundredths};
const ResultSpec kPathResultEdgeNu{"Main edge ν", "edge-nu", "", ResultFormat::Result};
const ResultSpec kPathResultBearing{"Bearing", "bearing", "°", ResultFormat::Hundredths};
const ResultSpec kPathResultReverseBearing{"Reverse bearing", "reverse-bearing", "°", ResultFormat::Hundredths};
namespace {
const ResultSpec kResults[] = {
    kPathResultDistance,           kPathResultLineOfSight,    kPathResultClearance,
    kPathResultWorstPoint,         kPathResultFresnel60,      kPathResultFreeSpaceLoss,
    kPathResultDiffractionLoss,    kPathResultLoss,           kPathResultReceivedPower,
    kPathResultFadeMargin,         kPathResultBullingtonLoss, kPathResultSmoothBullingtonLoss,
    kPathResultSphericalEarthLoss, kPathResultEdgeNu};
} // namespace
const CalculationSpec<Field> kPath{"path", kFields, kResults};

Outcome<PathResult, Field> PathLink(const TerrainProfile& profile, const Inputs<Field>& in)
{
    const long double frequency = in.Real(Field::Frequency);
    if (!radio::InRadioSpectrum(frequency)) {
        return Refusal<Field>{radio::kRadioSpectrumMessage, Field::Frequency};
    }
    const long double txHeight = in.Real(Field::TxHeight);
    if (!(txHeight >= 0.0L)) {
        return Refusal<Field>{"Transmitter antenna below ground: its height must be 0 m or more", Field::TxHeight};
    }
    const long double rxHeight = in.Real(Field::RxHeight);
    if (!(rxHeight >= 0.0L)) {
        return Refusal<Field>{"Receiver antenna below ground: its height must be 0 m or more", Field::RxHeight};
    }
    const long double kFactor = in.Real(Field::KFactor);
    if (!(kFactor > 0.0L)) {
        return Refusal<Field>{"The k-factor must be greater than 0", Field::KFactor};
    }
    const auto polarization = in.Choice<Polarization>(Field::Polarization);
    if (std::string fault = ProfileFault(profile); !fault.empty()) {
        fault[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(fault[0])));
        return Refusal<Field>{fault, Field::Profile};
    }

    const Real wavelength = WavelengthM(frequency);
    const Real radius = EffectiveEarthRadiusKm(kFactor);
    const Real txTop = txHeight + profile.points.front().heightM;
    const Real rxTop = rxHeight + profile.points.back().heightM;
    PathGeometry geometry = AnalysePathGeometry(profile, wavelength, txHeight, rxHeight, radius);
    const DeltaBullingtonLoss diffraction =
        DeltaBullington(profile, txTop, rxTop, radius, frequency, wavelength, polarization);
    const Real freeSpace = FreeSpaceBasicLoss(geometry.distanceKm, frequency);
    const Real pathLoss = freeSpace + diffraction.lossDb;

    PathResult result{geometry.distanceKm,
                      geometry.lineOfSight,
                      geometry.worstClearance,
                      geometry.worstPointKm,
                      geometry.fresnel60,
                      freeSpace.Value(),
                      diffraction.lossDb,
                      pathLoss.Value(),
                      std::nullopt,
                      std::nullopt,
                      diffraction,
                      std::move(geometry.points),
                      Warnings(frequency, diffraction.lossDb)};
    const Outcome<PathBudget, Field> budget = PathBudgetAt(in, pathLoss.Value());
    if (!budget.Ok()) {
        return budget.Error();
    }
    result.receivedPowerDbm = budget.Value().receivedPowerDbm;
    result.fadeMarginDb = budget.Value().fadeMarginDb;
    return result;
}

Outcome<PathBudget, PathField> PathBudgetAt(const Inputs<PathField>& in, long double lossDb)
{
    PathBudget budget;
    if (!in.Has(Field::Power)) {
        return budget;
    }
    const long double power = in.Real(Field::Power);
    if (!(power > 0.0L)) {
        return Refusal<Field>{"Transmitter power must be greater than 0", Field::Power};
    }
    // The power in dBm, as the downlink budget takes it: 10 log10(P / 1 mW).
    const Real powerDbm = 10.0L * fp::Log10(power) + 30.0L;
    const Real received = powerDbm + Optional(in, Field::TxGain) - Optional(in, Field::TxFeederLoss) - Real(lossDb) +
        Optional(in, Field::RxGain) - Optional(in, Field::RxFeederLoss);
    budget.receivedPowerDbm = received.Value();
    if (in.Has(Field::Sensitivity)) {
        budget.fadeMarginDb = (received - in.Real(Field::Sensitivity)).Value();
    }
    return budget;
}

} // namespace zandrevio
