#pragma once

#include "calculation/calculation.h"

#include <array>
#include <compare>
#include <cstddef>
#include <optional>
#include <span>
#include <vector>

// Intermodulation between transmitters sharing a site: the frequencies
// c1 f1 + c2 f2 + c3 f3 that up to three carriers mix into (a carrier's own
// harmonics among them) and that land in a receive band, up to an order.
namespace zandrevio {

enum class IntermodField { Carriers, Bands, HighestOrder, OddOrdersOnly };

inline constexpr std::size_t kMostIntermodCarriers = 32;
inline constexpr int kLowestIntermodOrder = 2;
inline constexpr int kHighestIntermodOrder = 7;
// Mixes of four and more carriers are left out: in a real mixer each further
// carrier costs its level again, and their number would swamp the list.
inline constexpr int kMostMixedCarriers = 3;

// A receive band, MHz, its edges included.
struct ReceiveBand {
    long double lowMhz;
    long double highMhz;
};

struct IntermodSearch {
    std::vector<long double> carriersMhz;
    std::vector<ReceiveBand> bands;
    int highestOrder = kHighestIntermodOrder;
    bool oddOrdersOnly = false; // the orders that fall near the carriers themselves
};

// One carrier's share of a product: the carrier's index in the search's list
// and its coefficient, never 0.
struct IntermodTerm {
    int carrier;
    int coefficient;
    auto operator<=>(const IntermodTerm&) const = default;
};

struct IntermodProduct {
    long double frequencyMhz;                           // above 0: of a product and its negative, the positive one
    int order;                                          // the sum of |coefficient|
    int band;                                           // the index of the first band holding the frequency
    std::array<IntermodTerm, kMostMixedCarriers> terms; // by ascending carrier index
    int termCount;

    std::span<const IntermodTerm> Terms() const { return {terms.data(), static_cast<std::size_t>(termCount)}; }
};

struct IntermodResult {
    // By frequency, then order, then terms.
    std::vector<IntermodProduct> products;
    // How many of the products are of each order, indexed by the order (0 and 1 stay 0).
    std::array<std::size_t, kHighestIntermodOrder + 1> countByOrder{};
};

// Every product of the carriers (MHz, each above 0, no two equal, at most 32)
// of order 2 up to the highest order (2 to 7), odd orders only if asked,
// whose frequency lies in one of the bands. Each frequency is the sum of
// coefficient times carrier, in ascending carrier index, in long double.
Outcome<IntermodResult, IntermodField> IntermodulationProducts(const IntermodSearch& search);

// A carrier that would join a list of them: refused where it is no frequency,
// one of the list already, or one past the most the search takes.
std::optional<Refusal<IntermodField>> CarrierJoining(std::span<const long double> carriers, long double carrier);
// A receive band typed edge by edge: refused at the low edge
// or at the high one, as `highEdge` says.
struct BandEdgeRefusal {
    std::string message;
    bool highEdge;
};
std::optional<BandEdgeRefusal> BandOfEdges(long double lowMhz, long double highMhz);

} // namespace zandrevio
