#include "receiver/signal_quality.h"

#include "numeric/real.h"

namespace zandrevio {

using fp::Real;
using Field = SignalField;

namespace {
const FieldSpec<Field> kRate{Field::BitRate, FieldKind::Real, "Bit rate (kbit/s)", "bit-rate", "270.833"};
const FieldSpec<Field> kBandwidth{Field::Bandwidth, FieldKind::Real, "Noise bandwidth (kHz)", "bandwidth", "200"};
const FieldSpec<Field> kEbnoFields[] = {kRate, kBandwidth, {Field::Ebno, FieldKind::Real, "Eb/N0 (dB)", "ebno", "10", {}, {}, {}, true}};
const FieldSpec<Field> kSnrFields[] = {kRate, kBandwidth, {Field::Snr, FieldKind::Real, "SNR (dB)", "snr", "10", {}, {}, {}, true}};
const FieldSpec<Field> kCn0Fields[] = {kRate, kBandwidth, {Field::Cn0, FieldKind::Real, "C/N0 (dB-Hz)", "cn0", "64", {}, {}, {}, true}};
const FieldSpec<Field> kCapacityOfSnrFields[] = {kBandwidth, {Field::Snr, FieldKind::Real, "SNR (dB)", "snr", "10", {}, {}, {}, true}};
const FieldSpec<Field> kSnrForCapacityFields[] = {
    kBandwidth, {Field::Capacity, FieldKind::Real, "Capacity (kbit/s)", "capacity", "1000"}};

const char* const kRateMessage = "Bit rate must be greater than 0";
const char* const kBandwidthMessage = "Bandwidth must be greater than 0";

// 10 log10 of a rate or bandwidth given in thousands.
Real DbOfThousands(Real value)
{
    return 10.0L * fp::Log10(value * 1000.0L);
}

// The three from C/N0: Eb/N0 = C/N0 - 10 log10(Rb), SNR = C/N0 - 10 log10(B)
// (Sklar, Digital Communications, 2nd ed., eq. 3.30: Eb/N0 = (S/N)(W/R))
Outcome<SignalToNoise, Field> FromCn0(Real cn0, Real rate, Real bandwidth)
{
    return SignalToNoise{(cn0 - DbOfThousands(rate)).Value(), (cn0 - DbOfThousands(bandwidth)).Value(), cn0.Value()};
}

// The rate and bandwidth, both checked, or the refusal.
template <typename Then>
Outcome<SignalToNoise, Field> WithRateAndBandwidth(const Inputs<Field>& in, Then then)
{
    const Real rate = in.Real(Field::BitRate);
    if (!(rate > 0.0L)) {
        return Refusal<Field>{kRateMessage, Field::BitRate};
    }
    const Real bandwidth = in.Real(Field::Bandwidth);
    if (!(bandwidth > 0.0L)) {
        return Refusal<Field>{kBandwidthMessage, Field::Bandwidth};
    }
    return then(rate, bandwidth);
}
} // namespace

const ResultSpec kEbnoResult{"Eb/N0", "ebno", "dB", ResultFormat::Hundredths};
const ResultSpec kSnrResult{"SNR", "snr", "dB", ResultFormat::Hundredths};
const ResultSpec kCn0Result{"C/N0", "cn0", "dB-Hz", ResultFormat::Hundredths};
const ResultSpec kCapacityResult{"Capacity", "capacity", "kbit/s", ResultFormat::Result};
const ResultSpec kEfficiencyResult{"Spectral efficiency", "efficiency", "bit/s/Hz", ResultFormat::Result};
const CalculationSpec<Field> kFromEbno{"ebno", kEbnoFields, {}};
const CalculationSpec<Field> kFromSnr{"ebno", kSnrFields, {}};
const CalculationSpec<Field> kFromCn0{"ebno", kCn0Fields, {}};
const CalculationSpec<Field> kCapacityOfSnr{"capacity", kCapacityOfSnrFields, {}};
const CalculationSpec<Field> kSnrForCapacity{"capacity", kSnrForCapacityFields, {}};

Outcome<SignalToNoise, Field> SignalFromEbno(const Inputs<Field>& in)
{
    return WithRateAndBandwidth(in, [&](Real rate, Real bandwidth) {
        return FromCn0(Real(in.Real(Field::Ebno)) + DbOfThousands(rate), rate, bandwidth);
    });
}

Outcome<SignalToNoise, Field> SignalFromSnr(const Inputs<Field>& in)
{
    return WithRateAndBandwidth(in, [&](Real rate, Real bandwidth) {
        return FromCn0(Real(in.Real(Field::Snr)) + DbOfThousands(bandwidth), rate, bandwidth);
    });
}

Outcome<SignalToNoise, Field> SignalFromCn0(const Inputs<Field>& in)
{
    return WithRateAndBandwidth(
        in, [&](Real rate, Real bandwidth) { return FromCn0(in.Real(Field::Cn0), rate, bandwidth); });
}

// C = B log2(1 + S/N)  (Shannon, Bell Syst. Tech. J. 27 (1948), Theorem 17)
Outcome<ShannonCapacity, Field> CapacityOfSnr(const Inputs<Field>& in)
{
    const Real bandwidth = in.Real(Field::Bandwidth);
    if (!(bandwidth > 0.0L)) {
        return Refusal<Field>{kBandwidthMessage, Field::Bandwidth};
    }
    const Real snrDb = in.Real(Field::Snr);
    const Real efficiency = fp::Ln(1.0L + fp::Exp10(0.1L * snrDb)) / fp::Ln(Real(2.0L));
    return ShannonCapacity{(bandwidth * efficiency).Value(), efficiency.Value(), snrDb.Value()};
}

// S/N = 2^(C / B) - 1, the same law solved for the SNR
Outcome<ShannonCapacity, Field> SnrForCapacity(const Inputs<Field>& in)
{
    const Real bandwidth = in.Real(Field::Bandwidth);
    if (!(bandwidth > 0.0L)) {
        return Refusal<Field>{kBandwidthMessage, Field::Bandwidth};
    }
    const Real capacity = in.Real(Field::Capacity);
    if (!(capacity > 0.0L)) {
        return Refusal<Field>{"Capacity must be greater than 0", Field::Capacity};
    }
    const Real efficiency = capacity / bandwidth;
    const Real snr = Real(fp::Exp((efficiency * fp::Ln(Real(2.0L))).Value())) - 1.0L;
    return ShannonCapacity{capacity.Value(), efficiency.Value(), (10.0L * fp::Log10(snr)).Value()};
}

} // namespace zandrevio
