#include "feeder/cable_catalogue.h"
#include "feeder/matching.h"
#include "numeric/app_error.h"
#include "numeric/format.h"
#include "separator_guard.h"

#include <gtest/gtest.h>

#include <cmath>

namespace zandrevio {
namespace {

using test::SeparatorGuard;
constexpr auto k50 = CableImpedance::Ohm50;
constexpr auto k75 = CableImpedance::Ohm75;
using M = MatchingField;

std::vector<std::string> CableNames(CableImpedance impedance)
{
    std::vector<std::string> names;
    for (const Choice& choice : CableChoices(impedance)) {
        names.emplace_back(choice.text);
    }
    return names;
}

Outcome<long double, CableField> CableLoss(CableImpedance impedance, int index, long double length, bool inFeet,
                                           long double frequencyMHz)
{
    return zandrevio::CableLoss({{CableField::Impedance, static_cast<long double>(impedance)},
                                 {CableField::Cable, index},
                                 {CableField::Length, length},
                                 {CableField::LengthUnit, inFeet ? 1 : 0},
                                 {CableField::Frequency, frequencyMHz}});
}

Outcome<long double, M> VswrFromPowers(Input forward, Input reflected)
{
    return zandrevio::VswrFromPowers({{M::Forward, forward}, {M::Reflected, reflected}});
}

Outcome<long double, M> CorrectedAntennaVswr(Input measured, Input loss)
{
    return zandrevio::CorrectedAntennaVswr({{M::MeasuredVswr, measured}, {M::FeederLoss, loss}});
}

Outcome<long double, M> CableLossFromShortVswr(long double vswr)
{
    return zandrevio::CableLossFromShortVswr({{M::ShortVswr, vswr}});
}

Outcome<double, M> ReflectionFromVswr(long double vswr, ReflectionOutput output)
{
    return zandrevio::ReflectionFromVswr({{M::Vswr, vswr}, {M::Output, static_cast<long double>(output)}});
}

TEST(CableCatalogue, HoldsBothListsInOrder)
{
    const std::vector<std::string> fifty = {
        "RG-58/U",      "RG-8/U",    "RG-213/U",  "RG-218/U",    "1/2\" Foam", "7/8\" Foam", "1 1/4\" Foam",
        "1 5/8\" Foam", "1/2\" Air", "7/8\" Air", "1 5/8\" Air", "1/4\" Flex", "1/2\" Flex",
    };
    const std::vector<std::string> seventyFive = {
        "RG-6A/U", "RG-11A/U", "RG-13A/U", "RG-59B/U", "1/2\" Foam", "7/8\" Air", "1/4\" Flex", "1/2\" Flex",
    };
    EXPECT_EQ(CableNames(k50), fifty);
    EXPECT_EQ(CableNames(k75), seventyFive);
    EXPECT_EQ(CableCatalogue(k50)[12].lossAt100, 1.05L);
    EXPECT_EQ(CableCatalogue(k50)[12].lossAt1000, 3.58L);
    EXPECT_EQ(CableCatalogue(k75)[7].lossAt100, 0.965L);
    EXPECT_EQ(CableCatalogue(k75)[7].lossAt1000, 3.36L);
}

struct LossCase {
    CableImpedance impedance;
    int index;
    long double length;
    bool feet;
    long double frequency;
    long double loss;
    const char* shown;
};

TEST(CableLoss, WorkedValues)
{
    SeparatorGuard guard('.');
    const LossCase cases[] = {
        {k50, 0, 100, false, 850, 54.4970L, "54.5"},
        {k50, 0, 100, true, 850, 16.6107L, "16.61"},
        {k50, 0, 100, false, 450, 43.0790L, "43.08"},
        {k50, 0, 100, false, 960, 56.6818L, "56.68"},
        {k50, 4, 30.48L, false, 900, 2.2642L, "2.26"},
        {k75, 7, 100, true, 850, 3.1910L, "3.19"},
        {k50, 0, 0, false, 850, 0, "0"},
    };
    for (const auto& c : cases) {
        const auto loss = CableLoss(c.impedance, c.index, c.length, c.feet, c.frequency);
        ASSERT_TRUE(loss.Ok());
        EXPECT_NEAR(loss.Value(), c.loss, 0.00005L) << c.shown;
        EXPECT_EQ(FormatResultHundredths(loss.Value()), c.shown);
    }
    // The same name in the other list has its own losses.
    EXPECT_NE(CableLoss(k50, 12, 100, false, 850).Value(), CableLoss(k75, 7, 100, false, 850).Value());
}

// A negative length has no meaning: it gave a negative loss (-54.5 dB for
// -100 m of RG-58/U at 850 MHz).
TEST(CableLoss, RefusesANegativeLengthAfterTheFrequency)
{
    for (bool feet : {false, true}) {
        for (long double length : {-100.0L, -0.001L, -1e-4000L}) {
            const auto loss = CableLoss(k50, 0, length, feet, 850);
            ASSERT_FALSE(loss.Ok()) << double(length);
            EXPECT_EQ(loss.Error().message, "Length must not be negative");
            EXPECT_EQ(loss.Error().field, CableField::Length);
        }
    }
    EXPECT_EQ(CableLoss(k50, 0, -100, false, 1000).Error().field, CableField::Frequency);
}

TEST(CableLoss, AcceptsOnly450To960MHz)
{
    EXPECT_TRUE(CableLoss(k50, 0, 100, false, 450).Ok());
    EXPECT_TRUE(CableLoss(k50, 0, 100, false, 960).Ok());
    for (long double f : {449.99L, 960.01L, 0.0L, -850.0L}) {
        const auto loss = CableLoss(k50, 0, 100, false, f);
        ASSERT_FALSE(loss.Ok());
        EXPECT_EQ(loss.Error().message, "Frequency must be   450 < F < 960 MHz");
    }
}

TEST(VswrFromPowers, WorkedValues)
{
    SeparatorGuard guard('.');
    EXPECT_EQ(FormatResult(VswrFromPowers(10, 0).Value()), "1");
    EXPECT_EQ(FormatResult(VswrFromPowers(10, 1).Value()), "1.925");
    EXPECT_EQ(FormatResult(VswrFromPowers(10, 2.5L).Value()), "3");
    EXPECT_EQ(FormatResult(VswrFromPowers(100, 1).Value()), "1.2222");
}

TEST(VswrFromPowers, RefusesReflectedPowerNotBelowForward)
{
    for (auto [forward, reflected] : {std::pair{10.0L, 10.0L}, {0.0L, 0.0L}, {1.0L, 2.0L}}) {
        const auto vswr = VswrFromPowers(forward, reflected);
        ASSERT_FALSE(vswr.Ok());
        EXPECT_EQ(vswr.Error().message, "Forward power must be greater than reflected");
    }
}

// A negative power has no meaning: it faulted at its square root. It is
// refused at its own field, the forward power before the reflected power is
// read.
TEST(VswrFromPowers, ANegativePowerIsRefusedAtItsOwnField)
{
    bool reflectedRead = false;
    const Input reflected = [&] {
        reflectedRead = true;
        return 0.0L;
    };
    const auto forward = VswrFromPowers(-1, reflected);
    ASSERT_FALSE(forward.Ok());
    EXPECT_EQ(forward.Error().message, "Forward power must not be negative");
    EXPECT_EQ(forward.Error().field, M::Forward);
    EXPECT_FALSE(reflectedRead);
    const auto back = VswrFromPowers(1, -1);
    ASSERT_FALSE(back.Ok());
    EXPECT_EQ(back.Error().message, "Reflected power must not be negative");
    EXPECT_EQ(back.Error().field, M::Reflected);
    EXPECT_EQ(VswrFromPowers(-1e-4000L, 0).Error().field, M::Forward);
}

TEST(CorrectedAntennaVswr, WorkedValues)
{
    SeparatorGuard guard('.');
    const struct {
        long double vswr;
        long double loss;
        const char* shown;
    } cases[] = {{2, 0, "2"}, {2, 1, "2.4461"},     {2, 3, "4.9717"}, {1.5L, 2, "1.9282"},
                 {1, 3, "1"}, {2, 4.77L, "7163.3"}, {2, -3, "1.4011"}};
    for (const auto& c : cases) {
        const auto vswr = CorrectedAntennaVswr(c.vswr, c.loss);
        ASSERT_TRUE(vswr.Ok()) << c.shown;
        EXPECT_EQ(FormatResult(vswr.Value()), c.shown);
    }
}

TEST(CorrectedAntennaVswr, RefusesAVswrBelowOneBeforeReadingTheLoss)
{
    const auto vswr = CorrectedAntennaVswr(0.99L, []() -> long double { throw ConversionFailure("x"); });
    ASSERT_FALSE(vswr.Ok());
    EXPECT_EQ(vswr.Error().message, "VSWR must be greater than 1");
}

// The reflection reaches 1 at 10 log10(3) = 4.7712 dB for a VSWR of 2.
TEST(CorrectedAntennaVswr, AMeasurementBeyondTheFeederLossIsWrong)
{
    const long double threshold = 10.0L * std::log10(3.0L);
    for (long double loss : {4.78L, threshold + 1e-15L, 10.0L}) {
        const auto vswr = CorrectedAntennaVswr(2, loss);
        ASSERT_FALSE(vswr.Ok());
        EXPECT_EQ(vswr.Error().message, "Your VSWR measurement was wrong");
        EXPECT_EQ(vswr.Error().field, M::MeasuredVswr);
        EXPECT_FALSE(vswr.Error().beep);
    }
    EXPECT_TRUE(CorrectedAntennaVswr(2, 4.7712L).Ok());
}

TEST(CableLossFromShortVswr, WorkedValuesAndHalfTheReturnLoss)
{
    SeparatorGuard guard('.');
    EXPECT_EQ(FormatResultHundredths(CableLossFromShortVswr(3).Value()), "3.01");
    EXPECT_EQ(FormatResultHundredths(CableLossFromShortVswr(1.5L).Value()), "6.99");
    EXPECT_EQ(FormatResultHundredths(CableLossFromShortVswr(10).Value()), "0.87");
    for (long double s : {1.2L, 2.0L, 3.0L, 7.0L}) {
        const long double returnLoss = -20.0L * std::log10((s - 1) / (s + 1));
        EXPECT_NEAR(CableLossFromShortVswr(s).Value(), returnLoss / 2, 1e-15L);
    }
    for (long double s : {1.0L, 0.5L, -2.0L}) {
        EXPECT_EQ(CableLossFromShortVswr(s).Error().message, "VSWR must be greater than 1");
    }
}

TEST(ReflectionFromVswr, WorkedValues)
{
    SeparatorGuard guard('.');
    const struct {
        long double vswr;
        ReflectionOutput output;
        const char* shown;
    } cases[] = {
        {3, ReflectionOutput::Coefficient, "0.5"},     {3, ReflectionOutput::ReturnLoss, "-6.0206"},
        {2, ReflectionOutput::Coefficient, "0.3333"},  {2, ReflectionOutput::ReturnLoss, "-9.5424"},
        {10, ReflectionOutput::ReturnLoss, "-1.743"},  {1.0001L, ReflectionOutput::ReturnLoss, "-86.021"},
        {1.0001L, ReflectionOutput::Coefficient, "0"}, {1.08L, ReflectionOutput::ReturnLoss, "-28.299"},
    };
    for (const auto& c : cases) {
        const auto x = ReflectionFromVswr(c.vswr, c.output);
        ASSERT_TRUE(x.Ok()) << c.shown;
        EXPECT_EQ(FormatResult(x.Value()), c.shown);
    }
}

// Published VSWR tables: VSWR 2 is a return loss of 9.54 dB, 1.5 of 13.98 dB.
TEST(ReflectionFromVswr, AgreesWithPublishedReturnLosses)
{
    EXPECT_NEAR(ReflectionFromVswr(2, ReflectionOutput::ReturnLoss).Value(), -9.54, 0.005);
    EXPECT_NEAR(ReflectionFromVswr(1.5L, ReflectionOutput::ReturnLoss).Value(), -13.98, 0.005);
    EXPECT_EQ(ReflectionFromVswr(1, ReflectionOutput::Coefficient).Error().message, "VSWR must be greater than 1");
    EXPECT_THROW(ReflectionFromVswr(1e400L, ReflectionOutput::Coefficient), FloatingPointFault);
}

} // namespace
} // namespace zandrevio
