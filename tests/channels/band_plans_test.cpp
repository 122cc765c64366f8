#include "channels/band_plans.h"
#include "channels/band_tables.h"
#include "numeric/format.h"
#include "separator_guard.h"

#include <gtest/gtest.h>

namespace zandrevio {
namespace {

using test::SeparatorGuard;
using F = BandField;

long double StandardOf(std::string_view key)
{
    const auto choices = BandStandardChoices();
    for (std::size_t i = 0; i < choices.size(); ++i) {
        if (choices[i].key == key) {
            return static_cast<long double>(i);
        }
    }
    ADD_FAILURE() << key;
    return 0;
}

Outcome<std::vector<BandChannel>, F> Channel(std::string_view standard, std::int32_t channel)
{
    return BandChannelToFrequencies({{F::Standard, StandardOf(standard)}, {F::Channel, channel}});
}

Outcome<std::vector<BandChannel>, F> Frequency(std::string_view standard, LinkDirection direction, long double mhz)
{
    return BandFrequencyToChannel({{F::Standard, StandardOf(standard)},
                                   {F::Direction, static_cast<long double>(direction)},
                                   {F::Frequency, mhz}});
}

struct ChannelCase {
    const char* standard;
    std::int32_t channel;
    const char* band;
    const char* uplink;
    const char* downlink;
};

// TS 45.005 table 2-2, TS 36.101 table 5.7.3-1 and TS 38.104 5.4.2.1 worked
// through: the first match of each channel.
TEST(BandPlans, ChannelsGiveThePublishedFrequencies)
{
    SeparatorGuard guard('.');
    const ChannelCase cases[] = {
        {"dcs-1800", 512, "DCS 1800", "1710.2", "1805.2"},
        {"dcs-1800", 885, "DCS 1800", "1784.8", "1879.8"},
        {"pcs-1900", 512, "PCS 1900", "1850.2", "1930.2"},
        {"pcs-1900", 810, "PCS 1900", "1909.8", "1989.8"},
        {"e-gsm-900", 975, "E-GSM 900", "880.2", "925.2"},
        {"e-gsm-900", 0, "E-GSM 900", "890", "935"},
        {"r-gsm-900", 955, "R-GSM 900", "876.2", "921.2"},
        {"p-gsm-900", 124, "P-GSM 900", "914.8", "959.8"},
        {"gsm-850", 128, "GSM 850", "824.2", "869.2"},
        {"gsm-450", 259, "GSM 450", "450.6", "460.6"},
        {"gsm-480", 340, "GSM 480", "485.8", "495.8"},
        {"gsm-750", 438, "GSM 750", "747.2", "777.2"},
        {"lte", 1575, "3", "1747.5", "1842.5"},
        {"lte", 19575, "3", "1747.5", "1842.5"},
        {"lte", 6300, "20", "847", "806"},
        {"lte", 38000, "38", "2595", "2595"},
        {"lte", 66436, "66", "1710", "2110"},
        {"nr", 632628, "n77", "3489.42", "3489.42"},
        {"nr", 2054166, "n257", "26500.02", "26500.02"},
        {"nr", 428000, "n1", "1950", "2140"},
    };
    for (const auto& c : cases) {
        const auto result = Channel(c.standard, c.channel);
        ASSERT_TRUE(result.Ok()) << c.standard << ' ' << c.channel << ' ' << result.Error().message;
        const BandChannel& first = result.Value().front();
        EXPECT_EQ(first.band, c.band) << c.channel;
        EXPECT_EQ(FormatFull(first.uplinkMHz), c.uplink) << c.channel;
        EXPECT_EQ(FormatFull(first.downlinkMHz), c.downlink) << c.channel;
    }
    // The matching uplink EARFCN of downlink 1575.
    EXPECT_EQ(Channel("lte", 1575).Value().front().uplinkChannel, 19575);
    // Band 66's downlink reaches 20 MHz past its uplink: those have no pair.
    EXPECT_FALSE(Channel("lte", 67335).Value().front().hasUplink);
    // NR-ARFCN 632628 lies in n77 and n78, each named once though a TDD
    // band numbers both directions.
    ASSERT_EQ(Channel("nr", 632628).Value().size(), 2u);
    EXPECT_EQ(Channel("nr", 632628).Value()[1].band, "n78");
    EXPECT_EQ(BandList(Channel("nr", 632628).Value(), false), "n77, n78");
}

TEST(BandPlans, AChannelOutsideItsBandsIsRefusedWithTheValidRange)
{
    EXPECT_EQ(Channel("dcs-1800", 511).Error().message, "DCS 1800 ARFCN must be 512..885");
    EXPECT_EQ(Channel("e-gsm-900", 125).Error().message, "E-GSM 900 ARFCN must be 0..124, 975..1023");
    EXPECT_EQ(Channel("p-gsm-900", 0).Error().message, "P-GSM 900 ARFCN must be 1..124");
    EXPECT_EQ(Channel("lte", 10400).Error().field, F::Channel);
    EXPECT_EQ(Channel("lte", 10400).Error().message.substr(0, 36), "LTE EARFCN must be 0..4949, 5010..53");
    // On n41's 15 kHz raster only every third NR-ARFCN is a channel.
    EXPECT_FALSE(Channel("nr", 499201).Ok());
}

// TS 38.104 table 5.4.2.1-1: F = F_REF-Offs + dF_Global (N - N_REF-Offs) on
// three runs, 5 kHz from 0 MHz, 15 kHz from 3000 MHz (600000), 60 kHz from
// 24250.08 MHz (2016667), up to 3279165: 24250.08 + 0.06 x 1262498 =
// 99999.96 MHz. An NR-ARFCN there outside every band gives that frequency
// with a warning; one off the global raster is refused with its range.
TEST(BandPlans, AnNrArfcnOutsideEveryBandGivesItsFrequencyWithAWarning)
{
    SeparatorGuard guard('.');
    const struct {
        std::int32_t channel;
        const char* mhz;
    } cases[] = {
        {0, "0"},
        {100000, "500"},
        {599999, "2999.995"},
        {600000, "3000"},
        {2016666, "24249.99"},
        {632629 * 5, "93038.76"},
        {3279165, "99999.96"},
    };
    for (const auto& c : cases) {
        const auto result = Channel("nr", c.channel);
        ASSERT_TRUE(result.Ok()) << c.channel << ' ' << result.Error().message;
        ASSERT_EQ(result.Value().size(), 1u);
        const BandChannel& match = result.Value().front();
        EXPECT_EQ(match.band, "") << c.channel;
        EXPECT_EQ(match.channel, c.channel);
        EXPECT_EQ(match.warning, "No NR band holds NR-ARFCN " + std::to_string(c.channel));
        EXPECT_TRUE(match.hasUplink && match.hasDownlink) << c.channel;
        EXPECT_EQ(match.uplinkChannel, c.channel);
        EXPECT_EQ(match.downlinkChannel, c.channel);
        EXPECT_EQ(FormatFull(match.uplinkMHz), c.mhz) << c.channel;
        EXPECT_EQ(FormatFull(match.downlinkMHz), c.mhz) << c.channel;
    }
    // The first channel of n258 is in a band: no warning.
    EXPECT_EQ(Channel("nr", 2016667).Value().front().band, "n258");
    EXPECT_EQ(Channel("nr", 2016667).Value().front().warning, "");
    for (std::int32_t channel : {-1, 3279166, 2147483647}) {
        const auto refused = Channel("nr", channel);
        ASSERT_FALSE(refused.Ok()) << channel;
        EXPECT_EQ(refused.Error().message, "NR-ARFCN must be 0..3279165");
        EXPECT_EQ(refused.Error().field, F::Channel);
    }
}

// Within a band's channels but off its channel raster an NR-ARFCN is
// refused with that raster; the caption is NR-ARFCN, not "NR NR-ARFCN".
TEST(BandPlans, AnNrArfcnOffItsBandsChannelRasterIsRefusedWithThatRaster)
{
    EXPECT_EQ(Channel("nr", 499201).Error().message,
              "NR-ARFCN must be on its band's channel raster: n41 499200..537999 in steps of 3");
    EXPECT_EQ(Channel("nr", 384010).Error().message,
              "NR-ARFCN must be on its band's channel raster: n1 384000..396000 in steps of 20; "
              "n65 384000..402000 in steps of 20; n84 384000..396000 in steps of 20");
    EXPECT_EQ(Channel("nr", 499201).Error().field, F::Channel);
    EXPECT_EQ(Channel("lte", 10400).Error().message.substr(0, 11), "LTE EARFCN ");
}

TEST(BandPlans, FrequenciesGiveTheirChannelInEveryBandAndTheError)
{
    SeparatorGuard guard('.');
    const auto dcs = Frequency("dcs-1800", LinkDirection::Downlink, 1805.25L);
    ASSERT_TRUE(dcs.Ok());
    EXPECT_EQ(dcs.Value().front().channel, 512);
    EXPECT_EQ(dcs.Value().front().errorHz, 50000);
    EXPECT_TRUE(dcs.Value().front().offRaster);

    const auto lte = Frequency("lte", LinkDirection::Downlink, 2140.0L);
    ASSERT_TRUE(lte.Ok());
    std::vector<std::string> bands;
    for (const BandChannel& match : lte.Value()) {
        bands.push_back(match.band + ":" + std::to_string(match.channel));
        EXPECT_EQ(match.errorHz, 0);
    }
    EXPECT_EQ(bands, (std::vector<std::string>{"1:300", "4:2250", "10:4450", "65:65836", "66:66736"}));

    const auto nr = Frequency("nr", LinkDirection::Downlink, 3489.42L);
    ASSERT_EQ(nr.Value().size(), 2u);
    EXPECT_EQ(nr.Value()[0].channel, 632628);
    EXPECT_EQ(nr.Value()[1].band, "n78");
    // Off n1's 100 kHz raster by 30 kHz.
    EXPECT_EQ(Frequency("nr", LinkDirection::Uplink, 1950.03L).Value().front().errorHz, 30000);

    const auto refused = Frequency("pcs-1900", LinkDirection::Uplink, 1800.0L);
    EXPECT_EQ(refused.Error().message, "PCS 1900 uplink frequency must be 1850.2..1909.8 MHz");
    EXPECT_EQ(refused.Error().field, F::Frequency);
}

// Every channel of every band goes to its frequency and back to itself, on
// the raster, in each direction it has.
TEST(BandPlans, EveryChannelOfEveryBandRoundTrips)
{
    for (const BandStandard& standard : BandStandards()) {
        const auto key = standard.choice.key;
        const std::span<const bands::Band> all = standard.family == BandFamily::Gsm
            ? bands::GsmBands().subspan(static_cast<std::size_t>(standard.gsmBand), 1)
            : standard.family == BandFamily::Lte ? bands::LteBands()
                                                 : bands::NrBands();
        for (const bands::Band& band : all) {
            for (auto direction : {LinkDirection::Uplink, LinkDirection::Downlink}) {
                const bool up = direction == LinkDirection::Uplink;
                const std::span<const bands::Run> runs(
                    up ? band.uplink : band.downlink,
                    static_cast<std::size_t>(up ? band.uplinkRuns : band.downlinkRuns));
                for (const bands::Run& run : runs) {
                    for (std::int64_t n = run.first; n <= run.last; n += run.step) {
                        const auto frequencies = Channel(key, static_cast<std::int32_t>(n));
                        ASSERT_TRUE(frequencies.Ok()) << key << ' ' << n;
                        long double mhz = 0.0L;
                        for (const BandChannel& match : frequencies.Value()) {
                            if (match.band == band.name &&
                                (up ? match.hasUplink && match.uplinkChannel == n
                                    : match.hasDownlink && match.downlinkChannel == n)) {
                                mhz = up ? match.uplinkMHz : match.downlinkMHz;
                            }
                        }
                        const auto back = Frequency(key, direction, mhz);
                        ASSERT_TRUE(back.Ok()) << key << ' ' << n;
                        bool found = false;
                        for (const BandChannel& match : back.Value()) {
                            found = found ||
                                (match.band == band.name && match.channel == n && match.errorHz == 0 &&
                                 !match.offRaster);
                        }
                        EXPECT_TRUE(found) << key << ' ' << band.name << ' ' << n;
                    }
                }
            }
        }
    }
}

} // namespace
} // namespace zandrevio
