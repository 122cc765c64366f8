#include "calculation/protocol.h"

#include <algorithm>

namespace zandrevio {

namespace {
bool Given(const Request& request, const std::vector<std::string_view>& alternative)
{
    return std::any_of(alternative.begin(), alternative.end(),
                       [&](std::string_view option) { return request.Has(option); });
}

std::string Flags(const std::vector<std::string_view>& alternative)
{
    std::string text;
    for (std::string_view option : alternative) {
        text += text.empty() ? "--" : " with --";
        text += option;
    }
    return text;
}

bool Listed(const std::vector<std::string_view>& options, std::string_view option)
{
    return std::find(options.begin(), options.end(), option) != options.end();
}
} // namespace

std::vector<OptionSpec> Calculation::Options() const
{
    std::vector<std::string_view> alternatives;
    for (const OneOf& rule : rules) {
        // An optional rule's last alternative is what runs when none is
        // given: it keeps its start values.
        const std::size_t stripped = rule.alternatives.size() - (rule.atMostOne ? 1 : 0);
        for (std::size_t i = 0; i < stripped; ++i) {
            alternatives.insert(alternatives.end(), rule.alternatives[i].begin(), rule.alternatives[i].end());
        }
    }
    std::vector<OptionSpec> options;
    for (const Variant& variant : variants) {
        for (const OptionSpec& option : variant.options) {
            auto known = std::find_if(options.begin(), options.end(),
                                      [&](const OptionSpec& o) { return o.name == option.name; });
            if (known != options.end()) {
                continue;
            }
            options.push_back(option);
            if (Listed(alternatives, option.name)) {
                options.back().start = {};
            }
        }
    }
    return options;
}

std::vector<const ResultSpec*> Calculation::Results() const
{
    std::vector<const ResultSpec*> results;
    for (const Variant& variant : variants) {
        for (const ResultSpec* result : variant.results) {
            if (std::none_of(results.begin(), results.end(),
                             [&](const ResultSpec* r) { return r->name == result->name; })) {
                results.push_back(result);
            }
        }
    }
    return results;
}

std::string Calculation::RuleText(const OneOf& rule) const
{
    std::string text = std::string(name) + " takes ";
    if (!rule.wording.empty()) {
        return text + std::string(rule.wording);
    }
    const bool single = std::all_of(rule.alternatives.begin(), rule.alternatives.end(),
                                    [](const auto& alternative) { return alternative.size() == 1; });
    if (!single) {
        // "--traffic, or --calls with --interval"
        for (std::size_t i = 0; i < rule.alternatives.size(); ++i) {
            text += i == 0 ? "" : ", or ";
            text += Flags(rule.alternatives[i]);
        }
        return text;
    }
    text += rule.count == 2 ? "two of " : "one of ";
    for (std::size_t i = 0; i < rule.alternatives.size(); ++i) {
        if (i > 0) {
            text += i + 1 == rule.alternatives.size() ? " and " : ", ";
        }
        text += Flags(rule.alternatives[i]);
    }
    return text;
}

std::vector<std::string_view> Calculation::CheckRules(const Request& request) const
{
    std::vector<std::string_view> skip;
    for (const OneOf& rule : rules) {
        int given = 0;
        for (const auto& alternative : rule.alternatives) {
            given += Given(request, alternative) ? 1 : 0;
            if (rule.firstLeads && Given(request, alternative) && !request.Has(alternative.front())) {
                throw RequestError(RuleText(rule));
            }
        }
        if (rule.atMostOne ? given > 1 : given != rule.count) {
            throw RequestError(RuleText(rule));
        }
        if (rule.atMostOne && given == 0) {
            continue; // the default variant: every alternative keeps its start
        }
        for (const auto& alternative : rule.alternatives) {
            if (!Given(request, alternative)) {
                skip.insert(skip.end(), alternative.begin(), alternative.end());
            }
        }
    }
    return skip;
}

const Variant& Calculation::VariantFor(const Request& request) const
{
    for (const Variant& variant : variants) {
        if (std::all_of(variant.needs.begin(), variant.needs.end(),
                        [&](std::string_view option) { return request.Has(option); })) {
            return variant;
        }
    }
    // Otherwise the way nearest to the options given names what it still needs.
    const Variant* nearest = nullptr;
    std::string missing;
    std::size_t fewest = 0;
    for (const Variant& variant : variants) {
        std::string lacks;
        std::size_t count = 0;
        for (std::string_view option : variant.needs) {
            if (!request.Has(option)) {
                lacks += (lacks.empty() ? "--" : " and --") + std::string(option);
                ++count;
            }
        }
        if (nearest == nullptr || count < fewest) {
            nearest = &variant;
            missing = lacks;
            fewest = count;
        }
    }
    throw RequestError(std::string(name) + " needs " + missing);
}

Reply Calculation::Run(const Request& request) const
{
    const std::vector<std::string_view> skip = CheckRules(request);
    return VariantFor(request).run(request, skip);
}

} // namespace zandrevio
