#pragma once

#include <cstdint>
#include <span>
#include <string_view>

// The band plans' data, one table per family.
namespace zandrevio::bands {

// One run of channels on one raster: channels first..last every `step`,
// the frequency of channel N being baseMHz + unitMHz (N - baseChannel).
struct Run {
    std::int64_t first;
    std::int64_t last;
    std::int64_t step;
    long double baseMHz;
    std::int64_t baseChannel;
    long double unitMHz;
};

// A band: its name, duplex mode and its uplink and downlink runs. The k-th
// channel of an uplink run pairs with the k-th of the downlink run of the
// same index.
struct Band {
    std::string_view name;
    std::string_view duplex;
    Run uplink[2];
    int uplinkRuns;
    Run downlink[2];
    int downlinkRuns;
};

// TS 45.005 table 2-2: P-GSM 900, E-GSM 900, ..., one band each.
std::span<const Band> GsmBands();
// TS 36.101 table 5.7.3-1: the E-UTRA operating bands' EARFCNs.
std::span<const Band> LteBands();
// TS 38.104 tables 5.4.2.1-1 and 5.4.2.3-1: the NR operating bands' NR-ARFCNs
// on the global raster, each on its finest channel raster.
std::span<const Band> NrBands();
// TS 38.104 table 5.4.2.1-1: the global frequency raster, NR-ARFCN 0 to
// 3279165 (0 to 100000 MHz) in three runs of 5, 15 and 60 kHz.
std::span<const Run> NrGlobalRaster();

} // namespace zandrevio::bands
