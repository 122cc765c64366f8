#pragma once

#include <optional>
#include <string>
#include <variant>
#include <vector>

// A receiver chain of stages in order (LNA, feeder, filter, mixer, ...): its
// gain, noise figure and intercept points as a whole, and how much each
// stage adds to its noise and takes from its linearity.
namespace zandrevio {

struct CascadeStage {
    std::string name;
    long double gainDb = 0.0L;                // negative for a loss
    std::optional<long double> noiseFigureDb; // a passive loss's is its loss (at 290 K) when not given
    std::optional<long double> oip3Dbm;       // output third-order intercept
    std::optional<long double> op1dbDbm;      // output 1 dB compression point
};

struct StageShare {
    long double gainDb;                  // the chain's gain up to and with this stage
    long double noiseFigureDb;           // the chain's noise figure up to and with this stage
    long double noiseShare;              // % of the noise the chain adds
    std::optional<long double> ip3Share; // % of the chain's third-order intermodulation
};

struct CascadeResult {
    long double gainDb;
    long double noiseFigureDb;
    long double noiseTemperatureK;
    std::optional<long double> oip3Dbm, iip3Dbm, op1dbDbm, ip1dbDbm;
    long double noiseFloorDbm;  // input-referred, in the bandwidth
    long double sensitivityDbm; // the floor plus the SNR needed
    std::optional<long double> sfdrDb;
    std::vector<StageShare> stages;
};

// Why a chain cannot be worked out: the message and the stage (0-based),
// or none where the chain as a whole is at fault.
struct CascadeRefusal {
    std::string message;
    std::optional<std::size_t> stage;
};

// The chain in a bandwidth (kHz) with the SNR its demodulator needs (dB).
// Refused: no stage, an active stage (gain 0 dB or more) without a noise
// figure, a noise figure below 0 dB, a bandwidth not above 0.
std::variant<CascadeResult, CascadeRefusal> Cascade(const std::vector<CascadeStage>& stages, long double bandwidthKhz,
                                                    long double snrDb);

} // namespace zandrevio
