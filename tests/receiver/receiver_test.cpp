#include "registry/registry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace zandrevio {
namespace {

// One run through the registry, as every face makes it.
Reply RunOf(std::string_view name, std::vector<std::pair<std::string, std::string>> options)
{
    return FindCalculation(name)->Run(Request(std::move(options)));
}

long double ResultOf(const Reply& reply, std::string_view name)
{
    for (const ResultValue& result : reply.results) {
        if (result.spec->name == name) {
            return result.value;
        }
    }
    ADD_FAILURE() << "no result " << name << (reply.Failed() ? ": " + reply.error : "");
    return NAN;
}

// Worked values: kT0 = -173.975 dBm/Hz with Boltzmann's exact constant (the
// -174 dBm/Hz of every link budget; -120.97 dBm in 200 kHz where k is taken
// as 1.38e-23); NF 3 dB is a factor of 1.9953 and 288.63 K, 290 K is 3.01
// dB; 1 kW EIRP at 1 km gives 104.77 dBuV/m and -40.99 dBW/m2 (ITU-R P.525-4
// §2.1: E = P + 74.8 - 20 log d, S = P - 71.0 - 20 log d); Shannon at 30 dB
// gives 9.9672 bit/s/Hz. (Figures to more digits: mpmath at 30 digits.)
TEST(Receiver, WorkedValues)
{
    struct Case {
        std::string_view calculation;
        std::vector<std::pair<std::string, std::string>> options;
        std::string_view result;
        long double expected;
        long double tolerance;
    };
    const std::vector<Case> cases = {
        {"noise", {{"bandwidth", "200"}}, "noise-density", -173.975187194228104L, 1e-12L},
        {"noise", {{"bandwidth", "200"}}, "thermal-noise", -120.964887237588292L, 1e-12L},
        {"noise", {{"bandwidth", "200"}}, "thermal-noise-watts", 8.0077642e-16L, 1e-22L},
        {"noise",
         {{"bandwidth", "200"}, {"noise-figure", "7"}, {"snr", "9"}},
         "sensitivity",
         -104.964887237588292L,
         1e-12L},
        {"noise",
         {{"bandwidth", "3840"}, {"temperature", "300"}, {"noise-figure", "0"}},
         "noise-floor",
         -107.984642382345733L,
         1e-12L},
        {"noise-figure", {{"noise-figure", "3"}}, "noise-factor", 1.99526231L, 5e-9L},
        {"noise-figure", {{"noise-figure", "3"}}, "noise-temperature", 288.626070L, 5e-6L},
        {"noise-figure", {{"noise-temperature", "290"}}, "noise-figure", 3.01029996L, 5e-9L},
        {"noise-figure", {{"noise-factor", "1"}}, "noise-temperature", 0.0L, 0.0L},
        {"eirp", {{"power", "60"}, {"feeder-loss", "0"}, {"antenna-gain", "0"}}, "field-strength", 104.7712L, 5e-5L},
        {"eirp", {{"power", "60"}, {"feeder-loss", "0"}, {"antenna-gain", "0"}}, "flux-density", -40.9921L, 5e-5L},
        {"eirp",
         {{"power", "43"}, {"feeder-loss", "3"}, {"antenna-gain", "15"}, {"gain-unit", "dbd"}},
         "eirp",
         57.15L,
         1e-15L},
        {"eirp",
         {{"power", "43"}, {"feeder-loss", "3"}, {"antenna-gain", "15"}, {"gain-unit", "dbd"}},
         "erp",
         55.0L,
         1e-15L},
        {"eirp", {{"power", "30"}, {"feeder-loss", "0"}, {"antenna-gain", "0"}}, "eirp-watts", 1.0L, 1e-18L},
        {"ebno", {{"bit-rate", "1000"}, {"bandwidth", "1000"}, {"ebno", "10"}}, "snr", 10.0L, 1e-15L},
        {"ebno", {{"bit-rate", "2000"}, {"bandwidth", "1000"}, {"snr", "10"}}, "ebno", 6.98970004L, 5e-9L},
        {"ebno", {{"bit-rate", "2000"}, {"bandwidth", "1000"}, {"cn0", "70"}}, "snr", 10.0L, 1e-15L},
        {"capacity", {{"bandwidth", "1000"}, {"snr", "30"}}, "efficiency", 9.96722625883599352L, 1e-15L},
        {"capacity", {{"bandwidth", "1000"}, {"snr", "0"}}, "capacity", 1000.0L, 1e-14L},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.calculation) + " " + std::string(c.result));
        EXPECT_NEAR(ResultOf(RunOf(c.calculation, c.options), c.result), c.expected, c.tolerance);
    }
}

// Each way round and back gives what it started from.
TEST(Receiver, RoundTrips)
{
    for (const char* figure : {"0", "0.5", "3", "12.25"}) {
        const Reply forth = RunOf("noise-figure", {{"noise-figure", figure}});
        const Reply back =
            RunOf("noise-figure", {{"noise-temperature", std::to_string(ResultOf(forth, "noise-temperature"))}});
        EXPECT_NEAR(ResultOf(back, "noise-figure"), std::stold(figure), 1e-5L) << figure;
    }
    const Reply forth = RunOf("ebno", {{"bit-rate", "270.833"}, {"bandwidth", "200"}, {"ebno", "7.5"}});
    Request back({{"bit-rate", "270.833"}, {"bandwidth", "200"}, {"snr", "0"}});
    back.Give("snr", ResultOf(forth, "snr"), "x");
    const Reply returned = FindCalculation("ebno")->Run(back);
    EXPECT_NEAR(ResultOf(returned, "ebno"), 7.5L, 1e-15L);
    const Reply capacity = RunOf("capacity", {{"bandwidth", "5000"}, {"snr", "13.7"}});
    Request snr;
    snr.Give("bandwidth", "5000");
    snr.Give("capacity", ResultOf(capacity, "capacity"), "x");
    EXPECT_NEAR(ResultOf(FindCalculation("capacity")->Run(snr), "snr"), 13.7L, 1e-14L);
}

// Inputs without physical meaning are refused, naming their field.
TEST(Receiver, RefusalsNameTheirField)
{
    struct Case {
        std::string_view calculation;
        std::vector<std::pair<std::string, std::string>> options;
        std::string_view message;
        std::string_view option;
    };
    const std::vector<Case> cases = {
        {"noise", {{"bandwidth", "0"}}, "Bandwidth must be greater than 0", "bandwidth"},
        {"noise", {{"temperature", "-3"}}, "Temperature must be greater than 0 K", "temperature"},
        {"noise", {{"noise-figure", "-1"}}, "Noise figure must not be negative", "noise-figure"},
        {"noise-figure", {{"noise-factor", "0.5"}}, "Noise factor must be 1 or more", "noise-factor"},
        {"noise-figure", {{"noise-temperature", "-1"}}, "Noise temperature must not be negative", "noise-temperature"},
        {"eirp", {{"feeder-loss", "-2"}}, "Feeder loss must not be negative", "feeder-loss"},
        {"eirp", {{"distance", "0"}}, "Distance must be greater than 0", "distance"},
        {"ebno", {{"bit-rate", "0"}, {"ebno", "3"}}, "Bit rate must be greater than 0", "bit-rate"},
        {"capacity", {{"capacity", "-5"}}, "Capacity must be greater than 0", "capacity"},
    };
    for (const Case& c : cases) {
        const Reply reply = RunOf(c.calculation, c.options);
        EXPECT_EQ(reply.error, c.message) << c.calculation;
        EXPECT_EQ(reply.errorOption, c.option) << c.calculation;
    }
    EXPECT_THROW(RunOf("ebno", {{"ebno", "3"}, {"snr", "3"}}), RequestError);
}

} // namespace
} // namespace zandrevio
