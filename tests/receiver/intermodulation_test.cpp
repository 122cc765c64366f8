#include "receiver/intermodulation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <random>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace zandrevio {
namespace {

using Terms = std::vector<std::pair<int, int>>; // carrier, coefficient

struct Listed {
    long double frequency;
    int order;
    int band;
    Terms terms;
};

Terms TermsOf(const IntermodProduct& product)
{
    Terms terms;
    for (const IntermodTerm& term : product.Terms()) {
        terms.emplace_back(term.carrier, term.coefficient);
    }
    return terms;
}

std::vector<Listed> ListOf(const IntermodSearch& search)
{
    const Outcome<IntermodResult, IntermodField> outcome = IntermodulationProducts(search);
    EXPECT_TRUE(outcome.Ok()) << (outcome.Ok() ? "" : outcome.Error().message);
    std::vector<Listed> list;
    if (outcome.Ok()) {
        for (const IntermodProduct& product : outcome.Value().products) {
            list.push_back({product.frequencyMhz, product.order, product.band, TermsOf(product)});
        }
    }
    return list;
}

// Every vector of coefficients from -order to order, one per carrier, in
// turn like an odometer: those with one to three carriers and a positive
// sum are the products.
std::vector<Listed> ByEveryCoefficientVector(const IntermodSearch& search)
{
    const int top = search.highestOrder;
    const std::size_t count = search.carriersMhz.size();
    std::vector<int> coefficients(count, -top);
    std::vector<Listed> list;
    for (;;) {
        int order = 0;
        int mixed = 0;
        for (const int c : coefficients) {
            order += std::abs(c);
            mixed += c != 0 ? 1 : 0;
        }
        if (order >= 2 && order <= top && mixed <= 3 && (!search.oddOrdersOnly || order % 2 == 1)) {
            long double sum = 0.0L;
            Terms terms;
            for (std::size_t k = 0; k < count; ++k) {
                if (coefficients[k] != 0) {
                    sum += coefficients[k] * search.carriersMhz[k];
                    terms.emplace_back(static_cast<int>(k), coefficients[k]);
                }
            }
            const auto band = std::ranges::find_if(
                search.bands, [&](const ReceiveBand& b) { return b.lowMhz <= sum && sum <= b.highMhz; });
            if (sum > 0.0L && band != search.bands.end()) {
                list.push_back({sum, order, static_cast<int>(band - search.bands.begin()), terms});
            }
        }
        std::size_t digit = 0;
        while (digit < count && coefficients[digit] == top) {
            coefficients[digit++] = -top;
        }
        if (digit == count) {
            break;
        }
        ++coefficients[digit];
    }
    std::ranges::sort(list, [](const Listed& a, const Listed& b) {
        return std::tie(a.frequency, a.order, a.terms) < std::tie(b.frequency, b.order, b.terms);
    });
    return list;
}

// Carriers partly on a 200 kHz raster, where sums of different carriers
// meet, partly anywhere; bands around the carriers, their second harmonics
// and their differences, overlapping so that the first band must win.
IntermodSearch RandomSearch(std::uint32_t seed)
{
    std::mt19937 random(seed);
    IntermodSearch search;
    const std::size_t count = 2 + random() % 4;
    while (search.carriersMhz.size() < count) {
        const long double carrier =
            random() % 2 ? 900.0L + (random() % 300) / 5.0L : 880.0L + (random() % 1000000) / 10000.0L;
        if (std::ranges::find(search.carriersMhz, carrier) == search.carriersMhz.end()) {
            search.carriersMhz.push_back(carrier);
        }
    }
    search.bands = {{870.0L, 935.0L}, {925.0L, 990.0L}, {1800.0L, 1900.0L}, {0.1L, 60.0L}, {2700.0L, 2800.0L}};
    search.highestOrder = 2 + static_cast<int>(random() % 6);
    search.oddOrdersOnly = random() % 3 == 0;
    return search;
}

void ExpectSameLists(const std::vector<Listed>& found, const std::vector<Listed>& expected)
{
    ASSERT_EQ(found.size(), expected.size());
    for (std::size_t i = 0; i < found.size(); ++i) {
        SCOPED_TRACE("product " + std::to_string(i));
        EXPECT_EQ(found[i].frequency, expected[i].frequency);
        EXPECT_EQ(found[i].order, expected[i].order);
        EXPECT_EQ(found[i].band, expected[i].band);
        EXPECT_EQ(found[i].terms, expected[i].terms);
    }
}

TEST(Intermodulation, FindsWhatEveryCoefficientVectorFinds)
{
    for (std::uint32_t seed = 1; seed <= 12; ++seed) {
        const IntermodSearch search = RandomSearch(seed);
        SCOPED_TRACE("seed " + std::to_string(seed));
        const std::vector<Listed> expected = ByEveryCoefficientVector(search);
        EXPECT_FALSE(expected.empty());
        ExpectSameLists(ListOf(search), expected);
    }
}

// Two GSM carriers 800 kHz apart: 2f1 - f2 and 2f2 - f1 fall a spacing
// outside the pair, the fifth and seventh orders a spacing further each;
// the second harmonics and the sum near 1871 MHz, the band's high edge
// itself included.
TEST(Intermodulation, TwoCarriersWorkedCase)
{
    struct Case {
        int highestOrder;
        std::vector<ReceiveBand> bands;
        std::vector<Listed> expected;
    };
    const std::vector<Case> cases = {
        {3, {{930.0L, 940.0L}}, {{934.4L, 3, 0, {{0, 2}, {1, -1}}}, {936.8L, 3, 0, {{0, -1}, {1, 2}}}}},
        {5,
         {{930.0L, 940.0L}},
         {{933.6L, 5, 0, {{0, 3}, {1, -2}}},
          {934.4L, 3, 0, {{0, 2}, {1, -1}}},
          {936.8L, 3, 0, {{0, -1}, {1, 2}}},
          {937.6L, 5, 0, {{0, -2}, {1, 3}}}}},
        {7,
         {{932.0L, 933.0L}, {938.0L, 939.0L}},
         {{932.8L, 7, 0, {{0, 4}, {1, -3}}}, {938.4L, 7, 1, {{0, -3}, {1, 4}}}}},
        {2,
         {{930.0L, 940.0L}, {1870.0L, 1872.0L}},
         {{1870.4L, 2, 1, {{0, 2}}}, {1871.2L, 2, 1, {{0, 1}, {1, 1}}}, {1872.0L, 2, 1, {{1, 2}}}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("highest order " + std::to_string(c.highestOrder));
        const std::vector<Listed> found = ListOf({{935.2L, 936.0L}, c.bands, c.highestOrder, false});
        ASSERT_EQ(found.size(), c.expected.size());
        for (std::size_t i = 0; i < found.size(); ++i) {
            EXPECT_NEAR(found[i].frequency, c.expected[i].frequency, 1e-12L);
            EXPECT_EQ(found[i].order, c.expected[i].order);
            EXPECT_EQ(found[i].band, c.expected[i].band);
            EXPECT_EQ(found[i].terms, c.expected[i].terms);
        }
    }
}

TEST(Intermodulation, OddOrdersOnlyDropsTheEvenOnes)
{
    IntermodSearch search{
        {935.2L, 936.0L, 941.4L, 1842.6L}, {{880.0L, 960.0L}, {1860.0L, 1890.0L}, {2700.0L, 2900.0L}}, 7, false};
    const Outcome<IntermodResult, IntermodField> all = IntermodulationProducts(search);
    search.oddOrdersOnly = true;
    const Outcome<IntermodResult, IntermodField> odd = IntermodulationProducts(search);
    ASSERT_TRUE(all.Ok() && odd.Ok());
    std::vector<IntermodProduct> expected;
    std::ranges::copy_if(all.Value().products, std::back_inserter(expected),
                         [](const IntermodProduct& p) { return p.order % 2 == 1; });
    ASSERT_EQ(odd.Value().products.size(), expected.size());
    EXPECT_LT(expected.size(), all.Value().products.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(odd.Value().products[i].frequencyMhz, expected[i].frequencyMhz);
        EXPECT_EQ(TermsOf(odd.Value().products[i]), TermsOf(expected[i]));
    }
    for (const int even : {2, 4, 6}) {
        EXPECT_GT(all.Value().countByOrder[even], 0U);
        EXPECT_EQ(odd.Value().countByOrder[even], 0U);
    }
}

TEST(Intermodulation, CountsByOrderAddUpToTheList)
{
    for (std::uint32_t seed = 20; seed <= 25; ++seed) {
        const Outcome<IntermodResult, IntermodField> outcome = IntermodulationProducts(RandomSearch(seed));
        ASSERT_TRUE(outcome.Ok());
        const IntermodResult& result = outcome.Value();
        std::size_t total = 0;
        for (int order = 0; order <= kHighestIntermodOrder; ++order) {
            const auto listed =
                std::ranges::count_if(result.products, [order](const IntermodProduct& p) { return p.order == order; });
            EXPECT_EQ(result.countByOrder[order], static_cast<std::size_t>(listed)) << "order " << order;
            total += result.countByOrder[order];
        }
        EXPECT_EQ(total, result.products.size());
    }
}

TEST(Intermodulation, RefusalsNameTheirField)
{
    const std::vector<long double> two = {935.2L, 936.0L};
    const std::vector<ReceiveBand> band = {{880.0L, 915.0L}};
    struct Case {
        IntermodSearch search;
        IntermodField field;
        std::string message;
    };
    const std::vector<Case> cases = {
        {{{}, band, 7, false}, IntermodField::Carriers, "Enter at least one carrier frequency"},
        {{std::vector<long double>(33, 900.0L), band, 7, false},
         IntermodField::Carriers,
         "At most 32 carriers can be searched"},
        {{{935.2L, 0.0L}, band, 7, false}, IntermodField::Carriers, "Carrier 2 must be greater than 0 MHz"},
        {{{-1.0L}, band, 7, false}, IntermodField::Carriers, "Carrier 1 must be greater than 0 MHz"},
        {{{HUGE_VALL}, band, 7, false}, IntermodField::Carriers, "Carrier 1 must be a finite frequency"},
        {{{935.2L, 936.0L, 935.2L}, band, 7, false},
         IntermodField::Carriers,
         "Carriers 1 and 3 are the same frequency"},
        {{two, {}, 7, false}, IntermodField::Bands, "Enter at least one receive band"},
        {{two, {{880.0L, 915.0L}, {1785.0L, 1710.0L}}, 7, false},
         IntermodField::Bands,
         "Band 2 has its low edge above or at its high edge"},
        {{two, {{900.0L, 900.0L}}, 7, false},
         IntermodField::Bands,
         "Band 1 has its low edge above or at its high edge"},
        {{two, {{0.0L, 915.0L}}, 7, false}, IntermodField::Bands, "Band 1 must have its low edge above 0 MHz"},
        {{two, {{880.0L, HUGE_VALL}}, 7, false}, IntermodField::Bands, "Band 1 must have a finite high edge"},
        {{two, {{880.0L, NAN}}, 7, false}, IntermodField::Bands, "Band 1 has its low edge above or at its high edge"},
        {{two, band, 1, false}, IntermodField::HighestOrder, "Highest order must be from 2 to 7"},
        {{two, band, 8, false}, IntermodField::HighestOrder, "Highest order must be from 2 to 7"},
    };
    for (const Case& c : cases) {
        const Outcome<IntermodResult, IntermodField> outcome = IntermodulationProducts(c.search);
        ASSERT_FALSE(outcome.Ok()) << c.message;
        EXPECT_EQ(outcome.Error().message, c.message);
        EXPECT_EQ(outcome.Error().field, c.field) << c.message;
    }
    std::vector<long double> most;
    for (int k = 0; k < 32; ++k) {
        most.push_back(925.2L + k);
    }
    EXPECT_TRUE(IntermodulationProducts({most, band, 7, false}).Ok());
}

// A carrier or a band as the list takes it, one at a time: the same rules,
// said of the one typed; a full list is no slip of the typing and does not beep.
TEST(Intermodulation, ACarrierOrABandIsCheckedAsItJoins)
{
    const std::vector<long double> two = {935.2L, 936.0L};
    EXPECT_FALSE(CarrierJoining(two, 947.6L).has_value());
    EXPECT_EQ(CarrierJoining(two, 0.0L)->message, "A carrier must be greater than 0 MHz");
    EXPECT_EQ(CarrierJoining(two, NAN)->message, "A carrier must be greater than 0 MHz");
    EXPECT_EQ(CarrierJoining(two, 936.0L)->message, "Carrier 2 is this frequency already");
    const auto full = CarrierJoining(std::vector<long double>(32, 1.0L), 947.6L);
    EXPECT_EQ(full->message, "At most 32 carriers can be searched");
    EXPECT_FALSE(full->beep);
    EXPECT_FALSE(BandOfEdges(880.0L, 915.0L).has_value());
    EXPECT_FALSE(BandOfEdges(0.0L, 915.0L)->highEdge);
    EXPECT_EQ(BandOfEdges(915.0L, 915.0L)->message, "A band's high edge must be above its low edge");
    EXPECT_TRUE(BandOfEdges(915.0L, 915.0L)->highEdge);
}

} // namespace
} // namespace zandrevio
