#include "numeric/app_error.h"
#include "numeric/format.h"
#include "separator_guard.h"
#include "units/field_strength.h"
#include "units/unit_tables.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace zandrevio {
namespace {

using test::SeparatorGuard;
using U = FieldStrengthUnit;
using FS = FieldStrengthField;

Outcome<double, FS> FieldStrength(long double value, U from, U to, double z, double f)
{
    int impedance = 0;
    while (kFieldImpedances[impedance].value != z) {
        ++impedance;
    }
    return ConvertFieldStrengthUnit({{FS::Value, value},
                                     {FS::Frequency, f},
                                     {FS::Impedance, impedance},
                                     {FS::From, static_cast<long double>(from)},
                                     {FS::To, static_cast<long double>(to)}});
}

Inputs<UnitField> Units(long double value, int source, int target)
{
    return {{UnitField::Value, value}, {UnitField::From, source}, {UnitField::To, target}};
}
double Traffic(long double value, int source, int target)
{
    return ConvertTrafficUnit(Units(value, source, target));
}
double Length(long double value, int source, int target)
{
    return ConvertLengthUnit(Units(value, source, target));
}
double Weight(long double value, int source, int target)
{
    return ConvertWeightUnit(Units(value, source, target));
}

std::string Convert(long double value, U from, U to, double z = 50, double f = 850)
{
    const auto result = FieldStrength(value, from, to, z, f);
    EXPECT_TRUE(result.Ok());
    return result.Ok() ? FormatResult(result.Value()) : "";
}

struct FieldCase {
    long double value;
    U from;
    U to;
    double z;
    double f;
    const char* shown;
};

TEST(ConvertFieldStrengthUnit, WorkedValues)
{
    SeparatorGuard guard('.');
    const FieldCase cases[] = {
        {1, U::W, U::DBm, 50, 850, "30"},
        {0, U::DBm, U::W, 50, 850, "0.001"},
        {1, U::W, U::MilliW, 50, 850, "1000"},
        {10, U::MilliW, U::DBm, 50, 850, "10"},
        {0, U::DBm, U::DBMicroV, 50, 850, "106.99"},
        {0, U::DBm, U::DBMicroV, 75, 850, "108.75"},
        {-100, U::DBm, U::MicroV, 50, 850, "2.2361"},
        {1000, U::MicroV, U::DBMicroV, 50, 850, "60"},
        {60, U::DBMicroVPerM, U::DBm, 50, 850, "-73.67"},
        {60, U::DBMicroVPerM, U::DBMicroV, 50, 850, "33.32"},
        {1000, U::MicroVPerM, U::MicroV, 50, 850, "46.344"},
        {100, U::MicroVPerM, U::DBMicroVPerM, 50, 850, "40"},
        {100, U::MicroV, U::MicroVPerM, 50, 850, "2157.8"},
        {40, U::DBMicroV, U::DBMicroVPerM, 220, 450, "61.156"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Convert(c.value, c.from, c.to, c.z, c.f), c.shown) << double(c.value) << ' ' << int(c.from);
    }
}

// dBuV = dBm + 90 + 10 log10(Z): 106.99 at 50 ohm, 108.75 at 75 ohm.
TEST(ConvertFieldStrengthUnit, AgreesWithTheDbmToDbuvRelation)
{
    for (double z : {50.0, 75.0, 220.0, 300.0}) {
        for (long double dbm : {-120.0L, -50.0L, 0.0L, 33.0L}) {
            const double dbuv = FieldStrength(dbm, U::DBm, U::DBMicroV, z, 850).Value();
            EXPECT_NEAR(dbuv, dbm + 90.0L + 10.0L * std::log10(static_cast<long double>(z)), 1e-9) << z;
        }
    }
}

TEST(ConvertFieldStrengthUnit, EveryUnitIntoItselfGivesTheValueBack)
{
    SeparatorGuard guard('.');
    for (int unit = 0; unit < 7; ++unit) {
        for (long double value : {1.0L, 0.5L, 123.45L}) {
            EXPECT_EQ(Convert(value, U(unit), U(unit), 75, 900), FormatResult(value)) << unit;
        }
    }
}

TEST(ConvertFieldStrengthUnit, ImpedanceAndFrequencyCancelWhereTheyShould)
{
    SeparatorGuard guard('.');
    for (double z : {50.0, 75.0, 220.0, 300.0}) {
        EXPECT_EQ(Convert(100, U::MicroV, U::MicroVPerM, z, 850), "2157.8") << z;
        EXPECT_EQ(Convert(1, U::W, U::DBm, z, 850), "30") << z;
    }
    for (double f : {1.0, 450.0, 850.0, 2000000.0}) {
        EXPECT_EQ(Convert(100, U::MicroVPerM, U::DBMicroVPerM, 50, f), "40") << f;
        EXPECT_EQ(Convert(1000, U::MicroV, U::DBMicroV, 50, f), "60") << f;
    }
}

TEST(ConvertFieldStrengthUnit, RefusesLinearValuesNotAboveZero)
{
    for (auto [value, unit] : {std::pair{0.0L, U::W}, {-1.0L, U::MicroV}, {0.0L, U::MilliW}, {-5.0L, U::MicroVPerM}}) {
        const auto result = FieldStrength(value, unit, U::DBm, 50, 850);
        ASSERT_FALSE(result.Ok());
        EXPECT_EQ(result.Error().message, "Field Strength in W, mW, uV, uV/m must be greater than 0");
    }
    for (auto [value, unit] : {std::pair{0.0L, U::DBm}, {-30.0L, U::DBMicroV}, {0.0L, U::DBMicroVPerM}}) {
        EXPECT_TRUE(FieldStrength(value, unit, U::W, 50, 850).Ok());
    }
}

FloatingPointFaultKind FaultOf(long double value, U from, U to, double f = 850)
{
    try {
        FieldStrength(value, from, to, 50, f);
    } catch (const FloatingPointFault& fault) {
        return fault.Kind();
    }
    ADD_FAILURE() << "no fault";
    return FloatingPointFaultKind::InvalidOperation;
}

// A field strength per metre at no frequency, or a negative one, has no
// meaning: it divided by zero or gave 0 uV/m (and a negative frequency the
// field strength of the positive one). Refused after the value; a frequency
// the units do not use is not checked.
TEST(ConvertFieldStrengthUnit, RefusesAFrequencyNotAboveZeroForAFieldPerMetre)
{
    const struct {
        U from;
        U to;
    } perMetre[] = {{U::MicroVPerM, U::W},
                    {U::DBMicroVPerM, U::W},
                    {U::W, U::DBMicroVPerM},
                    {U::W, U::MicroVPerM},
                    {U::MicroVPerM, U::DBMicroVPerM}};
    for (const auto& c : perMetre) {
        for (double f : {0.0, -850.0}) {
            const auto result = FieldStrength(1, c.from, c.to, 50, f);
            ASSERT_FALSE(result.Ok()) << int(c.from) << ' ' << int(c.to) << ' ' << f;
            EXPECT_EQ(result.Error().message, "Frequency must be greater than 0");
            EXPECT_EQ(result.Error().field, FS::Frequency);
        }
    }
    EXPECT_EQ(FieldStrength(-1, U::MicroVPerM, U::W, 50, 0).Error().field, FS::Value);
    EXPECT_TRUE(FieldStrength(1, U::W, U::DBm, 50, 0).Ok());
    EXPECT_TRUE(FieldStrength(1000, U::MicroV, U::DBMicroV, 50, -850).Ok());
}

TEST(ConvertFieldStrengthUnit, FaultsLikeTheArithmetic)
{
    EXPECT_EQ(FaultOf(4000, U::DBm, U::W), FloatingPointFaultKind::Overflow);
    EXPECT_EQ(FaultOf(-4000, U::DBm, U::DBm), FloatingPointFaultKind::DivisionByZero);
    EXPECT_EQ(FieldStrength(-4000, U::DBm, U::W, 50, 850).Value(), 0.0);
    EXPECT_EQ(FaultOf(1e400L, U::W, U::W), FloatingPointFaultKind::Overflow);
}

TEST(ToggleSign, PutsOrTakesAMinus)
{
    EXPECT_EQ(ToggleSign("1"), "-1");
    EXPECT_EQ(ToggleSign("-1"), "1");
    EXPECT_EQ(ToggleSign("12"), "-12");
    EXPECT_EQ(ToggleSign(""), "-");
    EXPECT_EQ(ToggleSign("-"), "");
    EXPECT_EQ(ToggleSign("--3"), "-3");
}

TEST(PositiveFrequency, TurnsNegativeFrequenciesPositive)
{
    EXPECT_EQ(PositiveFrequency(-850), 850);
    EXPECT_EQ(PositiveFrequency(850), 850);
    EXPECT_EQ(PositiveFrequency(0), 0);
    EXPECT_EQ(PositiveFrequency(std::numeric_limits<std::int32_t>::min()), std::numeric_limits<std::int32_t>::max());
}

struct TableCase {
    double (*convert)(long double, int, int);
    long double value;
    int source;
    int target;
    const char* shown;
};

TEST(UnitTables, WorkedValues)
{
    SeparatorGuard guard('.');
    const TableCase cases[] = {
        {Traffic, 1, 0, 2, "36"},       {Traffic, 1, 2, 2, "1"},       {Traffic, 1, 3, 2, "1.2"},
        {Traffic, 1, 4, 0, "0.027778"}, {Traffic, 100, 1, 1, "100"},   {Traffic, 1, 2, 0, "0.027778"},
        {Length, 1, 4, 3, "25.4"},      {Length, 1, 6, 1, "1.609"},    {Length, 1, 1, 6, "0.6215"},
        {Length, 1, 0, 5, "3.2808"},    {Length, 1, 7, 5, "3"},        {Weight, 1, 4, 0, "453.59"},
        {Weight, 1, 1, 4, "2.2046"},    {Weight, 1, 0, 3, "0.035273"}, {Weight, 1, 4, 4, "1"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FormatResult(c.convert(c.value, c.source, c.target)), c.shown) << c.source << ' ' << c.target;
    }
}

TEST(UnitTables, FactorsAreThePrintedDecimals)
{
    // Into the base unit, held in double, then out of it.
    EXPECT_EQ(Traffic(1, 2, 2), static_cast<double>(static_cast<double>(0.027777778L) * 36.0L));
    EXPECT_NE(Traffic(1, 2, 2), 1.0);
    EXPECT_EQ(Traffic(1, 3, 0), 0.033333333);
    EXPECT_EQ(Weight(1, 4, 4), static_cast<double>(static_cast<double>(453.59L) * 0.00220463L));
    EXPECT_NEAR(Weight(1, 4, 4), 0.99999812, 1e-8);
}

TEST(UnitTables, IdentityZeroAndUnknownIndexes)
{
    SeparatorGuard guard('.');
    for (auto convert : {Traffic, Length, Weight}) {
        for (int unit = 0; unit < 8; ++unit) {
            EXPECT_EQ(FormatResult(convert(12345, unit, unit)), "12345") << unit;
            EXPECT_EQ(convert(0, unit, 0), 0.0);
            EXPECT_EQ(convert(0, 0, unit), 0.0);
        }
        EXPECT_EQ(convert(7, 99, -1), 7.0);
    }
    EXPECT_THROW(Length(1e400L, 0, 0), FloatingPointFault);
}

} // namespace
} // namespace zandrevio
