#include "coverage/coverage_map.h"

#include "numeric/radio.h"
#include "terrain/dem_raster.h"

#include <atomic>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <functional>
#include <random>
#include <system_error>

#include <unistd.h>

namespace zandrevio {

MapRaster MapOf(const CoverageLattice& lattice, long double radiusKm)
{
    MapRaster map;
    const long double step = lattice.stepM;
    const long double radiusM = radiusKm * 1000.0L;
    const auto half = static_cast<int>(std::ceil(radiusM / step));
    map.width = map.height = 2 * half + 1;
    map.pixelM = static_cast<double>(step);
    map.westM = map.northM = 0.0;
    map.westM = -static_cast<double>((half + 0.5L) * step);
    map.northM = static_cast<double>((half + 0.5L) * step);
    char projection[200];
    std::snprintf(projection, sizeof projection,
                  "+proj=aeqd +lat_0=%.17Lg +lon_0=%.17Lg +x_0=0 +y_0=0 +R=%.0Lf +units=m +no_defs",
                  lattice.site.latitudeDeg, lattice.site.longitudeDeg, radio::kEarthRadiusKm * 1000.0L);
    map.projection = projection;
    map.bandNames = {"loss"};
    if (lattice.level) {
        map.bandNames.push_back("level");
    }
    map.bandNames.push_back("code");
    map.bands.assign(map.bandNames.size(), std::vector<float>(static_cast<std::size_t>(map.width) * map.height, map.noData));
    const long double sector = 360.0L / static_cast<long double>(lattice.radials);
    for (int row = 0; row < map.height; ++row) {
        for (int column = 0; column < map.width; ++column) {
            const long double x = (column - half) * step;
            const long double y = (half - row) * step;
            const long double rho = std::hypot(x, y);
            if (rho > radiusM) {
                continue;
            }
            long double bearing = std::atan2(x, y) * 180.0L / radio::kPi;
            bearing = bearing < 0.0L ? bearing + 360.0L : bearing;
            const std::size_t radial = static_cast<std::size_t>(std::llround(bearing / sector)) % lattice.radials;
            const auto nearest = static_cast<std::size_t>(std::llround(rho / step));
            const std::size_t at = std::min(std::max<std::size_t>(nearest, 1), lattice.steps);
            const CoveragePoint& point = lattice.At(radial, at);
            if (!point.computed) {
                continue;
            }
            const std::size_t pixel = static_cast<std::size_t>(row) * map.width + column;
            std::size_t band = 0;
            map.bands[band++][pixel] = static_cast<float>(point.lossDb);
            if (lattice.level) {
                map.bands[band++][pixel] = static_cast<float>(point.levelDbm);
            }
            map.bands[band][pixel] = static_cast<float>(point.code);
        }
    }
    return map;
}

WholeFiles::~WholeFiles()
{
    std::error_code error;
    for (const auto& [file, part] : m_parts) {
        std::filesystem::remove(part, error);
    }
}

std::filesystem::path WholeFiles::PartOf(const std::filesystem::path& file)
{
    // Unique to this run (the process, a count and a random word), so that
    // two runs writing the same map never share a temporary file.
    static std::atomic<unsigned> count{0};
    static const unsigned word = std::random_device{}();
    char tag[64];
    std::snprintf(tag, sizeof tag, ".part-%ld-%u-%08x", static_cast<long>(getpid()), count.fetch_add(1), word);
    // Hidden, beside the file, its extension kept (GDAL's drivers and /vsizip/ go by it).
    return file.parent_path() / ("." + file.stem().string() + tag + file.extension().string());
}

std::string WholeFiles::Write(const std::filesystem::path& file,
                              const std::function<void(const std::filesystem::path&, std::string&)>& write)
{
    const std::filesystem::path part = PartOf(file);
    std::error_code error;
    std::string fault;
    write(part, fault);
    if (!fault.empty()) {
        std::filesystem::remove(part, error);
        return "cannot write " + file.string() + ": " + fault;
    }
    m_parts.emplace_back(file, part);
    return {};
}

std::string WholeFiles::Commit()
{
    std::error_code error;
    const auto fault = [this](const std::filesystem::path& file, const std::string& why) {
        m_failed = file;
        return "cannot write " + file.string() + ": " + why;
    };
    // A folder in a file's place fails the whole before anything is moved.
    for (const auto& [file, part] : m_parts) {
        if (std::filesystem::is_directory(file, error)) {
            return fault(file, "it is a folder");
        }
    }
    // The files there before are kept aside until every new one is in place,
    // and put back if one cannot be: all are written, or none.
    std::vector<std::pair<std::filesystem::path, std::filesystem::path>> kept; // the file, its old self
    std::vector<std::filesystem::path> placed;
    const auto undo = [&] {
        std::error_code ignored;
        for (const std::filesystem::path& file : placed) {
            std::filesystem::remove(file, ignored);
        }
        for (const auto& [file, old] : kept) {
            std::filesystem::rename(old, file, ignored);
        }
    };
    for (const auto& [file, part] : m_parts) {
        if (std::filesystem::exists(file, error)) {
            const std::filesystem::path old = PartOf(file);
            std::filesystem::rename(file, old, error);
            if (error) {
                undo();
                return fault(file, error.message());
            }
            kept.emplace_back(file, old);
        }
    }
    for (const auto& [file, part] : m_parts) {
        std::filesystem::rename(part, file, error);
        if (error) {
            undo();
            return fault(file, error.message());
        }
        placed.push_back(file);
    }
    for (const auto& [file, old] : kept) {
        std::filesystem::remove(old, error);
    }
    m_parts.clear();
    return {};
}

namespace {
// Enough digits that a long double reads back to itself.
std::string Exact(long double value)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.21Lg", value);
    return text;
}

} // namespace

std::string WriteLatticeCsv(WholeFiles& files, const CoverageLattice& lattice, const std::filesystem::path& file)
{
    return files.Write(file, [&lattice](const std::filesystem::path& part, std::string& fault) {
        std::ofstream out(part, std::ios::binary | std::ios::trunc);
        if (!out) {
            fault = "it cannot be opened";
            return;
        }
        out << "radial,step,bearing,distance,latitude,longitude,loss" << (lattice.level ? ",level" : "")
            << ",code,warning\n";
        for (std::size_t radial = 0; radial < lattice.radials; ++radial) {
            const long double bearing = LatticeBearingDeg(radial, lattice.radials);
            for (std::size_t step = 1; step <= lattice.steps; ++step) {
                const CoveragePoint& point = lattice.At(radial, step);
                const GeoPoint place = lattice.Place(radial, step);
                out << radial << ',' << step << ',' << Exact(bearing) << ','
                    << Exact(LatticeDistanceM(step, lattice.stepM) / 1000.0L) << ',' << Exact(place.latitudeDeg) << ','
                    << Exact(place.longitudeDeg) << ',';
                if (point.computed) {
                    out << Exact(point.lossDb);
                    if (lattice.level) {
                        out << ',' << Exact(point.levelDbm);
                    }
                    out << ',' << static_cast<int>(point.code) << ','
                        << (point.warning == 0 ? std::string() : '"' + lattice.warnings[point.warning - 1] + '"');
                } else {
                    out << (lattice.level ? ",," : ",") << ',';
                }
                out << '\n';
            }
        }
        out.close();
        if (!out) {
            fault = "the disk may be full";
        }
    });
}

std::string WriteContours(WholeFiles& files, const MapRaster& map, int band, const std::vector<double>& levels,
                          const std::filesystem::path& file)
{
    const DemModuleLoad& module = DemModule();
    if (module.contours == nullptr) {
        return module.fault;
    }
    return files.Write(file, [&](const std::filesystem::path& part, std::string& fault) { module.contours(map, band, levels, part, fault); });
}

std::string WriteOverlay(WholeFiles& files, const MapRaster& map, int band, const ColourScale& scale,
                         const std::filesystem::path& file)
{
    const DemModuleLoad& module = DemModule();
    if (module.overlay == nullptr) {
        return module.fault;
    }
    return files.Write(file, [&](const std::filesystem::path& part, std::string& fault) { module.overlay(map, band, scale, part, fault); });
}

std::string WriteMapRaster(WholeFiles& files, const MapRaster& map, const std::filesystem::path& file)
{
    const DemModuleLoad& module = DemModule();
    if (module.write == nullptr) {
        return module.fault;
    }
    return files.Write(file, [&](const std::filesystem::path& part, std::string& fault) { module.write(map, part, fault); });
}

} // namespace zandrevio
