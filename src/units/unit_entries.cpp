#include "units/unit_entries.h"

#include "units/field_strength.h"
#include "units/unit_tables.h"

namespace zandrevio {

namespace {
// The converted value carries the target unit as its unit.
template <typename Field>
void InTargetUnit(Reply& reply, const CalculationSpec<Field>& calculation, Field to, const Inputs<Field>& in)
{
    reply.results.front().unit = SpecOf(calculation, to).choices[static_cast<std::size_t>(in.Index(to))].text;
}

template <const CalculationSpec<UnitField>& Spec, double (*Convert)(const Inputs<UnitField>&)>
Calculation Units()
{
    Calculation units;
    units.variants = {MakeVariant<UnitField, double>(
        {}, Spec, NeverRefused<double, UnitField, Convert>, {{&kConvertedValue, Whole<double>}},
        {nullptr, [](Reply& reply, const double&, const Inputs<UnitField>& in) {
             InTargetUnit(reply, Spec, UnitField::To, in);
         }})};
    return units;
}
} // namespace

Calculation FieldStrengthCalculation()
{
    Calculation field;
    field.variants = {MakeVariant<FieldStrengthField, double>(
        {}, kFieldStrengthConversion, ConvertFieldStrengthUnit, {{&kConvertedValue, Whole<double>}},
        {nullptr, [](Reply& reply, const double&, const Inputs<FieldStrengthField>& in) {
             InTargetUnit(reply, kFieldStrengthConversion, FieldStrengthField::To, in);
         }})};
    return field;
}

Calculation TrafficUnitCalculation()
{
    return Units<kTrafficUnitConversion, ConvertTrafficUnit>();
}

Calculation LengthUnitCalculation()
{
    return Units<kLengthUnitConversion, ConvertLengthUnit>();
}

Calculation WeightUnitCalculation()
{
    return Units<kWeightUnitConversion, ConvertWeightUnit>();
}

} // namespace zandrevio
