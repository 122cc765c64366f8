#include "channels/channel_plan.h"

#include "numeric/checked_math.h"

#include <cmath>

namespace zandrevio {

namespace {
const StandardPlan kPlans[] = {
    {45.0L, "45", "200", 0.2L, 200000.0L, 890.100001L, 914.9L, ResultFormat::Result, ResultFormat::Full, 890.2L, 935.2L,
     "GSM channel number must be 1..124", "GSM Frequency must be  890.1 < Frx < 914.9 MHz and 935.1 < Ftx < 959.9 MHz"},
    {45.0L, "45", "30", 0.03L, 30000.0L, 824.03L, 848.98L, ResultFormat::Result, ResultFormat::Result, 825.03L, 870.03L,
     "AMPS channel number must be 1..799, 991..1023",
     "AMPS Frequency must be  824.03 < Frx < 848.98 MHz and 869.03 < Ftx < 893.98 MHz"},
    {10.0L, "10", "25", 0.025L, 25000.0L, 453.0L, 457.48L, ResultFormat::Full, ResultFormat::Full, 453.0L, 463.0L,
     "NMT channel number must be 1..180", "NMT Frequency must be  453 < Frx < 457.48 MHz and 463 < Ftx < 467.48 MHz"},
};

const FieldSpec<ChannelField> kToFrequencyFields[] = {
    {ChannelField::Standard, FieldKind::Choice, "Cellular Standards", "standard", "AMPS", kCellularStandards},
    {ChannelField::Channel, FieldKind::Whole, "Channel number", "number", "1023"},
};
const FieldSpec<ChannelField> kToChannelFields[] = {
    {ChannelField::Standard, FieldKind::Choice, "Cellular Standards", "standard", "AMPS", kCellularStandards},
    {ChannelField::Side, FieldKind::Choice, "Frequencies", "", "BS RX", kDuplexSides},
    {ChannelField::Receive, FieldKind::Real, "BS RX frequency (MHz)", "rx", "825"},
    {ChannelField::Transmit, FieldKind::Real, "BS TX frequency (MHz)", "tx", "870"},
};

// The AMPS channels 991 to 1023 lie below channel 1; the midpoint between
// channel 1023 (825.00 MHz) and channel 1 (825.03 MHz) divides the two runs.
constexpr long double kAmpsRunsMeet = 825.015L;
constexpr std::int32_t kGsmLastChannel = 124;
constexpr std::int32_t kAmpsLastChannel = 1023;

// A raster point counts as hit within a hundred-thousandth of a step.
constexpr long double kOnRaster = 0.00001L;

// Each frequency is the channel term times the raster step, plus the base;
// the transmit frequency has its own base rather than the duplex added.
Frequencies OnRaster(long double term, long double step, long double receiveBase, long double transmitBase)
{
    return {term * step + receiveBase, term * step + transmitBase};
}
} // namespace

// The frequencies are written as the standard's plan says.
const ResultSpec kReceiveFrequency{"BS RX frequency (MHz)", "rx", "MHz", ResultFormat::Result};
const ResultSpec kTransmitFrequency{"BS TX frequency (MHz)", "tx", "MHz", ResultFormat::Result};
const ResultSpec kChannelNumber{"Channel number", "channel", "", ResultFormat::Whole};
const ResultSpec kFrequencyError{"Frequency Error", "frequency-error", "Hz", ResultFormat::Result};
namespace {
const ResultSpec kFrequencyResults[] = {kReceiveFrequency, kTransmitFrequency};
const ResultSpec kChannelResults[] = {kChannelNumber, kFrequencyError};
} // namespace
const CalculationSpec<ChannelField> kChannelToFrequencies{"channel", kToFrequencyFields, kFrequencyResults};
const CalculationSpec<ChannelField> kFrequencyToChannel{"channel", kToChannelFields, kChannelResults};

const StandardPlan& PlanOf(CellularStandard standard)
{
    return kPlans[static_cast<int>(standard)];
}

Outcome<Frequencies, ChannelField> ChannelToFrequencies(const Inputs<ChannelField>& in)
{
    const auto standard = in.Choice<CellularStandard>(ChannelField::Standard);
    const std::int32_t channel = in.Whole(ChannelField::Channel);
    const StandardPlan& plan = PlanOf(standard);
    const long double n = channel;
    switch (standard) {
    case CellularStandard::Gsm:
        if (channel >= 1 && channel <= 124) {
            return OnRaster(n, plan.rasterStep, 890.0L, 935.0L);
        }
        break;
    case CellularStandard::Amps:
        if (channel >= 1 && channel <= 799) {
            return OnRaster(n, plan.rasterStep, 825.0L, 870.0L);
        }
        if (channel >= 991 && channel <= 1023) {
            return OnRaster(n - 991.0L, plan.rasterStep, 824.04L, 869.04L);
        }
        break;
    case CellularStandard::Nmt:
        if (channel >= 1 && channel <= 180) {
            return OnRaster(n - 1.0L, plan.rasterStep, 453.0L, 463.0L);
        }
        break;
    }
    return Refusal<ChannelField>{plan.channelMessage, ChannelField::Channel};
}

Outcome<ChannelAtFrequency, ChannelField> FrequencyToChannel(const Inputs<ChannelField>& in)
{
    const auto standard = in.Choice<CellularStandard>(ChannelField::Standard);
    const auto side = in.Choice<DuplexSide>(ChannelField::Side);
    const long double receive = in.Real(ChannelField::Receive);
    const StandardPlan& plan = PlanOf(standard);
    if (!(receive >= plan.lowestReceive && receive <= plan.highestReceive)) {
        return Refusal<ChannelField>{plan.frequencyMessage,
                                     side == DuplexSide::BsTransmit ? ChannelField::Transmit : ChannelField::Receive};
    }
    // The raster quotient: the channel number as a real.
    long double q = 0.0L;
    long double firstChannel = 0.0L; // the channel number of q = 0
    std::int32_t lastChannel = 0;    // the last channel of this run
    switch (standard) {
    case CellularStandard::Gsm:
        q = (receive - 890.0L) / plan.rasterStep;
        lastChannel = kGsmLastChannel;
        break;
    case CellularStandard::Amps:
        if (receive <= kAmpsRunsMeet) {
            q = (receive - 824.04L) / plan.rasterStep;
            firstChannel = 991.0L;
            lastChannel = kAmpsLastChannel;
        } else {
            q = (receive - 825.0L) / plan.rasterStep;
        }
        break;
    case CellularStandard::Nmt:
        q = (receive - 453.0L) / plan.rasterStep + 1.0L;
        break;
    }
    std::int64_t k = fp::Round(q);
    auto channel = static_cast<std::int32_t>(fp::Round(q + firstChannel));
    // Half a step past the last channel of a run the quotient rounds up to a
    // channel the standard does not have: it belongs to the last channel.
    if (lastChannel != 0 && channel > lastChannel) {
        channel = lastChannel;
        k -= 1;
    }
    const long double offset = q - static_cast<long double>(k);
    return ChannelAtFrequency{channel, fp::Round(offset * plan.hertzPerStep), std::fabs(offset) > kOnRaster};
}

long double TransmitFromReceive(long double receive, long double duplexSpacing)
{
    return fp::Add(receive, duplexSpacing);
}

long double ReceiveFromTransmit(long double transmit, long double duplexSpacing)
{
    return fp::Sub(transmit, duplexSpacing);
}

} // namespace zandrevio
