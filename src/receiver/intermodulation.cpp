#include "receiver/intermodulation.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>

namespace zandrevio {

using Field = IntermodField;

namespace {

std::string Numbered(const char* noun, std::size_t index)
{
    return std::string(noun) + " " + std::to_string(index + 1);
}

// The first thing wrong with a search, counting carriers and bands from 1
// as the user does.
std::optional<Refusal<Field>> RefusalOf(const IntermodSearch& search)
{
    const std::vector<long double>& carriers = search.carriersMhz;
    if (carriers.empty()) {
        return Refusal<Field>{"Enter at least one carrier frequency", Field::Carriers};
    }
    if (carriers.size() > kMostIntermodCarriers) {
        return Refusal<Field>{"At most " + std::to_string(kMostIntermodCarriers) + " carriers can be searched",
                              Field::Carriers};
    }
    for (std::size_t i = 0; i < carriers.size(); ++i) {
        if (!(carriers[i] > 0.0L)) {
            return Refusal<Field>{Numbered("Carrier", i) + " must be greater than 0 MHz", Field::Carriers};
        }
        if (!std::isfinite(carriers[i])) {
            return Refusal<Field>{Numbered("Carrier", i) + " must be a finite frequency", Field::Carriers};
        }
    }
    for (std::size_t i = 0; i < carriers.size(); ++i) {
        for (std::size_t j = i + 1; j < carriers.size(); ++j) {
            if (carriers[i] == carriers[j]) {
                return Refusal<Field>{Numbered("Carriers", i) + " and " + std::to_string(j + 1) +
                                          " are the same frequency",
                                      Field::Carriers};
            }
        }
    }
    if (search.bands.empty()) {
        return Refusal<Field>{"Enter at least one receive band", Field::Bands};
    }
    for (std::size_t i = 0; i < search.bands.size(); ++i) {
        const ReceiveBand& band = search.bands[i];
        if (!(band.lowMhz > 0.0L)) {
            return Refusal<Field>{Numbered("Band", i) + " must have its low edge above 0 MHz", Field::Bands};
        }
        if (std::isinf(band.highMhz)) {
            return Refusal<Field>{Numbered("Band", i) + " must have a finite high edge", Field::Bands};
        }
        if (!(band.lowMhz < band.highMhz)) {
            return Refusal<Field>{Numbered("Band", i) + " has its low edge above or at its high edge", Field::Bands};
        }
    }
    if (search.highestOrder < kLowestIntermodOrder || search.highestOrder > kHighestIntermodOrder) {
        return Refusal<Field>{"Highest order must be from " + std::to_string(kLowestIntermodOrder) + " to " +
                                  std::to_string(kHighestIntermodOrder),
                              Field::HighestOrder};
    }
    return std::nullopt;
}

// Keeps the candidates that land in a band. Nearly all of them land in
// none, and most of those lie outside the span from the lowest edge to the
// highest: two comparisons turn them away, and a product is only built for
// a candidate that is kept.
class BandSieve {
public:
    BandSieve(std::span<const ReceiveBand> bands, std::vector<IntermodProduct>& kept)
        : m_bands(bands)
        , m_kept(kept)
    {
        for (const ReceiveBand& band : bands) {
            m_lowest = std::min(m_lowest, band.lowMhz);
            m_highest = std::max(m_highest, band.highMhz);
        }
    }

    // A candidate whose sum may be negative: a sum and its negative are one
    // frequency, listed as the positive one with its coefficients negated.
    template <typename... Terms>
    void Offer(long double sum, int order, Terms... terms)
    {
        const long double frequency = sum < 0.0L ? -sum : sum;
        if (frequency < m_lowest || frequency > m_highest) {
            return;
        }
        const int band = BandOf(frequency);
        if (band < 0) {
            return;
        }
        const int sign = sum < 0.0L ? -1 : 1;
        m_kept.push_back({frequency,
                          order,
                          band,
                          {IntermodTerm{terms.carrier, sign * terms.coefficient}...},
                          static_cast<int>(sizeof...(terms))});
    }

private:
    int BandOf(long double frequency) const
    {
        for (std::size_t i = 0; i < m_bands.size(); ++i) {
            if (m_bands[i].lowMhz <= frequency && frequency <= m_bands[i].highMhz) {
                return static_cast<int>(i);
            }
        }
        return -1;
    }

    std::span<const ReceiveBand> m_bands;
    std::vector<IntermodProduct>& m_kept;
    long double m_lowest = HUGE_VALL;
    long double m_highest = -HUGE_VALL;
};

// A closure rather than a function, so that the sort inlines it.
constexpr auto kListedBefore = [](const IntermodProduct& a, const IntermodProduct& b) {
    if (a.frequencyMhz != b.frequencyMhz) {
        return a.frequencyMhz < b.frequencyMhz;
    }
    if (a.order != b.order) {
        return a.order < b.order;
    }
    return std::ranges::lexicographical_compare(a.Terms(), b.Terms());
};

} // namespace

std::optional<Refusal<Field>> CarrierJoining(std::span<const long double> carriers, long double carrier)
{
    if (!(carrier > 0.0L)) {
        return Refusal<Field>{"A carrier must be greater than 0 MHz", Field::Carriers};
    }
    for (std::size_t i = 0; i < carriers.size(); ++i) {
        if (carriers[i] == carrier) {
            return Refusal<Field>{Numbered("Carrier", i) + " is this frequency already", Field::Carriers};
        }
    }
    if (carriers.size() >= kMostIntermodCarriers) {
        // Not a slip of the typing: the list is full.
        return Refusal<Field>{"At most " + std::to_string(kMostIntermodCarriers) + " carriers can be searched",
                              Field::Carriers, false};
    }
    return std::nullopt;
}

std::optional<BandEdgeRefusal> BandOfEdges(long double lowMhz, long double highMhz)
{
    if (!(lowMhz > 0.0L)) {
        return BandEdgeRefusal{"A band must have its low edge above 0 MHz", false};
    }
    if (!(highMhz > lowMhz)) {
        return BandEdgeRefusal{"A band's high edge must be above its low edge", true};
    }
    return std::nullopt;
}

Outcome<IntermodResult, Field> IntermodulationProducts(const IntermodSearch& search)
{
    if (std::optional<Refusal<Field>> refusal = RefusalOf(search)) {
        return *std::move(refusal);
    }
    const int top = search.highestOrder;
    std::array<bool, kHighestIntermodOrder + 1> wanted{};
    for (int order = kLowestIntermodOrder; order <= top; ++order) {
        wanted[order] = !search.oddOrdersOnly || order % 2 == 1;
    }

    // m f of every carrier for m up to the highest order, worked out once;
    // (-m) f is -(m f) exactly, so a negative coefficient subtracts it. By
    // multiple first, so that the innermost loop over carriers reads on.
    const int count = static_cast<int>(search.carriersMhz.size());
    std::vector<long double> multiples(static_cast<std::size_t>((top + 1) * count));
    const auto multiple = [&](int m, int carrier) -> long double& {
        return multiples[static_cast<std::size_t>(m * count + carrier)];
    };
    for (int m = 1; m <= top; ++m) {
        for (int k = 0; k < count; ++k) {
            multiple(m, k) = static_cast<long double>(m) * search.carriersMhz[static_cast<std::size_t>(k)];
        }
    }

    IntermodResult result;
    BandSieve sieve(search.bands, result.products);
    using T = IntermodTerm;
    // Of a coefficient vector and its negative, the one whose first
    // coefficient is positive is offered; the sieve turns it round.
    for (int i = 0; i < count; ++i) {
        for (int m = kLowestIntermodOrder; m <= top; ++m) {
            if (wanted[m]) {
                sieve.Offer(multiple(m, i), m, T{i, m});
            }
        }
    }
    for (int i = 0; i < count; ++i) {
        for (int j = i + 1; j < count; ++j) {
            for (int a = 1; a < top; ++a) {
                for (int b = 1; a + b <= top; ++b) {
                    if (wanted[a + b]) {
                        sieve.Offer(multiple(a, i) + multiple(b, j), a + b, T{i, a}, T{j, b});
                        sieve.Offer(multiple(a, i) - multiple(b, j), a + b, T{i, a}, T{j, -b});
                    }
                }
            }
        }
    }
    for (int i = 0; i < count; ++i) {
        for (int j = i + 1; j < count; ++j) {
            for (int a = 1; a + 2 <= top; ++a) {
                for (int b = 1; a + b + 1 <= top; ++b) {
                    for (const int signB : {1, -1}) {
                        const long double pair =
                            signB > 0 ? multiple(a, i) + multiple(b, j) : multiple(a, i) - multiple(b, j);
                        for (int c = 1; a + b + c <= top; ++c) {
                            const int order = a + b + c;
                            if (!wanted[order]) {
                                continue;
                            }
                            const long double* third = &multiple(c, 0);
                            for (int k = j + 1; k < count; ++k) {
                                sieve.Offer(pair + third[k], order, T{i, a}, T{j, signB * b}, T{k, c});
                                sieve.Offer(pair - third[k], order, T{i, a}, T{j, signB * b}, T{k, -c});
                            }
                        }
                    }
                }
            }
        }
    }

    std::ranges::sort(result.products, kListedBefore);
    for (const IntermodProduct& product : result.products) {
        ++result.countByOrder[static_cast<std::size_t>(product.order)];
    }
    return result;
}

} // namespace zandrevio
