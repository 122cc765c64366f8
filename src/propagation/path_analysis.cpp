#include "propagation/path_analysis.h"

#include "propagation/path_model.h"
#include "fixed_link/polarization_tilt.h"

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
    Outcome<LoadedProfile, PathSourceField> loaded = LoadPathProfile(in.source);
    if (!loaded.Ok()) {
        return Failed{loaded.Error().message, SourceOption(loaded.Error().field), loaded.Error().beep};
    }
    return AnalyseProfile(std::move(loaded.Value()), in);
}

Outcome<PathAnalysis, std::string_view> AnalyseProfile(LoadedProfile loaded, const PathAnalysisInputs& in)
{
    PathAnalysis analysis{std::move(loaded), {}, std::nullopt, std::nullopt, false};
    const TerrainProfile& profile = analysis.loaded.profile;
    const auto refusedAt = [&in](const Refusal<PathField>& refusal) {
        return Failed{refusal.message,
                      refusal.field == PathField::Profile ? SourceOption(in.source)
                                                          : SpecOf(kPath, refusal.field).option,
                      refusal.beep};
    };
    // Longley-Rice's loss alone leaves the link's geometry and delta-Bullington out.
    if (!(in.lossOnly && in.itm)) {
        Outcome<PathResult, PathField> link = PathLink(profile, in.link);
        if (!link.Ok()) {
            return refusedAt(link.Error());
        }
        analysis.link = std::move(link.Value());
    }
    if (in.itm) {
        const Outcome<ItmResult, ItmField> itm = ItmPointToPoint(profile, WithTheLinks(*in.itm, in.link));
        if (!itm.Ok()) {
            const Refusal<ItmField>& refusal = itm.Error();
            return Failed{refusal.message, SpecOf(kItm, refusal.field).option, refusal.beep};
        }
        // The budget on the model's loss; its warnings replace the link's,
        // which speak of the delta-Bullington method alone.
        const Outcome<PathBudget, PathField> budget = PathBudgetAt(in.link, itm.Value().lossDb);
        if (!budget.Ok()) {
            return refusedAt(budget.Error());
        }
        analysis.link.pathLossDb = itm.Value().lossDb;
        analysis.link.receivedPowerDbm = budget.Value().receivedPowerDbm;
        analysis.link.fadeMarginDb = budget.Value().fadeMarginDb;
        analysis.link.warnings = itm.Value().warnings;
        analysis.itm = itm.Value();
    }
    if (in.availability) {
        if (!analysis.link.fadeMarginDb) {
            analysis.noFadeMargin = true;
            return analysis;
        }
        const Outcome<AvailabilityResult, AvailabilityField> hop =
            Availability(WithTheLinks(*in.availability, in.link, profile, analysis.link));
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
