#include "propagation/path_analysis.h"

#include "propagation/path_model.h"
#include "fixed_link/polarization_tilt.h"
#include "numeric/radio.h"

namespace zandrevio {

namespace {
using Failed = Refusal<std::string_view>;

// The option that names the profile: its file's, or the rasters'.
std::string_view SourceOption(const PathSource& source)
{
    return source.csv.empty() ? "dem" : "profile";
}

std::string_view SourceOption(PathSourceField field)
{
    switch (field) {
    case PathSourceField::Profile:
        return "profile";
    case PathSourceField::Dem:
        return "dem";
    case PathSourceField::From:
        return "from";
    case PathSourceField::To:
        return "to";
    case PathSourceField::Step:
        break;
    }
    return "step";
}

// The hop's fields the link gives answer for the link's options.
std::string_view AvailabilityOption(const PathSource& source, AvailabilityField field)
{
    switch (field) {
    case AvailabilityField::Distance:
        return SourceOption(source);
    case AvailabilityField::TxAltitude:
        return "tx-height";
    case AvailabilityField::RxAltitude:
        return "rx-height";
    // The fade margin is the budget's: the sensitivity sets it.
    case AvailabilityField::FadeMargin:
    case AvailabilityField::TargetAvailability:
        return "sensitivity";
    default:
        return SpecOf(kAvailability, field).option; // frequency, polarization and the hop's own
    }
}

// Longley-Rice with the link's frequency, antenna heights and polarization.
Inputs<ItmField> WithTheLinks(Inputs<ItmField> itm, const Inputs<PathField>& link)
{
    itm.Set(ItmField::Frequency, [&link] { return link.Real(PathField::Frequency); })
        .Set(ItmField::TxHeight, [&link] { return link.Real(PathField::TxHeight); })
        .Set(ItmField::RxHeight, [&link] { return link.Real(PathField::RxHeight); })
        .Set(ItmField::Polarization, [&link] { return link.Real(PathField::Polarization); });
    return itm;
}

// The link with each pattern's gain in place of its typed one.
Inputs<PathField> WithTheGains(Inputs<PathField> link, const LinkGains& gains)
{
    if (gains.tx) {
        link.Set(PathField::TxGain, gains.tx->gainDbi);
    }
    if (gains.rx) {
        link.Set(PathField::RxGain, gains.rx->gainDbi);
    }
    return link;
}

// The bearings of the path from each end: the cut's, or due north along a
// profile from a file.
std::pair<long double, long double> BearingsOf(const LoadedProfile& loaded)
{
    return loaded.dem ? std::pair{loaded.dem->bearingDeg, loaded.dem->reverseBearingDeg} : std::pair{0.0L, 180.0L};
}

// The hop as the link and its profile give it.
Inputs<AvailabilityField> WithTheLinks(Inputs<AvailabilityField> hop, const Inputs<PathField>& link,
                                       const TerrainProfile& profile, const PathResult& result)
{
    const bool horizontal = link.Choice<Polarization>(PathField::Polarization) == Polarization::Horizontal;
    hop.Set(AvailabilityField::Distance, result.distanceKm)
        .Set(AvailabilityField::Frequency, link.Real(PathField::Frequency))
        .Set(AvailabilityField::Polarization, PolarizationInput(horizontal ? "horizontal" : "vertical"))
        .Set(AvailabilityField::TxAltitude, AntennaAltitudeM(profile, false, link.Real(PathField::TxHeight)))
        .Set(AvailabilityField::RxAltitude, AntennaAltitudeM(profile, true, link.Real(PathField::RxHeight)))
        .Set(AvailabilityField::FadeMargin, *result.fadeMarginDb);
    return hop;
}
} // namespace

Outcome<PathAnalysis, std::string_view> AnalysePath(const PathAnalysisInputs& in)
{
    if (in.antennaFault) {
        return *in.antennaFault;
    }
    Outcome<LoadedProfile, PathSourceField> loaded = LoadPathProfile(in.source);
    if (!loaded.Ok()) {
        return Failed{loaded.Error().message, SourceOption(loaded.Error().field), loaded.Error().beep};
    }
    return AnalyseProfile(std::move(loaded.Value()), in);
}

Outcome<PathAnalysis, std::string_view> AnalyseProfile(LoadedProfile loaded, const PathAnalysisInputs& in)
{
    if (in.antennaFault) {
        return *in.antennaFault;
    }
    PathAnalysis analysis{std::move(loaded), {}, std::nullopt, std::nullopt, {}, false};
    const TerrainProfile& profile = analysis.loaded.profile;
    const auto refusedAt = [&in](const Refusal<PathField>& refusal) {
        return Failed{refusal.message,
                      refusal.field == PathField::Profile ? SourceOption(in.source)
                                                          : SpecOf(kPath, refusal.field).option,
                      refusal.beep};
    };
    const auto [bearing, reverse] = BearingsOf(analysis.loaded);
    Inputs<PathField> link = in.link; // with the patterns' gains, once known
    // Longley-Rice's loss alone leaves the link's geometry and delta-Bullington out.
    if (!(in.lossOnly && in.itm)) {
        Outcome<PathResult, PathField> linked = PathLink(profile, in.link);
        if (!linked.Ok()) {
            return refusedAt(linked.Error());
        }
        analysis.link = std::move(linked.Value());
    }
    // Delta-Bullington's patterns read along its earth of the link's k-factor
    // (Longley-Rice's along its own horizons, below), the budget then on them.
    if (in.antennas.Any() && !in.itm) {
        analysis.gains = GainsAlong(
            in.antennas, bearing, reverse,
            ElevationsAlong(profile, AntennaAltitudeM(profile, false, in.link.Real(PathField::TxHeight)),
                            AntennaAltitudeM(profile, true, in.link.Real(PathField::RxHeight)),
                            in.link.Real(PathField::KFactor) * radio::kEarthRadiusKm));
        link = WithTheGains(std::move(link), analysis.gains);
        const Outcome<PathBudget, PathField> budget = PathBudgetAt(link, analysis.link.pathLossDb);
        if (!budget.Ok()) {
            return refusedAt(budget.Error());
        }
        analysis.link.receivedPowerDbm = budget.Value().receivedPowerDbm;
        analysis.link.fadeMarginDb = budget.Value().fadeMarginDb;
    }
    if (in.itm) {
        const Outcome<ItmResult, ItmField> itm = ItmPointToPoint(profile, WithTheLinks(*in.itm, in.link));
        if (!itm.Ok()) {
            const Refusal<ItmField>& refusal = itm.Error();
            return Failed{refusal.message, SpecOf(kItm, refusal.field).option, refusal.beep};
        }
        // Each pattern read toward the other end, or its horizon where the
        // terrain blocks it, over the model's own effective earth.
        if (in.antennas.Any()) {
            const ItmResult& model = itm.Value();
            const EndElevations elevations =
                ElevationsAlong(profile, AntennaAltitudeM(profile, false, in.link.Real(PathField::TxHeight)),
                                AntennaAltitudeM(profile, true, in.link.Real(PathField::RxHeight)),
                                ItmEarthRadiusKm(model.surfaceRefractivity));
            analysis.gains = GainsAlong(in.antennas, bearing, reverse, elevations);
            link = WithTheGains(std::move(link), analysis.gains);
        }
        // The budget on the model's loss; its warnings replace the link's,
        // which speak of the delta-Bullington method alone.
        const Outcome<PathBudget, PathField> budget = PathBudgetAt(link, itm.Value().lossDb);
        if (!budget.Ok()) {
            return refusedAt(budget.Error());
        }
        analysis.link.pathLossDb = itm.Value().lossDb;
        analysis.link.receivedPowerDbm = budget.Value().receivedPowerDbm;
        analysis.link.fadeMarginDb = budget.Value().fadeMarginDb;
        analysis.link.warnings = itm.Value().warnings;
        analysis.itm = itm.Value();
    }
    // A map's point leaves out where its pattern is read: the angle is the point's own.
    if (!in.lossOnly) {
        analysis.link.warnings.insert(analysis.link.warnings.end(), analysis.gains.warnings.begin(),
                                      analysis.gains.warnings.end());
    }
    if (in.availability) {
        if (!analysis.link.fadeMarginDb) {
            analysis.noFadeMargin = true;
            return analysis;
        }
        const Outcome<AvailabilityResult, AvailabilityField> hop =
            Availability(WithTheLinks(*in.availability, link, profile, analysis.link));
        if (!hop.Ok()) {
            const Refusal<AvailabilityField>& refusal = hop.Error();
            return Failed{refusal.message, AvailabilityOption(in.source, refusal.field), refusal.beep};
        }
        analysis.availability = hop.Value();
        const std::vector<std::string>& warnings = hop.Value().warnings;
        analysis.link.warnings.insert(analysis.link.warnings.end(), warnings.begin(), warnings.end());
    }
    return analysis;
}

} // namespace zandrevio
