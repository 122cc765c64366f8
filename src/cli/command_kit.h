#pragma once

#include "cli/commands.h"
#include "numeric/format.h"

#include <algorithm>
#include <charconv>
#include <initializer_list>
#include <string>
#include <vector>

// What the commands share: their options from a calculation's description,
// and results written as the window writes them.
namespace zandrevio::cli {

inline std::vector<std::string> Keys(std::span<const Choice> choices)
{
    std::vector<std::string> keys;
    for (const Choice& choice : choices) {
        keys.emplace_back(choice.key);
    }
    return keys;
}

template <typename Field>
std::vector<OptionInfo> OptionsOf(const CalculationSpec<Field>& calculation)
{
    std::vector<OptionInfo> options;
    for (const FieldSpec<Field>& spec : calculation.fields) {
        options.push_back(
            {std::string(spec.option), std::string(spec.caption), Keys(spec.choices), std::string(spec.start)});
    }
    return options;
}

inline std::vector<std::string> Names(std::initializer_list<ResultSpec> results)
{
    std::vector<std::string> names;
    for (const ResultSpec& result : results) {
        names.emplace_back(result.name);
    }
    return names;
}

// Every option of the calculations, each once, in the order first met.
template <typename Field>
std::vector<OptionInfo> Union(std::initializer_list<const CalculationSpec<Field>*> calculations)
{
    std::vector<OptionInfo> options;
    for (const auto* calculation : calculations) {
        for (OptionInfo& option : OptionsOf(*calculation)) {
            if (std::none_of(options.begin(), options.end(),
                             [&](const OptionInfo& o) { return o.name == option.name; })) {
                options.push_back(std::move(option));
            }
        }
    }
    return options;
}

// The options less the start values of those that are alternatives: one of
// them is given, none is taken from the window.
inline std::vector<OptionInfo> WithoutStarts(std::vector<OptionInfo> options,
                                             std::initializer_list<const char*> alternatives)
{
    for (OptionInfo& option : options) {
        for (const char* name : alternatives) {
            if (option.name == name) {
                option.start.clear();
            }
        }
    }
    return options;
}

inline ResultText Result(const ResultSpec& result, long double value, const Settings& settings)
{
    return {std::string(result.name), FormatAs(result.format, value, settings.digits), std::string(result.unit)};
}

// A count as a spin field shows it: a plain whole number.
inline ResultText Count(const ResultSpec& result, long long value)
{
    char text[24];
    const auto end = std::to_chars(text, text + sizeof text, value).ptr;
    return {std::string(result.name), std::string(text, end), std::string(result.unit)};
}

// The answer of an outcome: its refusal's message, or the results `write`
// makes of its value.
template <typename T, typename Field, typename Write>
Answer AnswerOf(const Outcome<T, Field>& outcome, Write write)
{
    Answer answer;
    if (!outcome.Ok()) {
        answer.error = outcome.Error().message;
        return answer;
    }
    write(answer, outcome.Value());
    return answer;
}

void AddChannelCommands(std::vector<Command>& commands);
void AddBandCommands(std::vector<Command>& commands);
void AddPropagationCommands(std::vector<Command>& commands);
void AddPlanningCommands(std::vector<Command>& commands);
void AddTrafficCommands(std::vector<Command>& commands);
void AddFeederCommands(std::vector<Command>& commands);
void AddAntennaCommands(std::vector<Command>& commands);
void AddUnitCommands(std::vector<Command>& commands);

} // namespace zandrevio::cli
