#include "channels/channel_plan.h"
#include "numeric/parse_real.h"
#include "separator_guard.h"

#include <gtest/gtest.h>

namespace zandrevio {
namespace {

using test::SeparatorGuard;
constexpr auto kGsm = CellularStandard::Gsm;
constexpr auto kAmps = CellularStandard::Amps;
constexpr auto kNmt = CellularStandard::Nmt;

Outcome<Frequencies, ChannelField> ChannelToFrequencies(CellularStandard standard, std::int32_t channel)
{
    return zandrevio::ChannelToFrequencies(
        {{ChannelField::Standard, static_cast<long double>(standard)}, {ChannelField::Channel, channel}});
}

Outcome<ChannelAtFrequency, ChannelField> FrequencyToChannel(CellularStandard standard, long double receive,
                                                             DuplexSide side = DuplexSide::BsReceive)
{
    return zandrevio::FrequencyToChannel({{ChannelField::Standard, static_cast<long double>(standard)},
                                          {ChannelField::Side, static_cast<long double>(side)},
                                          {ChannelField::Receive, receive}});
}

struct ChannelCase {
    CellularStandard standard;
    std::int32_t channel;
    const char* receive;
    const char* transmit;
};

TEST(ChannelToFrequencies, GivesTheWorkedFrequencyTexts)
{
    SeparatorGuard guard('.');
    const ChannelCase cases[] = {
        {kGsm, 1, "890.2", "935.2"},      {kGsm, 124, "914.8", "959.8"},     {kAmps, 1, "825.03", "870.03"},
        {kAmps, 799, "848.97", "893.97"}, {kAmps, 991, "824.04", "869.04"},  {kAmps, 1023, "825", "870"},
        {kNmt, 1, "453", "463"},          {kNmt, 180, "457.475", "467.475"},
    };
    for (const auto& c : cases) {
        const auto result = ChannelToFrequencies(c.standard, c.channel);
        ASSERT_TRUE(result.Ok()) << c.channel;
        const auto& format = PlanOf(c.standard).frequencyFormat;
        EXPECT_EQ(FormatAs(format, result.Value().receive), c.receive) << c.channel;
        EXPECT_EQ(FormatAs(format, result.Value().transmit), c.transmit) << c.channel;
    }
}

TEST(ChannelToFrequencies, RefusesChannelsTheStandardDoesNotHave)
{
    const struct {
        CellularStandard standard;
        std::int32_t channel;
    } cases[] = {
        {kGsm, 0},    {kGsm, 125},   {kGsm, -1}, {kAmps, 0},  {kAmps, 800},
        {kAmps, 990}, {kAmps, 1024}, {kNmt, 0},  {kNmt, 181}, {kGsm, 2147483647},
    };
    for (const auto& c : cases) {
        const auto result = ChannelToFrequencies(c.standard, c.channel);
        ASSERT_FALSE(result.Ok()) << c.channel;
        EXPECT_EQ(result.Error().message, PlanOf(c.standard).channelMessage);
    }
    EXPECT_STREQ(PlanOf(kGsm).channelMessage, "GSM channel number must be 1..124");
    EXPECT_STREQ(PlanOf(kAmps).channelMessage, "AMPS channel number must be 1..799, 991..1023");
    EXPECT_STREQ(PlanOf(kNmt).channelMessage, "NMT channel number must be 1..180");
}

struct FrequencyCase {
    CellularStandard standard;
    const char* receive;
    std::int32_t channel;
    bool offRaster;
    const char* error;
};

TEST(FrequencyToChannel, GivesTheWorkedChannelsAndErrors)
{
    SeparatorGuard guard('.');
    const FrequencyCase cases[] = {
        {kGsm, "900", 50, false, "0"},
        {kGsm, "890.25", 1, true, "50000"},
        {kAmps, "825", 1023, false, "0"},
        {kAmps, "824.03", 991, true, "-10000"},
        {kAmps, "836.5", 383, true, "10000"},
        {kAmps, "848.98", 799, true, "10000"},
        {kNmt, "453.01", 1, true, "10000"},
        {kNmt, "457.48", 180, true, "5000"},
        {kGsm, "890.100001", 1, true, "-99999"},
        {kAmps, "825.03", 1, false, "0"},
        {kAmps, "824.04", 991, false, "0"},
        {kNmt, "453", 1, false, "0"},
        {kAmps, "825.014", 1023, true, "14000"},
        {kAmps, "825.016", 1, true, "-14000"},
        // Off the raster by less than half a hertz: the note and a red 0;
        // on it within a hundred-thousandth of a step: 1 Hz, no note.
        {kAmps, "825.0300004", 1, true, "0"},
        {kGsm, "900.000001", 50, false, "1"},
        // Half a step past the last channel of a run: the run's last channel.
        {kGsm, "914.9", 124, true, "100000"},
        {kAmps, "825.015", 1023, true, "15000"},
    };
    for (const auto& c : cases) {
        const auto result = FrequencyToChannel(c.standard, ParseReal(c.receive));
        ASSERT_TRUE(result.Ok()) << c.receive;
        EXPECT_EQ(result.Value().channel, c.channel) << c.receive;
        EXPECT_EQ(result.Value().offRaster, c.offRaster) << c.receive;
        EXPECT_EQ(FormatAs(PlanOf(c.standard).errorFormat, static_cast<long double>(result.Value().errorHz)), c.error)
            << c.receive;
    }
}

TEST(FrequencyToChannel, AcceptsTheLimitsThemselvesAndNothingBeyond)
{
    SeparatorGuard guard('.');
    const struct {
        CellularStandard standard;
        const char* receive;
    } rejected[] = {
        {kGsm, "890.1"},       {kGsm, "914.900001"}, {kGsm, "0"},          {kAmps, "824.029999"},
        {kAmps, "848.980001"}, {kNmt, "452.999999"}, {kNmt, "457.480001"}, {kNmt, "-453"},
    };
    for (const auto& c : rejected) {
        const auto result = FrequencyToChannel(c.standard, ParseReal(c.receive));
        ASSERT_FALSE(result.Ok()) << c.receive;
        EXPECT_EQ(result.Error().message, PlanOf(c.standard).frequencyMessage);
        EXPECT_EQ(result.Error().field, ChannelField::Receive);
        EXPECT_EQ(FrequencyToChannel(c.standard, ParseReal(c.receive), DuplexSide::BsTransmit).Error().field,
                  ChannelField::Transmit);
    }
    EXPECT_STREQ(PlanOf(kGsm).frequencyMessage,
                 "GSM Frequency must be  890.1 < Frx < 914.9 MHz and 935.1 < Ftx < 959.9 MHz");
    EXPECT_STREQ(PlanOf(kAmps).frequencyMessage,
                 "AMPS Frequency must be  824.03 < Frx < 848.98 MHz and 869.03 < Ftx < 893.98 MHz");
    EXPECT_STREQ(PlanOf(kNmt).frequencyMessage,
                 "NMT Frequency must be  453 < Frx < 457.48 MHz and 463 < Ftx < 467.48 MHz");
}

// Every channel of every standard converts to its frequency and back to
// itself, on the raster, with no error.
TEST(ChannelPlan, EveryChannelRoundTrips)
{
    for (auto standard : {kGsm, kAmps, kNmt}) {
        for (std::int32_t channel = 0; channel <= 1024; ++channel) {
            const auto frequencies = ChannelToFrequencies(standard, channel);
            if (!frequencies.Ok()) {
                continue;
            }
            const auto back = FrequencyToChannel(standard, frequencies.Value().receive);
            ASSERT_TRUE(back.Ok()) << channel;
            EXPECT_EQ(back.Value().channel, channel);
            EXPECT_FALSE(back.Value().offRaster) << channel;
            EXPECT_EQ(back.Value().errorHz, 0) << channel;
        }
    }
}

TEST(ChannelPlan, DuplexAndSpacingTexts)
{
    EXPECT_EQ(PlanOf(kGsm).duplexSpacing, 45.0L);
    EXPECT_EQ(PlanOf(kAmps).duplexSpacing, 45.0L);
    EXPECT_EQ(PlanOf(kNmt).duplexSpacing, 10.0L);
    EXPECT_STREQ(PlanOf(kGsm).channelSpacingText, "200");
    EXPECT_STREQ(PlanOf(kAmps).channelSpacingText, "30");
    EXPECT_STREQ(PlanOf(kNmt).channelSpacingText, "25");
}

} // namespace
} // namespace zandrevio
