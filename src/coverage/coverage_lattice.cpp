#include "coverage/coverage_lattice.h"

#include "numeric/format.h"
#include "numeric/radio.h"
#include "terrain/dem_profile.h"
#include "terrain/dem_raster.h"

#include <chrono>
#include <cmath>
#include <exception>
#include <map>
#include <memory>
#include <mutex>
#include <thread>

namespace zandrevio {

using Failed = Refusal<std::string_view>;

long double LatticeBearingDeg(std::size_t radial, std::size_t radials)
{
    return OnNanodegrees(360.0L * static_cast<long double>(radial) / static_cast<long double>(radials));
}

long double LatticeDistanceM(std::size_t step, long double stepM)
{
    return OnNanometres(static_cast<long double>(step) * stepM);
}

GeoPoint CoverageLattice::Place(std::size_t radial, std::size_t step) const
{
    return Destination(site, LatticeBearingDeg(radial, radials), LatticeDistanceM(step, stepM) / 1000.0L);
}

namespace {

// What one radial gives: its points, its warnings (each once, in order)
// and its first gap in the data.
struct RadialOutcome {
    std::vector<std::string> warnings;
    std::size_t uncomputed = 0;
    std::string firstGap;
    std::size_t refused = 0;
    std::string firstRefusal;
};

class RadialWorker {
public:
    RadialWorker(DemRaster& raster, const CoverageRequest& request, CoverageLattice& lattice)
        : m_raster(raster)
        , m_path(request.path)
        , m_lattice(lattice)
    {
        // A worker's own inputs, their texts read once: inputs note what a
        // run read, so they are not shared between threads.
        m_path.link = m_path.link.Resolved();
        if (m_path.itm) {
            m_path.itm = m_path.itm->Resolved();
        }
        m_path.lossOnly = true;
        m_distances.resize(m_lattice.steps + 1);
        for (std::size_t step = 0; step <= m_lattice.steps; ++step) {
            m_distances[step] = LatticeDistanceM(step, m_lattice.stepM);
        }
    }

    RadialOutcome Run(std::size_t radial)
    {
        RadialOutcome outcome;
        const std::size_t last = m_lattice.lastSteps.empty() ? m_lattice.steps : m_lattice.lastSteps[radial];
        if (last == 0) {
            return outcome;
        }
        const long double bearing = LatticeBearingDeg(radial, m_lattice.radials);
        Sample(radial, last);
        for (std::size_t step = 1; step <= last; ++step) {
            CoveragePoint& point = m_lattice.points[radial * m_lattice.steps + step - 1];
            // Why a point has no data is told once a radial: the cut that
            // says it is made for the first only.
            std::optional<std::string> gap;
            if (outcome.uncomputed == 0) {
                gap.emplace();
            }
            std::optional<LoadedProfile> loaded = Profile(bearing, step, gap);
            if (!loaded) {
                if (outcome.uncomputed++ == 0) {
                    outcome.firstGap = *gap;
                }
                continue;
            }
            const Outcome<PathAnalysis, std::string_view> analysed = AnalyseProfile(std::move(*loaded), m_path);
            if (!analysed.Ok()) {
                // The model's refusal of this path (not a gap in the data).
                if (outcome.refused++ == 0) {
                    outcome.firstRefusal = analysed.Error().message;
                }
                continue;
            }
            const PathAnalysis& analysis = analysed.Value();
            point.computed = true;
            point.lossDb = analysis.link.pathLossDb;
            point.levelDbm = analysis.link.receivedPowerDbm.value_or(0.0L);
            point.code = static_cast<std::int8_t>(analysis.itm ? 1 + static_cast<int>(analysis.itm->mode)
                                                               : analysis.link.lineOfSight ? 1 : 2);
            if (!analysis.link.warnings.empty()) {
                point.code = static_cast<std::int8_t>(point.code + kCoverageWarnedCode);
                const std::string& first = analysis.link.warnings.front();
                std::size_t index = 0;
                while (index < outcome.warnings.size() && outcome.warnings[index] != first) {
                    ++index;
                }
                if (index == outcome.warnings.size()) {
                    outcome.warnings.push_back(first);
                }
                point.warning = static_cast<std::uint32_t>(index + 1); // within the radial, for now
            }
        }
        return outcome;
    }

private:
    struct Height {
        DemRaster::Sample sample;
        long double metres;
    };

    // The heights at every whole step of the radial up to `last`, the site's first.
    void Sample(std::size_t radial, std::size_t last)
    {
        m_heights.assign(m_lattice.steps + 1, {DemRaster::Sample::Outside, 0.0L});
        m_places.resize(m_lattice.steps + 1);
        for (std::size_t step = 0; step <= last; ++step) {
            m_places[step] = step == 0 ? m_lattice.site : m_lattice.Place(radial, step);
            m_heights[step].sample = m_raster.HeightAt(m_places[step], m_heights[step].metres);
        }
    }

    // The profile `path` cuts from the site to the point `step` steps out,
    // from the radial's heights where its samples fall on them.
    // Where it has no data, and `gap` is given, `gap` says why as `path` would.
    std::optional<LoadedProfile> Profile(long double bearing, std::size_t step, std::optional<std::string>& gap)
    {
        const GeoPoint site = m_lattice.site;
        const GeoPoint point = m_places[step];
        const long double lengthM = m_distances[step];
        const long double recomputedM = OnNanometres((radio::kEarthRadiusKm * CentralAngle(site, point) * 1000.0L).Value());
        const long double recomputedBearing = OnNanodegrees(InitialBearingDeg(site, point).Value());
        // The reverse bearing only labels a path on the Path page: a map leaves it at 0.
        DemPath path{{}, lengthM / 1000.0L, bearing, 0.0L};
        if (recomputedM != lengthM || recomputedBearing != bearing) {
            // Off the radial by rounding: cut as the command cuts it.
            TerrainOutcome<DemPath> cut = CutDemProfile(m_raster, {{}, site, point, m_lattice.stepM});
            if (!cut.Ok()) {
                if (gap) {
                    *gap = cut.Error();
                }
                return std::nullopt;
            }
            TerrainProfile profile = std::move(cut.Value().profile);
            return LoadedProfile{std::move(profile), std::move(cut.Value())};
        }
        const std::vector<long double> distances = DemCutDistancesM(lengthM, m_lattice.stepM);
        path.profile.points.reserve(distances.size());
        for (std::size_t i = 0; i < distances.size(); ++i) {
            const long double along = distances[i];
            // The i-th sample falls on the i-th step wherever the cut has as
            // many intervals as steps; else on the step nearest, or between.
            const std::size_t nearest =
                i <= m_lattice.steps && m_distances[i] == along
                ? i
                : static_cast<std::size_t>(std::llround(along / m_lattice.stepM));
            Height height{DemRaster::Sample::Outside, 0.0L};
            GeoPoint place{};
            if (nearest <= m_lattice.steps && m_distances[nearest] == along) {
                height = m_heights[nearest];
                place = m_places[nearest];
            } else {
                place = Destination(site, bearing, along / 1000.0L);
                height.sample = m_raster.HeightAt(place, height.metres);
            }
            if (height.sample != DemRaster::Sample::Height) {
                if (gap) {
                    // The cut's own message, as `path` would give it.
                    TerrainOutcome<DemPath> cut = CutDemProfile(m_raster, {{}, site, point, m_lattice.stepM});
                    *gap = cut.Ok() ? std::string("the elevation data changed while it was read") : cut.Error();
                }
                return std::nullopt;
            }
            path.profile.points.push_back({(fp::Real(along) / 1000.0L).Value(), height.metres});
        }
        TerrainProfile profile = path.profile;
        path.profile = {};
        return LoadedProfile{std::move(profile), std::move(path)};
    }

    DemRaster& m_raster;
    PathAnalysisInputs m_path;
    CoverageLattice& m_lattice;
    std::vector<long double> m_distances; // of each step along the radial
    std::vector<Height> m_heights;
    std::vector<GeoPoint> m_places;
};

} // namespace

Outcome<CoverageLattice, std::string_view> ComputeCoverage(const CoverageRequest& request,
                                                           const CoverageControl& control)
{
    const GeoPoint site = request.site;
    if (!(std::fabs(site.latitudeDeg) <= 90.0L && std::fabs(site.longitudeDeg) <= 180.0L)) {
        return Failed{"The site is off the globe: latitude -90 to 90, longitude -180 to 180 degrees", "from"};
    }
    // Up to a quarter of the earth's circumference: a map, not a hemisphere.
    if (!(request.radiusKm > 0.0L && request.radiusKm <= 10000.0L)) {
        return Failed{"The radius must be greater than 0 and at most 10000 km", "radius"};
    }
    if (request.resolutionM && !(*request.resolutionM > 0.0L)) {
        return Failed{"The resolution must be greater than 0 m", "resolution"};
    }
    // One reader a thread: a raster's blocks and handles are its own.
    std::vector<std::shared_ptr<DemRaster>> rasters;
    auto opened = DemRaster::Open(request.rasters);
    if (!opened.Ok()) {
        return Failed{Capitalised(opened.Error()), "dem"};
    }
    rasters.push_back(opened.Value());
    long double height = 0.0L;
    if (rasters.front()->HeightAt(site, height) != DemRaster::Sample::Height) {
        return Failed{"The site has no height in the elevation data: it lies off the data or on a no-data cell",
                      "from"};
    }

    CoverageLattice lattice;
    lattice.site = site;
    lattice.level = request.path.link.Has(PathField::Power);
    lattice.stepM = OnNanometres(request.resolutionM ? *request.resolutionM
                                                      : rasters.front()->PixelSizeM(site.latitudeDeg));
    if (!(lattice.stepM > 0.0L)) {
        return Failed{"The resolution must be at least a nanometre", "resolution"};
    }
    const long double radiusM = request.radiusKm * 1000.0L;
    const long double steps = std::floor(radiusM / lattice.stepM + 1.0e-9L);
    const long double radials = 8.0L * std::ceil(2.0L * radio::kPi * radiusM / lattice.stepM / 8.0L);
    if (!(steps >= 1.0L)) {
        return Failed{"The radius must hold at least one step of the resolution, " + FormatFull(lattice.stepM) + " m",
                      "radius"};
    }
    if (!(steps * radials <= static_cast<long double>(kMaxCoveragePoints))) {
        return Failed{"A radius of " + FormatFull(request.radiusKm) + " km at " + FormatFull(lattice.stepM) +
                          " m would make " + FormatFull(steps * radials) + " points, more than " +
                          std::to_string(kMaxCoveragePoints) + ": give a coarser resolution",
                      "resolution"};
    }
    lattice.steps = static_cast<std::size_t>(steps);
    lattice.radials = static_cast<std::size_t>(radials);
    lattice.points.resize(lattice.steps * lattice.radials);
    if (request.wanted) {
        lattice.lastSteps = request.wanted(lattice);
        lattice.lastSteps.resize(lattice.radials, 0);
        for (std::size_t& last : lattice.lastSteps) {
            last = std::min(last, lattice.steps);
        }
    }
    // No more threads than radials to share, nor than kMaxCoverageThreads.
    const std::size_t threads =
        std::min({std::max<std::size_t>(1, request.threads), lattice.radials, kMaxCoverageThreads});
    while (rasters.size() < threads) {
        auto another = DemRaster::Open(request.rasters);
        if (!another.Ok()) {
            return Failed{Capitalised(another.Error()), "dem"};
        }
        rasters.push_back(another.Value());
    }

    // The path's own inputs (frequency, heights, the budget, the model's
    // fields) checked once, over a short flat profile at the site: a refusal
    // of them is the map's.
    PathAnalysisInputs whole = request.path;
    whole.lossOnly = false; // the link's own checks too
    const Outcome<PathAnalysis, std::string_view> checked = AnalyseProfile(
        LoadedProfile{TerrainProfile{{{0.0L, height}, {0.05L, height}, {0.1L, height}}}, std::nullopt}, whole);
    if (!checked.Ok()) {
        return checked.Error();
    }

    std::vector<RadialOutcome> outcomes(lattice.radials);
    std::atomic<std::size_t> next{0};
    std::atomic<std::size_t> done{0};
    std::atomic<bool> stop{false};
    // The first fault of any thread (no memory, say) ends every thread's work
    // and is thrown again here, once all have stopped.
    std::exception_ptr fault;
    std::mutex faultLock;
    auto work = [&](DemRaster& raster) {
        try {
            RadialWorker worker(raster, request, lattice);
            for (;;) {
                if (stop.load() || (control.cancel != nullptr && control.cancel->load())) {
                    stop = true;
                    return;
                }
                const std::size_t radial = next.fetch_add(1);
                if (radial >= lattice.radials) {
                    return;
                }
                outcomes[radial] = worker.Run(radial);
                done.fetch_add(1);
            }
        } catch (...) {
            const std::lock_guard<std::mutex> hold(faultLock);
            fault = fault ? fault : std::current_exception();
            stop = true;
        }
    };
    std::atomic<bool> finished{false};
    {
        // Joined on leaving, however it is left.
        std::vector<std::jthread> pool;
        std::jthread reporter;
        try {
            for (std::size_t i = 1; i < threads; ++i) {
                pool.emplace_back(work, std::ref(*rasters[i]));
            }
            if (control.progress) {
                reporter = std::jthread([&] {
                    while (!finished.load()) {
                        control.progress(done.load() * lattice.steps, lattice.points.size());
                        std::this_thread::sleep_for(std::chrono::milliseconds(100));
                    }
                });
            }
        } catch (...) {
            stop = true; // no thread to be had: those started stop, and the fault is thrown
            finished = true;
            throw;
        }
        work(*rasters.front());
        for (std::jthread& thread : pool) {
            thread.join();
        }
        finished = true;
    }
    if (fault) {
        std::rethrow_exception(fault);
    }
    if (control.progress) {
        control.progress(done.load() * lattice.steps, lattice.points.size());
    }
    if (stop.load()) {
        lattice.cancelled = true;
        return lattice;
    }

    // The warnings in lattice order, whatever thread met them first.
    std::map<std::string, std::uint32_t> known;
    for (std::size_t radial = 0; radial < lattice.radials; ++radial) {
        RadialOutcome& outcome = outcomes[radial];
        std::vector<std::uint32_t> global(outcome.warnings.size());
        for (std::size_t i = 0; i < outcome.warnings.size(); ++i) {
            auto [at, added] = known.emplace(outcome.warnings[i], static_cast<std::uint32_t>(lattice.warnings.size()));
            if (added) {
                lattice.warnings.push_back(outcome.warnings[i]);
            }
            global[i] = at->second + 1;
        }
        for (std::size_t step = 1; step <= lattice.steps; ++step) {
            CoveragePoint& point = lattice.points[radial * lattice.steps + step - 1];
            if (point.warning != 0) {
                point.warning = global[point.warning - 1];
            }
        }
        lattice.uncomputed += outcome.uncomputed;
        if (lattice.firstGap.empty()) {
            lattice.firstGap = outcome.firstGap;
        }
        lattice.refused += outcome.refused;
        if (lattice.firstRefusal.empty()) {
            lattice.firstRefusal = outcome.firstRefusal;
        }
    }
    return lattice;
}

} // namespace zandrevio
