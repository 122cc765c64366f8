#pragma once

#include "calculation/calculation.h"

#include <cstdint>
#include <string>

// Conversions of a signal level between power, voltage across an impedance
// and field strength at a frequency, always through the power in watts.
namespace zandrevio {

enum class FieldStrengthUnit { W = 0, MilliW, MicroV, MicroVPerM, DBm, DBMicroV, DBMicroVPerM };
inline constexpr Choice kFieldStrengthUnits[] = {
    {"W", "W"}, {"mW", "mW"}, {"uV", "uV"}, {"uV/m", "uV/m"}, {"dBm", "dBm"}, {"dBuV", "dBuV"}, {"dBuV/m", "dBuV/m"}};
// The impedances of the "Impedans [Ohm]" group, with their ohms.
inline constexpr Choice kFieldImpedances[] = {
    {"50", "50", 50.0L}, {"75", "75", 75.0L}, {"220", "220", 220.0L}, {"300", "300", 300.0L}};

enum class FieldStrengthField { Value, Frequency, Impedance, From, To };
extern const CalculationSpec<FieldStrengthField> kFieldStrengthConversion;
extern const ResultSpec kFieldStrengthResult;

// The value in the output unit, or the refusal of a linear value not above 0,
// then of a frequency not above 0 where either unit is per metre. Reads the
// value, the frequency, the impedance, then both units. The value, the power
// and the result are held in double precision.
Outcome<double, FieldStrengthField> ConvertFieldStrengthUnit(const Inputs<FieldStrengthField>& in);

// The "-/+" button: takes a leading minus away or puts one in front.
std::string ToggleSign(const std::string& text);

// A frequency field turns positive when it is left.
std::int32_t PositiveFrequency(std::int32_t frequencyMHz);

} // namespace zandrevio
