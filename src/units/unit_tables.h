#pragma once

#include "calculation/calculation.h"

#include <span>

// Traffic, length and weight: each value goes into a base unit (Erlang,
// metre, gram) by the source unit's factor and out of it by the target
// unit's rule, held in double precision after each step.
namespace zandrevio {

// The three converters' fields: a value, its unit and the unit wanted.
enum class UnitField { Value, From, To };

extern const CalculationSpec<UnitField> kTrafficUnitConversion;
extern const CalculationSpec<UnitField> kLengthUnitConversion;
extern const CalculationSpec<UnitField> kWeightUnitConversion;
extern const ResultSpec kConvertedValue;

// The source and target pickers' items; the milli-Erlang reads "mE" on the
// source side and "mErl" on the target side.
std::span<const Choice> TrafficUnitsFrom();
std::span<const Choice> TrafficUnitsTo();
std::span<const Choice> LengthUnits();
std::span<const Choice> WeightUnits();

// Each reads the value, then the source and the target unit.
double ConvertTrafficUnit(const Inputs<UnitField>& in);
double ConvertLengthUnit(const Inputs<UnitField>& in);
double ConvertWeightUnit(const Inputs<UnitField>& in);

} // namespace zandrevio
