#include "receiver/receiver_results.h"

namespace zandrevio {

const ResultSpec kCascadeGainResult{"Total gain", "gain", "dB", ResultFormat::Hundredths};
const ResultSpec kCascadeIip3Result{"Input IP3", "iip3", "dBm", ResultFormat::Hundredths};
const ResultSpec kCascadeOip3Result{"Output IP3", "oip3", "dBm", ResultFormat::Hundredths};
const ResultSpec kCascadeIp1dbResult{"Input P1dB", "ip1db", "dBm", ResultFormat::Hundredths};
const ResultSpec kCascadeOp1dbResult{"Output P1dB", "op1db", "dBm", ResultFormat::Hundredths};
const ResultSpec kCascadeSfdrResult{"Spurious-free dynamic range", "sfdr", "dB", ResultFormat::Hundredths};
const ResultSpec kStageNameResult{"Stage", "stage", "", ResultFormat::Text};
const ResultSpec kStageGainResult{"Gain to this stage", "stage-gain", "dB", ResultFormat::Hundredths};
const ResultSpec kStageNoiseFigureResult{"Noise figure to this stage", "stage-noise-figure", "dB",
                                         ResultFormat::Hundredths};
const ResultSpec kStageNoiseShareResult{"Share of the added noise", "noise-share", "%", ResultFormat::Hundredths};
const ResultSpec kStageIp3ShareResult{"Share of the intermodulation", "ip3-share", "%", ResultFormat::Hundredths};

const ResultSpec kProductCountResult{"Products in the bands", "products", "", ResultFormat::Whole};
const ResultSpec kOrderCountResults[] = {
    {"Products of order 2", "order-2", "", ResultFormat::Whole},
    {"Products of order 3", "order-3", "", ResultFormat::Whole},
    {"Products of order 4", "order-4", "", ResultFormat::Whole},
    {"Products of order 5", "order-5", "", ResultFormat::Whole},
    {"Products of order 6", "order-6", "", ResultFormat::Whole},
    {"Products of order 7", "order-7", "", ResultFormat::Whole},
};
const ResultSpec kProductFrequencyResult{"Frequency", "frequency", "MHz", ResultFormat::Full};
const ResultSpec kProductOrderResult{"Order", "order", "", ResultFormat::Whole};
const ResultSpec kProductTermsResult{"Product", "product", "", ResultFormat::Text};
const ResultSpec kProductBandResult{"Band", "band", "", ResultFormat::Whole};

std::string IntermodProductText(const IntermodProduct& product)
{
    std::string text;
    for (const bool added : {true, false}) {
        for (const IntermodTerm& term : product.Terms()) {
            if ((term.coefficient > 0) != added) {
                continue;
            }
            const int magnitude = added ? term.coefficient : -term.coefficient;
            text += added ? (text.empty() ? "" : "+") : "-";
            text += (magnitude > 1 ? std::to_string(magnitude) : "") + "f" + std::to_string(term.carrier + 1);
        }
    }
    return text;
}

} // namespace zandrevio
