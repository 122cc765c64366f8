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
LinkBudgetInput Defaults(PropagationModel model = PropagationModel::FreeSpace, HataArea area = HataArea::MediumCity)
{
    LinkBudgetInput in;
    in.transmitterPowerW = 10;
    in.bsGain = 10;
    in.msGain = 0;
    in.distance = 10;
    in.frequencyMHz = 850;
    in.bsHeight = 50;
    in.msHeight = 2;
    in.model = model;
    in.area = area;
    return in;
}

struct Shown {
    std::string loss;
    std::string power;
};

Shown Show(const LinkBudgetInput& in)
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
    LinkBudgetInput in = Defaults(PropagationModel::TwoWave);
    in.distance = 2; // below 12 * 50 * 2 / lambda = 3400 m
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
    LinkBudgetInput in;
    in.transmitterPowerW = 1;
    in.bsGainInDbd = false;
    in.msGainInDbd = false;
    in.distance = 1;
    in.frequencyMHz = 900;
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
            EXPECT_NEAR(FreeSpaceLoss(d, f), itu, 0.01L) << double(f) << ' ' << double(d);
        }
    }
}

// Published Okumura-Hata figure: 869 MHz, 2 km, 30 m base, 1 m mobile gives
// 137.93 dB in a large city.
TEST(LinkBudget, HataAgreesWithAPublishedValue)
{
    EXPECT_NEAR(HataLoss(2.0L, 869.0L, 30.0L, 1.0L, HataArea::LargeCity), 137.93L, 0.005L);
}

struct RefusalCase {
    const char* what;
    LinkBudgetInput input;
    LinkInput failing;
};

std::vector<RefusalCase> Refusals()
{
    const auto with = [](auto change) {
        LinkBudgetInput in = Defaults(PropagationModel::TwoWave);
        change(in);
        return in;
    };
    return {
        {"power 0", with([](auto& in) { in.transmitterPowerW = 0; }), LinkInput::Power},
        {"power -1", with([](auto& in) { in.transmitterPowerW = -1; }), LinkInput::Power},
        {"0.5 km", with([](auto& in) { in.distance = 0.5L; }), LinkInput::Distance},
        {"0.31 miles", with([](auto& in) { in.distance = 0.31L, in.distanceInMiles = true; }), LinkInput::Distance},
        {"449.9 MHz", with([](auto& in) { in.frequencyMHz = 449.9L; }), LinkInput::Frequency},
        {"960.1 MHz", with([](auto& in) { in.frequencyMHz = 960.1L; }), LinkInput::Frequency},
        {"65 ft", with([](auto& in) { in.bsHeight = 65, in.bsHeightInFeet = true; }), LinkInput::BsHeight},
        {"985 ft", with([](auto& in) { in.bsHeight = 985, in.bsHeightInFeet = true; }), LinkInput::BsHeight},
        {"19.99 m", with([](auto& in) { in.bsHeight = 19.99L; }), LinkInput::BsHeight},
        {"4.9 ft", with([](auto& in) { in.msHeight = 4.9L, in.msHeightInFeet = true; }), LinkInput::MsHeight},
        {"33 ft", with([](auto& in) { in.msHeight = 33, in.msHeightInFeet = true; }), LinkInput::MsHeight},
        {"10.01 m", with([](auto& in) { in.msHeight = 10.01L; }), LinkInput::MsHeight},
    };
}

TEST(LinkBudget, RefusesEachInputOutsideItsLimits)
{
    const char* messages[] = {
        "",
        "BS transmitter power must be  greater than 0",
        "Distance must be  greater than 0.5 km (0.3 ml)",
        "Frequency must be   450 < F < 960 MHz",
        "Height of BS must be  20 < Hb < 300 m (60 < Hb < 900 ft)",
        "Height of MS must be  1.5 < Hm < 10 m (5 < Hm < 30 ft) ",
    };
    for (const auto& c : Refusals()) {
        const auto result = LinkBudget(c.input);
        ASSERT_FALSE(result.Ok()) << c.what;
        EXPECT_EQ(result.Error().input, static_cast<int>(c.failing)) << c.what;
        EXPECT_EQ(result.Error().message, messages[static_cast<int>(c.failing)]) << c.what;
    }
}

TEST(LinkBudget, AcceptsTheLimitsThemselves)
{
    const auto accepted = [](auto change) {
        LinkBudgetInput in = Defaults(PropagationModel::Hata);
        change(in);
        return LinkBudget(in).Ok();
    };
    EXPECT_TRUE(accepted([](auto& in) { in.distance = 0.311L, in.distanceInMiles = true; }));
    EXPECT_TRUE(accepted([](auto& in) { in.frequencyMHz = 450; }));
    EXPECT_TRUE(accepted([](auto& in) { in.frequencyMHz = 960; }));
    EXPECT_TRUE(accepted([](auto& in) { in.bsHeight = 66, in.bsHeightInFeet = true; }));
    EXPECT_TRUE(accepted([](auto& in) { in.bsHeight = 984, in.bsHeightInFeet = true; }));
    EXPECT_TRUE(accepted([](auto& in) { in.bsHeight = 20; }));
    EXPECT_TRUE(accepted([](auto& in) { in.bsHeight = 300; }));
    EXPECT_TRUE(accepted([](auto& in) { in.msHeight = 5, in.msHeightInFeet = true; }));
    EXPECT_TRUE(accepted([](auto& in) { in.msHeight = 32, in.msHeightInFeet = true; }));
    EXPECT_TRUE(accepted([](auto& in) { in.msHeight = 1.5L; }));
    EXPECT_TRUE(accepted([](auto& in) { in.msHeight = 10; }));
}

TEST(LinkBudget, FreeSpaceNeverReadsTheHeights)
{
    LinkBudgetReaders read;
    std::vector<std::string> order;
    const auto value = [&](const char* name, long double v) {
        return [&order, name, v] {
            order.push_back(name);
            return v;
        };
    };
    const auto flag = [&](const char* name) {
        return [&order, name] {
            order.push_back(name);
            return false;
        };
    };
    read.transmitterPowerW = value("power", 10);
    read.bsGain = value("bs gain", 10);
    read.bsGainInDbd = flag("bs gain unit");
    read.msGain = value("ms gain", 0);
    read.msGainInDbd = flag("ms gain unit");
    read.distance = value("distance", 10);
    read.distanceInMiles = flag("distance unit");
    read.frequencyMHz = value("frequency", 850);
    read.bsHeight = []() -> long double { throw ConversionFailure("x"); };
    read.bsHeightInFeet = flag("bs height unit");
    read.msHeight = value("ms height", 2);
    read.msHeightInFeet = flag("ms height unit");
    EXPECT_TRUE(LinkBudget(read).Ok());
    EXPECT_EQ(order,
              (std::vector<std::string>{"power", "bs gain", "bs gain unit", "ms gain", "ms gain unit", "distance",
                                        "distance unit", "frequency"}));
    read.model = PropagationModel::Hata;
    EXPECT_THROW(LinkBudget(read), ConversionFailure);
}

TEST(LinkBudget, AFailedCheckStopsTheReading)
{
    LinkBudgetReaders read;
    int reads = 0;
    const auto counted = [&reads](long double v) {
        return [&reads, v] {
            ++reads;
            return v;
        };
    };
    read.transmitterPowerW = counted(0);
    read.bsGain = []() -> long double { throw ConversionFailure("gain"); };
    EXPECT_EQ(LinkBudget(read).Error().input, static_cast<int>(LinkInput::Power));
    EXPECT_EQ(reads, 1);
}

} // namespace
} // namespace zandrevio
