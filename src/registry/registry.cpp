#include "registry/registry.h"

#include "antenna/antenna_entries.h"
#include "channels/channel_entries.h"
#include "coverage/coverage_entries.h"
#include "coverage/server_entries.h"
#include "feeder/feeder_entries.h"
#include "fixed_link/availability_entries.h"
#include "itm/itm_entries.h"
#include "patterns/pattern_entries.h"
#include "propagation/path_entries.h"
#include "propagation/propagation_entries.h"
#include "receiver/receiver_entries.h"
#include "traffic/traffic_entries.h"
#include "units/unit_entries.h"

#include <algorithm>
#include <iterator>
#include <mutex>
#include <stdexcept>
#include <vector>

namespace zandrevio {

namespace {
// One row a calculation: its name, its summary, and what builds it.
struct Entry {
    std::string_view name;
    std::string_view summary;
    Calculation (*make)();
};

const Entry kCalculations[] = {
    {"channel", "Channel number to carrier frequencies and back", ChannelCalculation},
    {"band", "Today's band plans: channel to uplink and downlink frequency and back", BandCalculation},
    {"link-budget", "Downlink path loss and the power the mobile receives", LinkBudgetCalculation},
    {"path-loss", "Path loss by free space, two-wave, Hata or COST-231 Hata, with validity warnings",
     PathLossCalculation},
    {"cell-range", "Maximum allowed path loss, cell radius and hexagonal cell area by Hata or COST-231 Hata",
     CellRangeCalculation},
    {"path",
     "A link over terrain: clearance of the Fresnel zone, free-space loss (ITU-R P.525, exact c) and diffraction "
     "loss, the budget",
     PathCalculation},
    {"itm", "Longley-Rice (ITM 1.2.2): loss and mode over a profile or in area mode, with its variability",
     ItmCalculation},
    {"coverage",
     "A site's path loss and received level over an area of elevation data, as a GeoTIFF map and a lattice of points",
     CoverageCalculation},
    {"best-server", "Many sites' best server, its level, margin, C/I and overlap at a point, as their map gives them",
     BestServerCalculation},
    {"coverage-mosaic", "Tiles of a map of many sites joined into one VRT", MosaicCalculation},
    {"availability", "A fixed link's outage from rain and multipath at a fade margin, or the margin for a target",
     AvailabilityCalculation},
    {"rain-attenuation", "Rain's specific attenuation and the attenuation exceeded for a percentage of the year",
     RainAttenuationCalculation},
    {"noise", "Thermal noise kTB in a bandwidth, the noise floor and the sensitivity of a receiver", NoiseCalculation},
    {"noise-figure", "A noise figure as noise factor and noise temperature, from any of the three",
     NoiseFigureCalculation},
    {"cascade", "A receiver chain's gain, noise figure, intercept and compression points, stage by stage",
     CascadeCalculation},
    {"intermod", "Intermodulation products of order 2 to 7 of up to 32 carriers that land in receive bands",
     IntermodCalculation},
    {"eirp", "EIRP and ERP of a transmitter, and the flux density and field strength at a distance", EirpCalculation},
    {"ebno", "Eb/N0, SNR and C/N0 from one another at a bit rate and a noise bandwidth", EbnoCalculation},
    {"capacity", "Shannon's capacity of a bandwidth at an SNR, or the SNR a capacity needs", CapacityCalculation},
    {"traffic", "Channels, traffic and grade of service: two give the third", TrafficCalculation},
    {"subscribers", "Traffic of subscribers at a calling rate, and back", SubscribersCalculation},
    {"service-level", "Erlang C queues: waiting probability, service level, speed of answer; or servers needed",
     ServiceLevelCalculation},
    {"extended-erlang-b", "Blocking with retries, or channels for a blocking, by Extended Erlang B",
     ExtendedErlangBCalculation},
    {"cable-loss", "Loss of a length of catalogue cable", CableLossCalculation},
    {"vswr", "VSWR from forward and reflected power", VswrCalculation},
    {"corrected-vswr", "Antenna VSWR corrected for the feeder loss", CorrectedVswrCalculation},
    {"short-vswr", "Cable loss from the VSWR of the cable shorted at its far end", ShortVswrCalculation},
    {"reflection", "Reflection coefficient or return loss of a VSWR", ReflectionCalculation},
    {"downtilt", "Gain of a down-tilted antenna over ground distance, 0.2 to 1.6 km", DowntiltCalculation},
    {"isolation", "Isolation between two antennas", IsolationCalculation},
    {"pattern", "An antenna pattern file's gain toward a direction, its beamwidths, front-to-back and tilt",
     PatternCalculation},
    {"convert-field-strength", "Field strength and power units", FieldStrengthCalculation},
    {"convert-traffic", "Traffic units", TrafficUnitCalculation},
    {"convert-length", "Length units", LengthUnitCalculation},
    {"convert-weight", "Weight units", WeightUnitCalculation},
};
} // namespace

std::vector<std::string> NameClashes(const Calculation& calculation)
{
    std::vector<std::string> clashes;
    for (const Variant& variant : calculation.variants) {
        for (std::size_t i = 0; i < variant.results.size(); ++i) {
            const std::string_view name = variant.results[i]->name;
            for (std::string_view reserved : kReservedColumns) {
                if (SameWithoutCase(name, reserved)) {
                    clashes.push_back(std::string(calculation.name) + ": a result is named " + std::string(reserved));
                }
            }
            for (std::size_t j = 0; j < i; ++j) {
                if (SameWithoutCase(variant.results[j]->name, name)) {
                    clashes.push_back(std::string(calculation.name) + ": two results are named " + std::string(name));
                }
            }
        }
    }
    return clashes;
}

namespace {
constexpr std::size_t kCount = std::size(kCalculations);

// Each calculation in its place, built on first use: a start pays for the
// one it runs, not for every one.
struct Built {
    std::vector<Calculation> calculations = std::vector<Calculation>(kCount);
    std::once_flag once[kCount];
};
Built& Storage()
{
    static Built built;
    return built;
}
} // namespace

std::span<const std::string_view> CalculationNames()
{
    static const std::vector<std::string_view> names = [] {
        std::vector<std::string_view> all;
        for (const Entry& entry : kCalculations) {
            all.push_back(entry.name);
        }
        return all;
    }();
    return names;
}

const Calculation& CalculationAt(std::size_t index)
{
    Built& built = Storage();
    std::call_once(built.once[index], [&] {
        const Entry& entry = kCalculations[index];
        Calculation made = entry.make();
        made.name = entry.name;
        made.summary = entry.summary;
        // A result named as a batch's own column would lose one of them.
        if (const auto clashes = NameClashes(made); !clashes.empty()) {
            throw std::logic_error(clashes.front());
        }
        built.calculations[index] = std::move(made);
    });
    return built.calculations[index];
}

std::span<const Calculation> Calculations()
{
    for (std::size_t i = 0; i < kCount; ++i) {
        CalculationAt(i);
    }
    return Storage().calculations;
}

std::ptrdiff_t CalculationIndex(std::string_view name)
{
    std::string wanted(name);
    std::replace(wanted.begin(), wanted.end(), ' ', '-');
    for (std::size_t i = 0; i < kCount; ++i) {
        if (SameWithoutCase(kCalculations[i].name, wanted)) {
            return static_cast<std::ptrdiff_t>(i);
        }
    }
    return -1;
}

const Calculation* FindCalculation(std::string_view name)
{
    const std::ptrdiff_t index = CalculationIndex(name);
    return index < 0 ? nullptr : &CalculationAt(static_cast<std::size_t>(index));
}

const Calculation& RegisteredCalculation(std::string_view name)
{
    const Calculation* calculation = FindCalculation(name);
    if (calculation == nullptr) {
        throw std::logic_error("no calculation is named " + std::string(name));
    }
    return *calculation;
}

} // namespace zandrevio
