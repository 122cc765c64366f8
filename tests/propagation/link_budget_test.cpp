#include "numeric/app_error.h"
#include "numeric/format.h"
#include "propagation/link_budget.h"
#include "separator_guard.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace zandrevio {
namespace {

using test::SeparatorGuard;

// The window's start inputs: 10 W, 10 dBd, 0 dBd, 10 km, 850 MHz, 50 m, 2 m.
using In = Inputs<LinkField>;
using F = LinkField;

// dBd, km and m are each unit list's first item.
In Defaults(PropagationModel model = PropagationModel::FreeSpace, HataArea area = HataArea::MediumCity)
{
    return {{F::Model, static_cast<long double>(model)},
            {F::Area, static_cast<long double>(area)},
            {F::Power, 10},
            {F::BsGain, 10},
            {F::BsGainUnit, 0},
            {F::MsGain, 0},
            {F::MsGainUnit, 0},
            {F::Distance, 10},
            {F::DistanceUnit, 0},
            {F::Frequency, 850},
            {F::BsHeight, 50},
            {F::BsHeightUnit, 0},
            {F::MsHeight, 2},
            {F::MsHeightUnit, 0}};
}
constexpr long double kDbi = 1, kMiles = 1, kFeet = 1;

struct Shown {
    std::string loss;
    std::string power;
};

Shown Show(const In& in)
{
    const auto result = LinkBudget(in);
    EXPECT_TRUE(result.Ok()) << (result.Ok() ? "" : result.Error().message);
    if (!result.Ok()) {
        return {};
    }
    return {FormatResultHundredths(result.Value().lossDb), FormatResultHundredths(result.Value().receivedPowerDbm)};
}

struct ModelCase {
    PropagationModel model;
    HataArea area;
    const char* loss;
    const char* power;
};

TEST(LinkBudget, DefaultInputsUnderEveryModel)
{
    SeparatorGuard guard('.');
    const ModelCase cases[] = {
        {PropagationModel::FreeSpace, HataArea::MediumCity, "111.03", "-56.73"},
        {PropagationModel::TwoWave, HataArea::MediumCity, "120.05", "-65.75"},
        {PropagationModel::Hata, HataArea::MediumCity, "155.2", "-100.9"},
        {PropagationModel::Hata, HataArea::LargeCity, "155.43", "-101.13"},
        {PropagationModel::Hata, HataArea::Suburban, "145.41", "-91.11"},
        {PropagationModel::Hata, HataArea::Open, "126.94", "-72.64"},
    };
    for (const auto& c : cases) {
        const Shown shown = Show(Defaults(c.model, c.area));
        EXPECT_EQ(shown.loss, c.loss) << int(c.model) << ' ' << int(c.area);
        EXPECT_EQ(shown.power, c.power) << int(c.model) << ' ' << int(c.area);
    }
}

TEST(LinkBudget, TwoWaveIsFreeSpaceUpToTheBreakDistance)
{
    SeparatorGuard guard('.');
    In in = Defaults(PropagationModel::TwoWave);
    in.Set(F::Distance, 2); // below 12 * 50 * 2 / lambda = 3400 m
    const Shown shown = Show(in);
    EXPECT_EQ(shown.loss, "97.05");
    EXPECT_EQ(shown.power, "-42.75");
    // At exactly the break distance free space still holds.
    EXPECT_EQ(TwoWaveLoss(3.4L, 850.0L, 50.0L, 2.0L), FreeSpaceLoss(3.4L, 850.0L));
    EXPECT_GT(TwoWaveLoss(3.5L, 850.0L, 50.0L, 2.0L), FreeSpaceLoss(3.5L, 850.0L));
}

TEST(LinkBudget, OneWattAtOneKilometre)
{
    SeparatorGuard guard('.');
    In in = Defaults();
    in.Set(F::Power, 1).Set(F::BsGain, 0).Set(F::BsGainUnit, kDbi).Set(F::MsGainUnit, kDbi).Set(F::Distance, 1);
    in.Set(F::Frequency, 900);
    const Shown shown = Show(in);
    EXPECT_EQ(shown.loss, "91.53");
    EXPECT_EQ(shown.power, "-61.53");
}

// ITU-R P.525: 32.45 + 20 log10 f(MHz) + 20 log10 d(km); the program's
// lambda = 300 / F makes the constant 32.44.
TEST(LinkBudget, FreeSpaceAgreesWithItuRP525)
{
    for (long double f : {450.0L, 850.0L, 900.0L, 960.0L}) {
        for (long double d : {0.6L, 1.0L, 10.0L, 35.0L}) {
            const long double itu = 32.45L + 20.0L * std::log10(f) + 20.0L * std::log10(d);
            EXPECT_NEAR(FreeSpaceLoss(d, f).Value(), itu, 0.01L) << double(f) << ' ' << double(d);
        }
    }
}

// Published Okumura-Hata figure: 869 MHz, 2 km, 30 m base, 1 m mobile gives
// 137.93 dB in a large city.
TEST(LinkBudget, HataAgreesWithAPublishedValue)
{
    EXPECT_NEAR(HataLoss(2.0L, 869.0L, 30.0L, 1.0L, HataArea::LargeCity).Value(), 137.93L, 0.005L);
}

struct RefusalCase {
    const char* what;
    In input;
    LinkField failing;
};

std::vector<RefusalCase> Refusals()
{
    const auto with = [](auto change) {
        In in = Defaults(PropagationModel::TwoWave);
        change(in);
        return in;
    };
    return {
        {"power 0", with([](auto& in) { in.Set(F::Power, 0); }), LinkField::Power},
        {"power -1", with([](auto& in) { in.Set(F::Power, -1); }), LinkField::Power},
        {"0.5 km", with([](auto& in) { in.Set(F::Distance, 0.5L); }), LinkField::Distance},
        {"0.31 miles", with([](auto& in) { in.Set(F::Distance, 0.31L).Set(F::DistanceUnit, kMiles); }),
         LinkField::Distance},
        {"449.9 MHz", with([](auto& in) { in.Set(F::Frequency, 449.9L); }), LinkField::Frequency},
        {"960.1 MHz", with([](auto& in) { in.Set(F::Frequency, 960.1L); }), LinkField::Frequency},
        {"65 ft", with([](auto& in) { in.Set(F::BsHeight, 65).Set(F::BsHeightUnit, kFeet); }), LinkField::BsHeight},
        {"985 ft", with([](auto& in) { in.Set(F::BsHeight, 985).Set(F::BsHeightUnit, kFeet); }), LinkField::BsHeight},
        {"19.99 m", with([](auto& in) { in.Set(F::BsHeight, 19.99L); }), LinkField::BsHeight},
        {"4.9 ft", with([](auto& in) { in.Set(F::MsHeight, 4.9L).Set(F::MsHeightUnit, kFeet); }), LinkField::MsHeight},
        {"33 ft", with([](auto& in) { in.Set(F::MsHeight, 33).Set(F::MsHeightUnit, kFeet); }), LinkField::MsHeight},
        {"10.01 m", with([](auto& in) { in.Set(F::MsHeight, 10.01L); }), LinkField::MsHeight},
    };
}

TEST(LinkBudget, RefusesEachInputOutsideItsLimits)
{
    const auto message = [](LinkField field) -> std::string {
        switch (field) {
        case LinkField::Power:
            return "BS transmitter power must be  greater than 0";
        case LinkField::Distance:
            return "Distance must be  greater than 0.5 km (0.3 ml)";
        case LinkField::Frequency:
            return "Frequency must be   450 < F < 960 MHz";
        case LinkField::BsHeight:
            return "Height of BS must be  20 < Hb < 300 m (60 < Hb < 900 ft)";
        case LinkField::MsHeight:
            return "Height of MS must be  1.5 < Hm < 10 m (5 < Hm < 30 ft) ";
        default:
            return "";
        }
    };
    for (const auto& c : Refusals()) {
        const auto result = LinkBudget(c.input);
        ASSERT_FALSE(result.Ok()) << c.what;
        EXPECT_EQ(result.Error().field, c.failing) << c.what;
        EXPECT_EQ(result.Error().message, message(c.failing)) << c.what;
    }
}

TEST(LinkBudget, AcceptsTheLimitsThemselves)
{
    const auto accepted = [](auto change) {
        In in = Defaults(PropagationModel::Hata);
        change(in);
        return LinkBudget(in).Ok();
    };
    EXPECT_TRUE(accepted([](auto& in) { in.Set(F::Distance, 0.311L).Set(F::DistanceUnit, kMiles); }));
    EXPECT_TRUE(accepted([](auto& in) { in.Set(F::Frequency, 450); }));
    EXPECT_TRUE(accepted([](auto& in) { in.Set(F::Frequency, 960); }));
    EXPECT_TRUE(accepted([](auto& in) { in.Set(F::BsHeight, 66).Set(F::BsHeightUnit, kFeet); }));
    EXPECT_TRUE(accepted([](auto& in) { in.Set(F::BsHeight, 984).Set(F::BsHeightUnit, kFeet); }));
    EXPECT_TRUE(accepted([](auto& in) { in.Set(F::BsHeight, 20); }));
    EXPECT_TRUE(accepted([](auto& in) { in.Set(F::BsHeight, 300); }));
    EXPECT_TRUE(accepted([](auto& in) { in.Set(F::MsHeight, 5).Set(F::MsHeightUnit, kFeet); }));
    EXPECT_TRUE(accepted([](auto& in) { in.Set(F::MsHeight, 32).Set(F::MsHeightUnit, kFeet); }));
    EXPECT_TRUE(accepted([](auto& in) { in.Set(F::MsHeight, 1.5L); }));
    EXPECT_TRUE(accepted([](auto& in) { in.Set(F::MsHeight, 10); }));
}

TEST(LinkBudget, FreeSpaceNeverReadsTheHeights)
{
    std::vector<std::string> order;
    const auto value = [&](const char* name, long double v) {
        return [&order, name, v] {
            order.push_back(name);
            return v;
        };
    };
    In read = {{F::Model, 0},
               {F::Area, 0},
               {F::Power, value("power", 10)},
               {F::BsGain, value("bs gain", 10)},
               {F::BsGainUnit, value("bs gain unit", 1)},
               {F::MsGain, value("ms gain", 0)},
               {F::MsGainUnit, value("ms gain unit", 1)},
               {F::Distance, value("distance", 10)},
               {F::DistanceUnit, value("distance unit", 0)},
               {F::Frequency, value("frequency", 850)},
               {F::BsHeight, []() -> long double { throw ConversionFailure("x"); }},
               {F::BsHeightUnit, value("bs height unit", 0)},
               {F::MsHeight, value("ms height", 2)},
               {F::MsHeightUnit, value("ms height unit", 0)}};
    EXPECT_TRUE(LinkBudget(read).Ok());
    EXPECT_EQ(order,
              (std::vector<std::string>{"power", "bs gain", "bs gain unit", "ms gain", "ms gain unit", "distance",
                                        "distance unit", "frequency"}));
    read.Set(F::Model, static_cast<long double>(PropagationModel::Hata));
    EXPECT_THROW(LinkBudget(read), ConversionFailure);
}

TEST(LinkBudget, AFailedCheckStopsTheReading)
{
    int reads = 0;
    In read = Defaults();
    read.Set(F::Power, [&reads] {
        ++reads;
        return 0.0L;
    });
    read.Set(F::BsGain, []() -> long double { throw ConversionFailure("gain"); });
    EXPECT_EQ(LinkBudget(read).Error().field, LinkField::Power);
    EXPECT_EQ(reads, 1);
}

} // namespace
} // namespace zandrevio
