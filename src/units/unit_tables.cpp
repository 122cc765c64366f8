#include "units/unit_tables.h"

#include "numeric/radio.h"

#include <vector>

namespace zandrevio {

namespace {
// A unit's names on the source and the target side, its way into the base
// unit (always a product) and out of it (a product, or a quotient where the
// factor is the unit's own size).
struct UnitRule {
    std::string_view from;
    std::string_view to;
    long double into;
    long double out;
    bool outDivides;
};

// The factors are the decimals as printed; none is derived from another.
const UnitRule kTraffic[] = {
    {"Erl", "Erl", 1.0L, 1.0L, false},          {"mE", "mErl", 0.001L, 1000.0L, false},
    {"CCS", "CCS", 0.027777778L, 36.0L, false}, {"EBHC", "EBHC", 0.033333333L, 30.0L, false},
    {"UC", "UC", 0.027777778L, 36.0L, false},
};
const UnitRule kLength[] = {
    {"m", "m", 1.0L, 1.0L, false},
    {"km", "km", 1000.0L, 0.001L, false},
    {"cm", "cm", 0.01L, 100.0L, false},
    {"mm", "mm", 0.001L, 1000.0L, false},
    {"inch", "inch", 0.0254L, 0.0254L, true},
    {"ft", "ft", radio::kMetresPerFoot, radio::kMetresPerFoot, true},
    {"mile", "mile", 1609.0L, 1609.0L, true}, // 1609 m
    {"yd", "yd", 0.9144L, 0.9144L, true},
};
const UnitRule kWeight[] = {
    {"g", "g", 1.0L, 1.0L, false},      {"kg", "kg", 1000.0L, 0.001L, false},      {"mg", "mg", 0.001L, 1000.0L, false},
    {"oz", "oz", 28.35L, 28.35L, true}, {"lb", "lb", 453.59L, 0.00220463L, false},
};

std::vector<Choice> Names(std::span<const UnitRule> table, bool target)
{
    std::vector<Choice> names;
    for (const UnitRule& rule : table) {
        const std::string_view name = target ? rule.to : rule.from;
        names.push_back({name, name});
    }
    return names;
}

double Convert(std::span<const UnitRule> table, const Inputs<UnitField>& in)
{
    const long double value = in.Real(UnitField::Value);
    const int source = in.Index(UnitField::From);
    const int target = in.Index(UnitField::To);
    const auto known = [&](int index) { return index >= 0 && static_cast<std::size_t>(index) < table.size(); };
    fp::Real x = fp::StoreDouble(value);
    if (known(source)) {
        x = fp::StoreDouble((x * table[static_cast<std::size_t>(source)].into).Value());
    }
    if (known(target)) {
        const UnitRule& rule = table[static_cast<std::size_t>(target)];
        x = fp::StoreDouble((rule.outDivides ? x / rule.out : x * rule.out).Value());
    }
    return static_cast<double>(x.Value());
}

const FieldSpec<UnitField> kTrafficFields[] = {
    {UnitField::Value, FieldKind::Real, "Traffic value", "value", "1"},
    {UnitField::From, FieldKind::Choice, "Traffic from", "from", "Erl", TrafficUnitsFrom()},
    {UnitField::To, FieldKind::Choice, "Traffic to", "to", "CCS", TrafficUnitsTo()},
};
const FieldSpec<UnitField> kLengthFields[] = {
    {UnitField::Value, FieldKind::Real, "Length value", "value", "1"},
    {UnitField::From, FieldKind::Choice, "Length from", "from", "inch", LengthUnits()},
    {UnitField::To, FieldKind::Choice, "Length to", "to", "mm", LengthUnits()},
};
const FieldSpec<UnitField> kWeightFields[] = {
    {UnitField::Value, FieldKind::Real, "Weight value", "value", "1"},
    {UnitField::From, FieldKind::Choice, "Weight from", "from", "lb", WeightUnits()},
    {UnitField::To, FieldKind::Choice, "Weight to", "to", "g", WeightUnits()},
};
} // namespace

std::span<const Choice> TrafficUnitsFrom()
{
    static const std::vector<Choice> names = Names(kTraffic, false);
    return names;
}

std::span<const Choice> TrafficUnitsTo()
{
    static const std::vector<Choice> names = Names(kTraffic, true);
    return names;
}

std::span<const Choice> LengthUnits()
{
    static const std::vector<Choice> names = Names(kLength, false);
    return names;
}

std::span<const Choice> WeightUnits()
{
    static const std::vector<Choice> names = Names(kWeight, false);
    return names;
}

const ResultSpec kConvertedValue{"Converted value", "value", "", ResultFormat::Result};
const CalculationSpec<UnitField> kTrafficUnitConversion{"traffic", kTrafficFields, {&kConvertedValue, 1}};
const CalculationSpec<UnitField> kLengthUnitConversion{"length", kLengthFields, {&kConvertedValue, 1}};
const CalculationSpec<UnitField> kWeightUnitConversion{"weight", kWeightFields, {&kConvertedValue, 1}};

double ConvertTrafficUnit(const Inputs<UnitField>& in)
{
    return Convert(kTraffic, in);
}

double ConvertLengthUnit(const Inputs<UnitField>& in)
{
    return Convert(kLength, in);
}

double ConvertWeightUnit(const Inputs<UnitField>& in)
{
    return Convert(kWeight, in);
}

} // namespace zandrevio
