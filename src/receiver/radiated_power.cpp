#include "receiver/radiated_power.h"

#include "numeric/radio.h"
#include "numeric/real.h"

namespace zandrevio {

using fp::Real;
using Field = RadiatedField;

namespace {
using radio::kDbdToDbi;
using radio::kPi;

const FieldSpec<Field> kFields[] = {
    {Field::Power, FieldKind::Real, "Transmit power (dBm)", "power", "43", {}, {}, {}, true},
    {Field::FeederLoss, FieldKind::Real, "Feeder loss (dB)", "feeder-loss", "2"},
    {Field::OtherLoss, FieldKind::Real, "Other losses (dB)", "other-loss", "0", {}, "combiners, connectors, jumpers"},
    {Field::AntennaGain,
     FieldKind::Real,
     "Antenna gain",
     "antenna-gain",
     "15",
     {},
     "in dBi or dBd as --gain-unit says",
     {},
     true},
    {Field::GainUnit, FieldKind::Choice, "Gain unit", "gain-unit", "dBi", kGainUnits},
    {Field::Distance, FieldKind::Real, "Distance (km)", "distance", "1"},
};

Real Watts(Real dbm)
{
    return fp::Exp10(0.1L * (dbm - 30.0L));
}
} // namespace

const ResultSpec kEirpDbmResult{"EIRP", "eirp", "dBm", ResultFormat::Hundredths};
const ResultSpec kEirpDbwResult{"EIRP in dBW", "eirp-dbw", "dBW", ResultFormat::Hundredths};
const ResultSpec kEirpWattsResult{"EIRP in watts", "eirp-watts", "W", ResultFormat::Result};
const ResultSpec kErpDbmResult{"ERP", "erp", "dBm", ResultFormat::Hundredths};
const ResultSpec kErpDbwResult{"ERP in dBW", "erp-dbw", "dBW", ResultFormat::Hundredths};
const ResultSpec kErpWattsResult{"ERP in watts", "erp-watts", "W", ResultFormat::Result};
const ResultSpec kFluxDensityResult{"Power flux density", "flux-density", "dBW/m²", ResultFormat::Hundredths};
const ResultSpec kRadiatedFieldStrengthResult{"Field strength", "field-strength", "dBµV/m", ResultFormat::Hundredths};
const CalculationSpec<Field> kRadiatedPower{"eirp", kFields, {}};

Outcome<RadiatedPower, Field> RadiatedPowerOf(const Inputs<Field>& in)
{
    const Real power = in.Real(Field::Power);
    const Real feederLoss = in.Real(Field::FeederLoss);
    if (!(feederLoss >= 0.0L)) {
        return Refusal<Field>{"Feeder loss must not be negative", Field::FeederLoss};
    }
    const Real otherLoss = in.Real(Field::OtherLoss);
    if (!(otherLoss >= 0.0L)) {
        return Refusal<Field>{"Other losses must not be negative", Field::OtherLoss};
    }
    Real gainDbi = in.Real(Field::AntennaGain);
    if (in.Choice<GainUnit>(Field::GainUnit) == GainUnit::Dbd) {
        gainDbi = gainDbi + kDbdToDbi;
    }
    const Real distanceKm = in.Real(Field::Distance);
    if (!(distanceKm > 0.0L)) {
        return Refusal<Field>{"Distance must be greater than 0", Field::Distance};
    }
    const Real eirp = power - feederLoss - otherLoss + gainDbi;
    const Real erp = eirp - kDbdToDbi;
    const Real eirpWatts = Watts(eirp);
    const Real metres = distanceKm * 1000.0L;
    // S = p / (4 pi d^2), the free-space power flux density of an EIRP p (W) at d (m)
    const Real flux = eirpWatts / (4.0L * kPi * metres * metres);
    // e = sqrt(30 p) / d, V/m  (ITU-R P.525-4 §2.1, eq. (1))
    const Real field = fp::Sqrt(30.0L * eirpWatts) / metres;
    return RadiatedPower{eirp.Value(),
                         erp.Value(),
                         (eirp - 30.0L).Value(),
                         (erp - 30.0L).Value(),
                         eirpWatts.Value(),
                         Watts(erp).Value(),
                         (10.0L * fp::Log10(flux)).Value(),
                         (20.0L * fp::Log10(field * 1e6L)).Value()};
}

} // namespace zandrevio
