#include "itm/itm.h"

#include "numeric/app_error.h"
#include "numeric/radio.h"
#include "itm/itm_horizons.h"
#include "itm/itm_limits.h"
#include "itm/itm_profile.h"
#include "itm/itm_variability.h"

#include <cctype>
#include <iterator>
#include <optional>

namespace zandrevio {

using fp::Real;
using Field = ItmField;

namespace {
const char* const kVariabilityHelp = "0 single message, 1 individual, 2 mobile, 3 broadcast; add 10 to leave out "
                                     "location variability, 20 situation variability, 30 both";

const FieldSpec<Field> kFields[] = {
    {Field::Frequency, FieldKind::Real, "Frequency (MHz)", "frequency", "100"},
    {Field::TxHeight, FieldKind::Real, "Transmitter antenna height (m)", "tx-height", "30"},
    {Field::RxHeight, FieldKind::Real, "Receiver antenna height (m)", "rx-height", "10"},
    {Field::Polarization, FieldKind::Choice, "Polarization", "polarization", "Vertical", kPolarizations},
    {Field::Climate, FieldKind::Choice, "Radio climate", "climate", "Continental temperate", kItmClimates},
    {Field::Refractivity, FieldKind::Real, "Surface refractivity N0 (N-units)", "refractivity", "301"},
    {Field::Permittivity,
     FieldKind::Real,
     "Ground relative permittivity",
     "permittivity",
     "15",
     {},
     "a ratio to the vacuum's, 1 or more"},
    {Field::Conductivity, FieldKind::Real, "Ground conductivity (S/m)", "conductivity", "0.005"},
    {Field::Variability, FieldKind::Whole, "Mode of variability", "mdvar", "3", {}, kVariabilityHelp},
    {Field::Time, FieldKind::Real, "Time (%)", "time", "50"},
    {Field::Location, FieldKind::Real, "Locations (%)", "location", "50"},
    {Field::Situation, FieldKind::Real, "Situations (%)", "situation", "50"},
    {Field::Distance, FieldKind::Real, "Distance (km)", "distance", "50"},
    {Field::TerrainIrregularity, FieldKind::Real, "Terrain irregularity Δh (m)", "terrain-irregularity", "90"},
    {Field::TxSiting, FieldKind::Choice, "Transmitter siting", "tx-siting", "Random", kItmSitings},
    {Field::RxSiting, FieldKind::Choice, "Receiver siting", "rx-siting", "Random", kItmSitings},
};
} // namespace

const ResultSpec kItmResultLoss{"Basic transmission loss", "loss", "dB", ResultFormat::Hundredths};
const ResultSpec kItmResultMode{"Longley-Rice range", "range", "", ResultFormat::Text};
const ResultSpec kItmResultFreeSpaceLoss{"Free-space loss", "free-space-loss", "dB", ResultFormat::Hundredths};
const ResultSpec kItmResultReference{"Reference attenuation", "reference-attenuation", "dB", ResultFormat::Hundredths};
const ResultSpec kItmResultVariability{"Variability", "variability", "dB", ResultFormat::Hundredths};
const ResultSpec kItmResultTerrainIrregularity{"Terrain irregularity Δh", "terrain-irregularity", "m",
                                               ResultFormat::Result};
const ResultSpec kItmResultTxHorizonDistance{"Tx horizon distance", "tx-horizon-distance", "km", ResultFormat::Result};
const ResultSpec kItmResultRxHorizonDistance{"Rx horizon distance", "rx-horizon-distance", "km", ResultFormat::Result};
const ResultSpec kItmResultTxHorizonAngle{"Tx horizon angle", "tx-horizon-angle", "mrad", ResultFormat::Result};
const ResultSpec kItmResultRxHorizonAngle{"Rx horizon angle", "rx-horizon-angle", "mrad", ResultFormat::Result};
const ResultSpec kItmResultTxEffectiveHeight{"Tx effective height", "tx-effective-height", "m", ResultFormat::Result};
const ResultSpec kItmResultRxEffectiveHeight{"Rx effective height", "rx-effective-height", "m", ResultFormat::Result};
const ResultSpec kItmResultSurfaceRefractivity{"Surface refractivity Ns", "surface-refractivity", "N-units",
                                               ResultFormat::Result};
namespace {
const ResultSpec kResults[] = {kItmResultLoss,
                               kItmResultMode,
                               kItmResultFreeSpaceLoss,
                               kItmResultReference,
                               kItmResultVariability,
                               kItmResultTerrainIrregularity,
                               kItmResultTxHorizonDistance,
                               kItmResultRxHorizonDistance,
                               kItmResultTxHorizonAngle,
                               kItmResultRxHorizonAngle,
                               kItmResultTxEffectiveHeight,
                               kItmResultRxEffectiveHeight,
                               kItmResultSurfaceRefractivity};
} // namespace
const CalculationSpec<Field> kItm{"itm", kFields, kResults};

std::string_view ItmModeWord(ItmMode mode)
{
    switch (mode) {
    case ItmMode::LineOfSight:
        return "line-of-sight";
    case ItmMode::Diffraction:
        return "diffraction";
    case ItmMode::Troposcatter:
        break;
    }
    return "troposcatter";
}

namespace {
// What both modes read before their own fields.
struct Common {
    long double frequencyMHz;
    std::array<long double, 2> heightsM;
    Polarization polarization;
    ItmClimate climate;
    long double refractivity;
    long double permittivity;
    long double conductivity;
    itm::VariabilityMode variability;
};

Outcome<Common, Field> ReadCommon(const Inputs<Field>& in)
{
    Common c{};
    c.frequencyMHz = in.Real(Field::Frequency);
    if (!radio::InRadioSpectrum(c.frequencyMHz)) {
        return Refusal<Field>{radio::kRadioSpectrumMessage, Field::Frequency};
    }
    c.heightsM[0] = in.Real(Field::TxHeight);
    if (!(c.heightsM[0] > 0.0L)) {
        return Refusal<Field>{"Transmitter antenna height must be greater than 0", Field::TxHeight};
    }
    c.heightsM[1] = in.Real(Field::RxHeight);
    if (!(c.heightsM[1] > 0.0L)) {
        return Refusal<Field>{"Receiver antenna height must be greater than 0", Field::RxHeight};
    }
    const int polarization = in.Index(Field::Polarization);
    if (polarization < 0 || polarization >= static_cast<int>(std::size(kPolarizations))) {
        return Refusal<Field>{"Polarization must be horizontal or vertical", Field::Polarization};
    }
    c.polarization = static_cast<Polarization>(polarization);
    // The model substitutes continental temperate for a climate it does not know and says so;
    // here that is refused.
    const int climate = in.Index(Field::Climate);
    if (climate < 0 || climate >= static_cast<int>(std::size(kItmClimates))) {
        return Refusal<Field>{"Radio climate must be one of the model's seven", Field::Climate};
    }
    c.climate = static_cast<ItmClimate>(climate);
    c.refractivity = in.Real(Field::Refractivity);
    if (!(c.refractivity >= 0.0L)) {
        return Refusal<Field>{"Surface refractivity must be 0 N-units or more", Field::Refractivity};
    }
    c.permittivity = in.Real(Field::Permittivity);
    if (!(c.permittivity >= 1.0L)) {
        return Refusal<Field>{"Ground relative permittivity must be 1 or more", Field::Permittivity};
    }
    c.conductivity = in.Real(Field::Conductivity);
    if (!(c.conductivity > 0.0L)) {
        return Refusal<Field>{"Ground conductivity must be greater than 0", Field::Conductivity};
    }
    // Likewise the model substitutes 0 for a mode of variability it does not know.
    const std::optional<itm::VariabilityMode> mode = itm::VariabilityModeOf(in.Whole(Field::Variability));
    if (!mode) {
        return Refusal<Field>{"Mode of variability must be 0-3, plus 10, 20 or 30", Field::Variability};
    }
    c.variability = *mode;
    return c;
}

// A percentage must lie strictly between 0 and 100: the deviate of 0 or 100 % is infinite.
std::optional<Refusal<Field>> CheckPercent(long double percent, Field field)
{
    if (percent > 0.0L && percent < 100.0L) {
        return std::nullopt;
    }
    const char* what = field == Field::Time ? "Time" : field == Field::Location ? "Locations" : "Situations";
    return Refusal<Field>{std::string(what) + " must be between 0 and 100 %, both excluded", field};
}

// The path worked out once: parameters, reference attenuation and the path's
// share of the variability.
struct PreparedPath {
    itm::PathParameters parameters;
    long double distanceM;
    itm::ReferenceAttenuation reference;
    itm::PathVariability variability;
    std::vector<std::string> warnings;
};

// The general preparatory calculations over a surface elevation z_s, with the
// refusals of a refractivity and ground the model cannot take.
Outcome<itm::PathParameters, Field> GeneralParameters(const Common& c, Real surfaceElevationM)
{
    itm::PathParameters p{};
    p.frequencyMHz = c.frequencyMHz;
    p.waveNumber = itm::WaveNumber(c.frequencyMHz).Value();
    p.surfaceRefractivity = itm::SurfaceRefractivity(c.refractivity, surfaceElevationM).Value();
    // N_s reaches 549 where 1 − 0.04665 exp(N_s / 179.3) does 0: the earth would be flat or concave.
    if (!(p.surfaceRefractivity < 549.0L)) {
        return Refusal<Field>{"Surface refractivity too high: the earth's effective curvature vanishes",
                              Field::Refractivity};
    }
    p.curvature = itm::EffectiveCurvature(p.surfaceRefractivity).Value();
    // ITM 1.2.2 Algorithm, §Limits of validity: the model needs Re Z_g > |Im Z_g|. In horizontal
    // polarization that fails for a permittivity of 1; in vertical only for a conductivity so high that
    // the two parts meet in rounding.
    if (c.polarization == Polarization::Horizontal && !(c.permittivity > 1.0L)) {
        return Refusal<Field>{"Ground relative permittivity must be greater than 1 for horizontal polarization",
                              Field::Permittivity};
    }
    p.groundImpedance = itm::GroundImpedance(c.permittivity, c.conductivity, p.waveNumber, c.polarization);
    const Real im = p.groundImpedance.im;
    if (!(p.groundImpedance.re > (im < 0.0L ? -im : im))) {
        return Refusal<Field>{"Ground conductivity too high for the model at this frequency", Field::Conductivity};
    }
    p.heightsM = c.heightsM;
    return p;
}

// The reference attenuation and the variability over a prepared path.
PreparedPath Finish(itm::PathParameters parameters, const Common& c, Real distanceM)
{
    PreparedPath path{parameters, distanceM.Value(), {}, {}, {}};
    path.reference = itm::ComputeReference(path.parameters, distanceM);
    path.variability = itm::PrepareVariability(path.parameters, distanceM, c.climate, c.variability);
    path.warnings = itm::PathWarnings(path.parameters, distanceM);
    if (path.reference.mode == ItmMode::LineOfSight && parameters.terrainBlocksSight) {
        // The model's ranges follow the smooth earth's horizons, not the profile's: a hill that
        // blocks the view is met by the line-of-sight range's fit to the diffraction line.
        path.warnings.push_back("the terrain blocks the line of sight, but the path lies within the model's "
                                "line-of-sight range, which the smooth earth's horizons set: its loss is "
                                "interpolated towards the diffraction line");
    }
    return path;
}

// The refusal of a path on which a step of the model itself faults: a
// frequency far outside its range, a ground beyond any real one (the
// smooth-earth diffraction needs a normalised impedance below 1.607) or
// extreme terrain take its formulas outside their domains. The refusal names
// the likeliest of these, the terrain last.
Refusal<Field> Breakdown(const FloatingPointFault& fault, const Common& c, Field terrain)
{
    Field field = terrain;
    if (!(c.frequencyMHz >= 20.0L && c.frequencyMHz <= 20000.0L)) {
        field = Field::Frequency;
    } else if (c.permittivity > 100.0L) {
        field = Field::Permittivity;
    } else if (c.conductivity > 100.0L) {
        field = Field::Conductivity;
    }
    return {"The model breaks down for these inputs (" + fault.Message() + ")", field};
}

Outcome<PreparedPath, Field> PreparePointToPoint(const TerrainProfile& profile, const Common& c)
{
    if (std::string fault = ProfileFault(profile); !fault.empty()) {
        fault[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(fault[0])));
        return Refusal<Field>{fault, Field::Profile};
    }
    try {
        const itm::UniformProfile uniform = itm::MakeUniform(profile);
        auto general = GeneralParameters(c, itm::MeanElevation(uniform));
        if (!general.Ok()) {
            return general.Error();
        }
        itm::PathParameters parameters = general.Value();
        parameters.pointToPoint = true;
        itm::PreparePointToPointTerminals(parameters, uniform);
        return Finish(parameters, c, uniform.LengthM());
    } catch (const FloatingPointFault& fault) {
        return Breakdown(fault, c, Field::Profile);
    }
}

Outcome<PreparedPath, Field> PrepareArea(const Inputs<Field>& in, const Common& c)
{
    const long double distanceKm = in.Real(Field::Distance);
    if (!(distanceKm > 0.0L)) {
        return Refusal<Field>{"Distance must be greater than 0", Field::Distance};
    }
    const long double dh = in.Real(Field::TerrainIrregularity);
    if (!(dh >= 0.0L)) {
        return Refusal<Field>{"Terrain irregularity must be 0 m or more", Field::TerrainIrregularity};
    }
    std::array<ItmSiting, 2> siting{};
    const Field sitingFields[] = {Field::TxSiting, Field::RxSiting};
    for (std::size_t j = 0; j < 2; ++j) {
        const int index = in.Index(sitingFields[j]);
        if (index < 0 || index >= static_cast<int>(std::size(kItmSitings))) {
            return Refusal<Field>{"Siting must be random, careful or very careful", sitingFields[j]};
        }
        siting[j] = static_cast<ItmSiting>(index);
    }
    try {
        // ITM 1.2.2 Algorithm, §Area prediction mode: N_s is N_0 itself (z_s = 0).
        auto general = GeneralParameters(c, 0.0L);
        if (!general.Ok()) {
            return general.Error();
        }
        itm::PathParameters parameters = general.Value();
        parameters.pointToPoint = false;
        parameters.terrainIrregularityM = dh;
        itm::PrepareAreaTerminals(parameters, siting);
        return Finish(parameters, c, Real(distanceKm) * 1000.0L);
    } catch (const FloatingPointFault& fault) {
        return Breakdown(fault, c, Field::TerrainIrregularity);
    }
}

// ITM 1.2.2 (its point-to-point and area routines): free space, 32.45 + 20 log10 f(MHz) + 20 log10 d(km).
Real FreeSpace(const PreparedPath& path)
{
    return 32.45L + 20.0L * fp::Log10(path.parameters.frequencyMHz) + 20.0L * fp::Log10(Real(path.distanceM) / 1000.0L);
}

std::vector<std::string> Joined(std::vector<std::string> a, const std::vector<std::string>& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// The path prepared in the order its fields are read, as kItm lists them:
// the area mode's own fields, then the percentages (`checkPercents`, the
// refusal of the first out of range), then a profile.
template <typename CheckPercents>
Outcome<PreparedPath, Field> PreparePath(const TerrainProfile* profile, const Inputs<Field>& in, const Common& c,
                                         CheckPercents checkPercents)
{
    if (!profile) {
        Outcome<PreparedPath, Field> prepared = PrepareArea(in, c);
        if (!prepared.Ok()) {
            return prepared;
        }
        if (std::optional<Refusal<Field>> refusal = checkPercents()) {
            return *refusal;
        }
        return prepared;
    }
    if (std::optional<Refusal<Field>> refusal = checkPercents()) {
        return *refusal;
    }
    return PreparePointToPoint(*profile, c);
}

Outcome<ItmResult, Field> Single(const TerrainProfile* profile, const Inputs<Field>& in)
{
    const auto common = ReadCommon(in);
    if (!common.Ok()) {
        return common.Error();
    }
    const Field percentFields[] = {Field::Time, Field::Location, Field::Situation};
    long double percents[3] = {};
    const Outcome<PreparedPath, Field> prepared =
        PreparePath(profile, in, common.Value(), [&]() -> std::optional<Refusal<Field>> {
            for (std::size_t i = 0; i < 3; ++i) {
                percents[i] = in.Real(percentFields[i]);
                if (auto refusal = CheckPercent(percents[i], percentFields[i])) {
                    return refusal;
                }
            }
            return std::nullopt;
        });
    if (!prepared.Ok()) {
        return prepared.Error();
    }
    const PreparedPath& path = prepared.Value();
    try {
        const itm::Deviates given{itm::InverseComplementaryNormal(percents[0] / 100.0L),
                                  itm::InverseComplementaryNormal(percents[1] / 100.0L),
                                  itm::InverseComplementaryNormal(percents[2] / 100.0L)};
        const Real freeSpace = FreeSpace(path);
        const Real loss = freeSpace + itm::VariableAttenuation(path.variability, path.reference.db, given);
        const auto& p = path.parameters;
        return ItmResult{loss.Value(),
                         path.reference.mode,
                         Joined(path.warnings, itm::DeviateWarnings(itm::DeviatesOfMode(path.variability.mode, given))),
                         freeSpace.Value(),
                         path.reference.db,
                         path.distanceM / 1000.0L,
                         p.terrainIrregularityM,
                         p.effectiveHeightsM,
                         {p.horizonDistancesM[0] / 1000.0L, p.horizonDistancesM[1] / 1000.0L},
                         p.horizonAnglesRad,
                         p.surfaceRefractivity};
    } catch (const FloatingPointFault& fault) {
        return Breakdown(fault, common.Value(), profile ? Field::Profile : Field::TerrainIrregularity);
    }
}

Outcome<ItmReliabilityTable, Field> Table(const TerrainProfile* profile, const Inputs<Field>& in,
                                          std::span<const long double> timePercent,
                                          std::span<const long double> locationPercent)
{
    const auto common = ReadCommon(in);
    if (!common.Ok()) {
        return common.Error();
    }
    long double situation = 0.0L;
    const Outcome<PreparedPath, Field> prepared =
        PreparePath(profile, in, common.Value(), [&]() -> std::optional<Refusal<Field>> {
            for (const long double t : timePercent) {
                if (auto refusal = CheckPercent(t, Field::Time)) {
                    return refusal;
                }
            }
            for (const long double l : locationPercent) {
                if (auto refusal = CheckPercent(l, Field::Location)) {
                    return refusal;
                }
            }
            situation = in.Real(Field::Situation);
            return CheckPercent(situation, Field::Situation);
        });
    if (!prepared.Ok()) {
        return prepared.Error();
    }
    const PreparedPath& path = prepared.Value();
    ItmReliabilityTable table{{timePercent.begin(), timePercent.end()},
                              {locationPercent.begin(), locationPercent.end()},
                              {},
                              path.reference.mode,
                              path.warnings};
    table.lossDb.reserve(timePercent.size() * locationPercent.size());
    try {
        const Real freeSpace = FreeSpace(path);
        const Real zs = itm::InverseComplementaryNormal(situation / 100.0L);
        std::vector<Real> zl;
        zl.reserve(locationPercent.size());
        for (const long double l : locationPercent) {
            zl.push_back(itm::InverseComplementaryNormal(l / 100.0L));
        }
        bool extreme = false;
        for (const long double t : timePercent) {
            const Real zt = itm::InverseComplementaryNormal(t / 100.0L);
            for (const Real z : zl) {
                const itm::Deviates given{zt, z, zs};
                extreme = extreme || !itm::DeviateWarnings(itm::DeviatesOfMode(path.variability.mode, given)).empty();
                table.lossDb.push_back(
                    (freeSpace + itm::VariableAttenuation(path.variability, path.reference.db, given)).Value());
            }
        }
        if (extreme) {
            const itm::Deviates far{5.0L, 5.0L, 5.0L};
            table.warnings = Joined(table.warnings, itm::DeviateWarnings(far));
        }
    } catch (const FloatingPointFault& fault) {
        return Breakdown(fault, common.Value(), profile ? Field::Profile : Field::TerrainIrregularity);
    }
    return table;
}
} // namespace

Outcome<ItmResult, Field> ItmPointToPoint(const TerrainProfile& profile, const Inputs<Field>& in)
{
    return Single(&profile, in);
}

Outcome<ItmResult, Field> ItmArea(const Inputs<Field>& in)
{
    return Single(nullptr, in);
}

Outcome<ItmReliabilityTable, Field> ItmPointToPointTable(const TerrainProfile& profile, const Inputs<Field>& in,
                                                         std::span<const long double> timePercent,
                                                         std::span<const long double> locationPercent)
{
    return Table(&profile, in, timePercent, locationPercent);
}

Outcome<ItmReliabilityTable, Field> ItmAreaTable(const Inputs<Field>& in, std::span<const long double> timePercent,
                                                 std::span<const long double> locationPercent)
{
    return Table(nullptr, in, timePercent, locationPercent);
}

} // namespace zandrevio
