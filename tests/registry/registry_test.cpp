#include "numeric/app_error.h"
#include "numeric/format.h"
#include "registry/registry.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace zandrevio {
namespace {

Reply RunOf(std::string_view name, std::vector<std::pair<std::string, std::string>> options)
{
    const Calculation* calculation = FindCalculation(name);
    if (calculation == nullptr) {
        throw std::logic_error("no calculation " + std::string(name));
    }
    return calculation->Run(Request(std::move(options)));
}

std::vector<std::string_view> EchoedOptions(const Reply& reply)
{
    std::vector<std::string_view> options;
    for (const auto& [option, text] : reply.inputs) {
        options.push_back(option);
    }
    return options;
}

bool Echoes(const Reply& reply, std::string_view option)
{
    const auto options = EchoedOptions(reply);
    return std::find(options.begin(), options.end(), option) != options.end();
}

TEST(Registry, NoResultTakesTheNameOfABatchColumn)
{
    for (const Calculation& calculation : Calculations()) {
        EXPECT_TRUE(NameClashes(calculation).empty()) << calculation.name;
        EXPECT_FALSE(calculation.summary.empty()) << calculation.name;
        EXPECT_FALSE(calculation.Results().empty()) << calculation.name;
    }
    // The check itself: a result named "error" is caught.
    static const ResultSpec kError{"Frequency Error", "error", "Hz", ResultFormat::Result};
    Calculation faulty;
    faulty.name = "faulty";
    faulty.variants.push_back(Variant{{}, {}, {&kError}, {}, {}});
    ASSERT_EQ(NameClashes(faulty).size(), 1u);
    EXPECT_EQ(NameClashes(faulty).front(), "faulty: a result is named error");
}

TEST(Registry, NamesAreFoundWithoutRegardToCase)
{
    ASSERT_NE(FindCalculation("Traffic"), nullptr);
    EXPECT_EQ(FindCalculation("CONVERT length"), FindCalculation("convert-length"));
    EXPECT_EQ(FindCalculation("no-such"), nullptr);
}

// The echo of a run is the inputs it read, no more and no fewer.
TEST(Registry, TheEchoListsExactlyTheInputsRead)
{
    const Reply budget = RunOf("cell-range", {});
    EXPECT_FALSE(Echoes(budget, "max-path-loss"));
    EXPECT_TRUE(Echoes(budget, "sensitivity"));
    EXPECT_TRUE(Echoes(budget, "penetration-loss"));

    const Reply given = RunOf("cell-range", {{"max-path-loss", "150"}});
    EXPECT_TRUE(Echoes(given, "max-path-loss"));
    EXPECT_FALSE(Echoes(given, "power"));
    EXPECT_FALSE(Echoes(given, "sensitivity"));

    const Reply calls = RunOf("service-level", {{"calls", "200"}, {"servers", "14"}});
    EXPECT_TRUE(Echoes(calls, "interval"));
    EXPECT_FALSE(Echoes(calls, "traffic"));

    // A power refused before the frequency is read: the frequency is not echoed.
    const Reply refused = RunOf("link-budget", {{"power", "0"}});
    ASSERT_TRUE(refused.Failed());
    EXPECT_TRUE(Echoes(refused, "power"));
    EXPECT_FALSE(Echoes(refused, "frequency"));

    // A transmit frequency is echoed as given, not the receive field's start.
    const Reply transmit = RunOf("channel", {{"standard", "gsm"}, {"tx", "935.2"}});
    EXPECT_TRUE(Echoes(transmit, "tx"));
    EXPECT_FALSE(Echoes(transmit, "rx"));
}

TEST(Registry, RulesSayWhichOptionsGoTogether)
{
    const auto message = [](std::string_view name, std::vector<std::pair<std::string, std::string>> options) {
        try {
            RunOf(name, std::move(options));
        } catch (const RequestError& error) {
            return std::string(error.what());
        }
        return std::string();
    };
    EXPECT_EQ(message("service-level", {{"servers", "14"}, {"traffic", "10"}, {"calls", "3"}}),
              "service-level takes --traffic, or --calls with --interval");
    // Half of an alternative is none: --interval without --calls.
    EXPECT_EQ(message("service-level", {{"servers", "5"}, {"interval", "10"}}),
              "service-level takes --traffic, or --calls with --interval");
    EXPECT_EQ(message("service-level", {{"traffic", "10"}}),
              "service-level takes one of --servers and --target-service-level");
    EXPECT_EQ(message("band", {}), "band takes one of --channel, --uplink and --downlink");
    EXPECT_EQ(message("cell-range", {{"max-path-loss", "150"}, {"power", "20"}}),
              "cell-range takes --max-path-loss or the budget's options, not both");
    EXPECT_EQ(message("extended-erlang-b", {{"channels", "10"}, {"blocking", "0.01"}}),
              "extended-erlang-b takes one of --channels and --blocking");
}

// A number given as a value is used as it is; its text is only echoed.
TEST(Registry, ANumberGivenAsAValueIsNotReadAgain)
{
    Request request;
    request.Give("model", "erlang-b");
    request.Give("traffic", 9.0L, "nine");
    request.Give("gos", 0.02L, "0.02");
    const Reply reply = FindCalculation("traffic")->Run(request);
    ASSERT_FALSE(reply.Failed()) << reply.error;
    EXPECT_EQ(reply.results.front().value, 15.0L);
    EXPECT_EQ(reply.inputs[1], (std::pair<std::string_view, std::string>("traffic", "nine")));
}

// Results in physical units, each with the unit and format in force.
TEST(Registry, ResultsAreValuesWithTheirUnits)
{
    const Reply range = RunOf("cell-range", {});
    ASSERT_EQ(range.results.size(), 3u);
    EXPECT_NEAR(static_cast<double>(range.results[1].value), 2.467, 1e-12);
    EXPECT_EQ(range.results[1].unit, "km");
    const Reply reflection = RunOf("reflection", {{"vswr", "2"}, {"output", "rl"}});
    EXPECT_EQ(reflection.results.front().unit, "dB");
    const Reply gsm = RunOf("channel", {{"standard", "nmt"}, {"number", "180"}});
    EXPECT_EQ(gsm.results.front().format, ResultFormat::Full);
    const Reply curve = RunOf("downtilt", {});
    ASSERT_EQ(curve.curve.size(), 71u);
    EXPECT_NEAR(static_cast<double>(curve.curve.back().x), 1.6, 1e-15);
}

// A sweep gives each run what a request of its own gives: the same results,
// the same refusal naming the same option, and a whole number checked.
TEST(Registry, ASweepRunsAsSeparateRequestsDo)
{
    const Calculation& traffic = *FindCalculation("traffic");
    Request request;
    request.Give("channels", 15.0L, "15");
    request.Give("gos", 0.01L, "0.01");
    const Variant& variant = traffic.VariantFor(request);
    const std::vector<long double> channels{15.0L, 2.5L, 1.0L, 30.0L};
    const std::vector<long double> gos{0.01L, 0.01L, -0.2L, 0.05L};
    const Sweep sweep{{"channels", "gos"}, {channels.data(), gos.data()}, {}};
    std::vector<Reply> replies(channels.size());
    ASSERT_TRUE(variant.sweep(request, traffic.CheckRules(request), sweep, 0, channels.size(),
                              [&](std::size_t run, const Reply& reply) { replies[run] = reply; }));
    for (std::size_t run = 0; run < channels.size(); ++run) {
        SCOPED_TRACE(run);
        Request single;
        single.Give("channels", channels[run], FormatFull(channels[run]));
        single.Give("gos", gos[run], FormatFull(gos[run]));
        if (run == 1) {
            EXPECT_EQ(replies[run].error, "--channels: '2.5' is not a whole number from -2147483648 to 2147483647");
            EXPECT_EQ(replies[run].errorOption, "channels");
            continue;
        }
        const Reply expected = traffic.Run(single);
        EXPECT_EQ(replies[run].error, expected.error);
        EXPECT_EQ(replies[run].errorOption, expected.errorOption);
        ASSERT_EQ(replies[run].results.size(), expected.results.size());
        for (std::size_t i = 0; i < expected.results.size(); ++i) {
            EXPECT_EQ(replies[run].results[i].value, expected.results[i].value);
        }
    }
    EXPECT_EQ(replies[2].errorOption, "gos");
    // A variant whose hook reads its numbers leaves each run to its own request.
    const Calculation& channel = *FindCalculation("channel");
    Request tx;
    tx.Give("standard", "gsm");
    tx.Give("tx", 935.2L, "935.2");
    const long double values[] = {935.2L};
    const Sweep byTx{{"tx"}, {values}, {}};
    EXPECT_FALSE(
        channel.VariantFor(tx).sweep &&
        channel.VariantFor(tx).sweep(tx, channel.CheckRules(tx), byTx, 0, 1, [](std::size_t, const Reply&) {}));
}

} // namespace
} // namespace zandrevio
