#include "units/unit_tables.h"

#include "numeric/checked_math.h"

#include <span>

namespace zandrevio {

namespace {
// A unit's way into the base unit (always a product) and out of it (a
// product, or a quotient where the factor is the unit's own size).
struct UnitRule {
    long double into;
    long double out;
    bool outDivides;
};

// The factors are the decimals as printed; none is derived from another.
const UnitRule kTraffic[] = {
    {1.0L, 1.0L, false},          // Erl
    {0.001L, 1000.0L, false},     // mE / mErl
    {0.027777778L, 36.0L, false}, // CCS
    {0.033333333L, 30.0L, false}, // EBHC
    {0.027777778L, 36.0L, false}, // UC
};
const UnitRule kLength[] = {
    {1.0L, 1.0L, false},      // m
    {1000.0L, 0.001L, false}, // km
    {0.01L, 100.0L, false},   // cm
    {0.001L, 1000.0L, false}, // mm
    {0.0254L, 0.0254L, true}, // inch
    {0.3048L, 0.3048L, true}, // ft
    {1609.0L, 1609.0L, true}, // mile, 1609 m
    {0.9144L, 0.9144L, true}, // yd
};
const UnitRule kWeight[] = {
    {1.0L, 1.0L, false},           // g
    {1000.0L, 0.001L, false},      // kg
    {0.001L, 1000.0L, false},      // mg
    {28.35L, 28.35L, true},        // oz
    {453.59L, 0.00220463L, false}, // lb
};

double Convert(std::span<const UnitRule> table, long double value, int source, int target)
{
    const auto known = [&](int index) { return index >= 0 && static_cast<std::size_t>(index) < table.size(); };
    double x = fp::StoreDouble(value);
    if (known(source)) {
        x = fp::StoreDouble(fp::Mul(x, table[static_cast<std::size_t>(source)].into));
    }
    if (known(target)) {
        const UnitRule& rule = table[static_cast<std::size_t>(target)];
        x = fp::StoreDouble(rule.outDivides ? fp::Div(x, rule.out) : fp::Mul(x, rule.out));
    }
    return x;
}
} // namespace

double ConvertTrafficUnit(long double value, int source, int target)
{
    return Convert(kTraffic, value, source, target);
}

double ConvertLengthUnit(long double value, int source, int target)
{
    return Convert(kLength, value, source, target);
}

double ConvertWeightUnit(long double value, int source, int target)
{
    return Convert(kWeight, value, source, target);
}

} // namespace zandrevio
