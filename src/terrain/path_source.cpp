#include "terrain/path_source.h"

#include "numeric/app_error.h"
#include "numeric/parse_real.h"
#include "terrain/profile_csv.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <tuple>

namespace zandrevio {

namespace {
using Field = PathSourceField;

std::string_view Trimmed(std::string_view text)
{
    const auto space = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && space(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && space(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}


std::optional<long double> Number(std::string_view text)
{
    text = Trimmed(text);
    if (text.empty()) {
        return std::nullopt;
    }
    try {
        return ParseReal(text);
    } catch (const ConversionFailure&) {
        return std::nullopt;
    }
}
} // namespace

std::string Capitalised(std::string text)
{
    if (!text.empty()) {
        text[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(text[0])));
    }
    return text;
}

std::optional<GeoPoint> ParseCoordinates(std::string_view text)
{
    text = Trimmed(text);
    // A semicolon first, so that nothing else splits "45.5;6.25".
    std::size_t split = text.find(';');
    if (split == std::string_view::npos) {
        split = text.find(',');
    }
    if (split == std::string_view::npos) {
        split = text.find_first_of(" \t");
        if (split == std::string_view::npos) {
            return std::nullopt;
        }
    }
    const auto latitude = Number(text.substr(0, split));
    const auto longitude = Number(text.substr(split + 1));
    if (!latitude || !longitude) {
        return std::nullopt;
    }
    return GeoPoint{*latitude, *longitude};
}

std::vector<std::filesystem::path> SplitFileList(std::string_view text)
{
    std::vector<std::filesystem::path> files;
    while (!text.empty()) {
        const std::size_t comma = text.find(',');
        const std::string_view name = Trimmed(text.substr(0, comma));
        if (!name.empty()) {
            files.emplace_back(std::string(name));
        }
        text = comma == std::string_view::npos ? std::string_view() : text.substr(comma + 1);
    }
    return files;
}

Outcome<LoadedProfile, Field> LoadPathProfile(const PathSource& source)
{
    const bool csv = !source.csv.empty();
    const bool rasters = !source.rasters.empty();
    if (csv == rasters) {
        return Refusal<Field>{csv ? "Give a profile's CSV file or elevation rasters, not both"
                                  : "Give a profile's CSV file, or elevation rasters with the two ends",
                              csv ? Field::Dem : Field::Profile};
    }
    if (csv) {
        TerrainOutcome<TerrainProfile> read = ReadProfileCsvFile(source.csv);
        if (!read.Ok()) {
            return Refusal<Field>{read.Error(), Field::Profile}; // it names the file
        }
        return LoadedProfile{std::move(read.Value()), std::nullopt};
    }
    const std::optional<GeoPoint> from = ParseCoordinates(source.from);
    if (!from) {
        return Refusal<Field>{"The transmitter's place must be LAT,LON in degrees, as 45.5,6.25", Field::From};
    }
    const std::optional<GeoPoint> to = ParseCoordinates(source.to);
    if (!to) {
        return Refusal<Field>{"The receiver's place must be LAT,LON in degrees, as 45.5,6.25", Field::To};
    }
    DemPathRequest request{source.rasters, *from, *to, std::nullopt};
    if (!Trimmed(source.step).empty()) {
        request.stepM = Number(source.step);
        if (!request.stepM) {
            return Refusal<Field>{"The step must be a number of metres", Field::Step};
        }
    }
    for (const auto& [place, field, name] :
         {std::tuple{*from, Field::From, "transmitter"}, std::tuple{*to, Field::To, "receiver"}}) {
        if (!(std::fabs(place.latitudeDeg) <= 90.0L && std::fabs(place.longitudeDeg) <= 180.0L)) {
            return Refusal<Field>{std::string("The ") + name +
                                      "'s place is off the globe: latitude -90 to 90, longitude -180 to 180 degrees",
                                  field};
        }
    }
    if (request.stepM && !(*request.stepM > 0.0L)) {
        return Refusal<Field>{"The step must be greater than 0 m", Field::Step};
    }
    if (from->latitudeDeg == to->latitudeDeg && from->longitudeDeg == to->longitudeDeg) {
        return Refusal<Field>{"The transmitter and the receiver are at the same place", Field::To};
    }
    TerrainOutcome<DemPath> cut = CutDemProfile(request);
    if (!cut.Ok()) {
        return Refusal<Field>{Capitalised(cut.Error()), Field::Dem};
    }
    LoadedProfile loaded{std::move(cut.Value().profile), std::move(cut.Value())};
    return loaded;
}

} // namespace zandrevio
