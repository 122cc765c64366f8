// Opens elevation data through the module zandrevio_dem, loaded the first
// time it is needed: GDAL and what it needs stay out of every start.
#include "terrain/dem_raster.h"

#include <dlfcn.h>

#include <cstdlib>
#include <mutex>

namespace zandrevio {

namespace {

constexpr const char* kModuleFile = "zandrevio_dem.so";

// Where the module may be, in the order it is looked for.
std::vector<std::filesystem::path> Candidates()
{
    std::vector<std::filesystem::path> places;
    if (const char* given = std::getenv("ZANDREVIO_DEM_MODULE"); given != nullptr && *given != '\0') {
        places.emplace_back(given);
        return places; // a module named outright is the only one tried
    }
    // Beside the program or the library (the Python module) this code is in.
    Dl_info self{};
    if (dladdr(reinterpret_cast<void*>(&Candidates), &self) != 0 && self.dli_fname != nullptr) {
        std::error_code error;
        std::filesystem::path binary = std::filesystem::canonical("/proc/self/exe", error);
        const std::filesystem::path object(self.dli_fname);
        // dladdr names the executable as it was started; /proc gives its real place.
        const std::filesystem::path here =
            object.extension() == ".so" ? std::filesystem::absolute(object, error) : binary;
        if (!here.empty()) {
            places.push_back(here.parent_path() / kModuleFile);
        }
    }
#ifdef ZANDREVIO_DEM_INSTALLED
    places.emplace_back(ZANDREVIO_DEM_INSTALLED);
#endif
#ifdef ZANDREVIO_DEM_BUILT
    places.emplace_back(ZANDREVIO_DEM_BUILT);
#endif
    return places;
}

DemModuleLoad Load()
{
    DemModuleLoad load;
    std::string tried;
    for (const std::filesystem::path& place : Candidates()) {
        std::error_code error;
        if (!std::filesystem::exists(place, error)) {
            if (!tried.empty()) {
                tried += ", ";
            }
            tried += place.string();
            continue;
        }
        // Never closed: the rasters it opens live on in the program.
        void* module = dlopen(place.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (module == nullptr) {
            const char* why = dlerror();
            load.fault = "elevation data needs GDAL, which could not be loaded (" +
                std::string(why != nullptr ? why : place.string()) + ")";
            return load;
        }
        load.open = reinterpret_cast<DemOpenFunction>(dlsym(module, kDemOpenSymbol));
        load.write = reinterpret_cast<MapWriteFunction>(dlsym(module, "zandrevio_write_map"));
        load.contours = reinterpret_cast<ContourWriteFunction>(dlsym(module, "zandrevio_write_contours"));
        load.overlay = reinterpret_cast<OverlayWriteFunction>(dlsym(module, "zandrevio_write_overlay"));
        load.fingerprint = reinterpret_cast<FingerprintFunction>(dlsym(module, "zandrevio_fingerprint"));
        load.mosaic = reinterpret_cast<MosaicFunction>(dlsym(module, "zandrevio_build_mosaic"));
        if (load.open == nullptr || load.write == nullptr || load.contours == nullptr || load.overlay == nullptr ||
            load.fingerprint == nullptr || load.mosaic == nullptr) {
            load.fault = "elevation data cannot be read: " + place.string() + " is no elevation reader of this program";
        }
        return load;
    }
    load.fault = "elevation data cannot be read: the elevation reader " + std::string(kModuleFile) +
        " was not found (looked for " + tried + ")";
    return load;
}

} // namespace

const DemModuleLoad& DemModule()
{
    static const DemModuleLoad load = Load();
    return load;
}

TerrainOutcome<std::shared_ptr<DemRaster>> DemRaster::Open(const std::vector<std::filesystem::path>& files)
{
    const DemModuleLoad& module = DemModule();
    if (module.open == nullptr) {
        return TerrainOutcome<std::shared_ptr<DemRaster>>::Failure(module.fault);
    }
    auto opened = TerrainOutcome<std::shared_ptr<DemRaster>>::Failure("the elevation reader gave no answer");
    module.open(files, opened);
    return opened;
}

} // namespace zandrevio
