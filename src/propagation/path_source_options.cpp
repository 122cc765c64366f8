#include "propagation/path_source_options.h"

#include "terrain/path_source.h"

namespace zandrevio {

namespace {
enum class SourceField { Profile, Dem, From, To, Step, ProfileOut };
const FieldSpec<SourceField> kSourceFields[] = {
    {SourceField::Profile,
     FieldKind::Text,
     "Profile file",
     "profile",
     "",
     {},
     "a CSV file of distance (km) and ground height (m) from the transmitter",
     "FILE"},
    {SourceField::Dem,
     FieldKind::Text,
     "Elevation data",
     "dem",
     "",
     {},
     "raster files GDAL reads (SRTM .hgt, GeoTIFF, VRT), separated by commas",
     "FILE[,FILE...]"},
    {SourceField::From,
     FieldKind::Text,
     "Transmitter place",
     "from",
     "",
     {},
     "LAT,LON in degrees, north and east positive",
     "LAT,LON"},
    {SourceField::To,
     FieldKind::Text,
     "Receiver place",
     "to",
     "",
     {},
     "LAT,LON in degrees, north and east positive",
     "LAT,LON"},
    {SourceField::Step,
     FieldKind::Real,
     "Step (m)",
     "step",
     "",
     {},
     "the spacing of the profile's points; the rasters' resolution where not given"},
    {SourceField::ProfileOut,
     FieldKind::Text,
     "Profile output file",
     "profile-out",
     "",
     {},
     "writes the profile used as CSV, to edit and use again",
     "FILE"},
};
const CalculationSpec<SourceField> kPathSource{"path", kSourceFields, {}};

} // namespace

std::vector<OptionSpec> PathSourceOptions(bool withProfileOut)
{
    std::vector<OptionSpec> options = OptionsOf(kPathSource);
    if (!withProfileOut) {
        options.pop_back();
    }
    return options;
}

PathSource PathSourceOf(const Request& request)
{
    // A place that is no LAT,LON is the user's slip, named by its option; one off the globe is refused.
    for (const char* option : {"from", "to"}) {
        if (request.Has(option) && !ParseCoordinates(request.TextOr(option, ""))) {
            throw RequestError(
                option, "'" + std::string(request.TextOr(option, "")) + "' is not LAT,LON in degrees, as 45.5,6.25");
        }
    }
    PathSource source;
    source.csv = std::string(request.TextOr("profile", ""));
    source.rasters = SplitFileList(request.TextOr("dem", ""));
    source.from = request.TextOr("from", "");
    source.to = request.TextOr("to", "");
    source.step = request.TextOr("step", "");
    return source;
}

void RefusePathSource(Reply& reply, const Refusal<PathSourceField>& refusal)
{
    SourceField field = SourceField::Profile;
    switch (refusal.field) {
    case PathSourceField::Profile:
        break;
    case PathSourceField::Dem:
        field = SourceField::Dem;
        break;
    case PathSourceField::From:
        field = SourceField::From;
        break;
    case PathSourceField::To:
        field = SourceField::To;
        break;
    case PathSourceField::Step:
        field = SourceField::Step;
        break;
    }
    Refuse(reply, kPathSource, Refusal<SourceField>{refusal.message, field, refusal.beep});
}

void EchoPathSource(Reply& reply, const Request& request)
{
    if (!request.Echo()) {
        return;
    }
    for (const FieldSpec<SourceField>& spec : kPathSource.fields) {
        if (request.Has(spec.option)) {
            reply.inputs.emplace_back(spec.option, std::string(request.TextOr(spec.option, "")));
        }
    }
}

} // namespace zandrevio
