#include "cli/commands.h"

#include "numeric/app_error.h"
#include "numeric/format.h"
#include "numeric/parse_real.h"
#include "registry/registry.h"

#include <algorithm>
#include <mutex>

namespace zandrevio::cli {

namespace {
// The help of an option: its caption, what kind of number it is, and the
// option that gives its unit where one does.
std::string HelpOf(const OptionSpec& option, const std::vector<OptionSpec>& all)
{
    std::string help(option.caption);
    if (!option.help.empty()) {
        help += ": " + std::string(option.help);
    }
    const std::string unit = std::string(option.name) + "-unit";
    for (const OptionSpec& other : all) {
        if (other.name == unit) {
            std::string words;
            for (const Choice& choice : other.choices) {
                words += (words.empty() ? "" : " or ") + std::string(choice.key);
            }
            help += ", in " + words + " as --" + unit + " says";
        }
    }
    return help;
}

Command CommandOf(const Calculation& calculation)
{
    Command command{std::string(calculation.name), std::string(calculation.summary), {}, {}, &calculation};
    const std::vector<OptionSpec> options = calculation.Options();
    for (const OptionSpec& option : options) {
        std::vector<std::string> words;
        for (const Choice& choice : option.choices) {
            words.emplace_back(choice.key);
        }
        OptionInfo info;
        info.name = option.name;
        info.help = HelpOf(option, options);
        info.kind = option.kind;
        info.choices = std::move(words);
        info.start = option.start;
        info.items = option.choices;
        info.narrowedBy = option.narrowedBy;
        info.placeholder = option.placeholder;
        info.repeated = option.repeated;
        for (const auto& [word, narrowed] : option.wordsFor) {
            info.wordsFor.emplace_back(std::string(word), std::vector<std::string>(narrowed.begin(), narrowed.end()));
        }
        command.options.push_back(std::move(info));
    }
    for (const ResultSpec* result : calculation.Results()) {
        command.results.emplace_back(result->name);
    }
    return command;
}

ResultText TextOf(const ResultValue& result, const Settings& settings)
{
    std::string value =
        result.format == ResultFormat::Text ? result.text : FormatAs(result.format, result.value, settings.digits);
    return {std::string(result.spec->name), std::move(value), std::string(result.unit)};
}

std::vector<ResultText> TextsOf(const std::vector<ResultValue>& results, const Settings& settings)
{
    std::vector<ResultText> texts;
    texts.reserve(results.size());
    for (const ResultValue& result : results) {
        texts.push_back(TextOf(result, settings));
    }
    return texts;
}

// Every option given is read before the calculation runs: a text that is no
// number is the user's slip, not the calculation's refusal.
void CheckOption(const OptionInfo& option, const std::string& text, Request& request)
{
    switch (option.kind) {
    case FieldKind::Real:
        try {
            request.Remember(option.name, ParseReal(text));
        } catch (const ConversionFailure&) {
            throw UsageError(option.name, "'" + text + "' is not a number");
        }
        break;
    case FieldKind::Whole:
        ParseWhole(option.name, text);
        break;
    case FieldKind::Choice:
        if (!option.items.empty()) {
            MatchChoice(option.name, option.items, text);
        }
        break;
    case FieldKind::Text:
        break;
    }
}

} // namespace

// The answer as the window would write it.
Answer AnswerOf(const Reply& reply, const Settings& settings)
{
    Answer answer;
    answer.results = TextsOf(reply.results, settings);
    for (const std::vector<ResultValue>& match : reply.matches) {
        answer.matches.push_back(TextsOf(match, settings));
    }
    answer.rows.reserve(reply.rows.size());
    for (const std::vector<ResultValue>& row : reply.rows) {
        answer.rows.push_back(TextsOf(row, settings));
    }
    for (const CurvePoint& point : reply.curve) {
        answer.curve.emplace_back(FormatAs(ResultFormat::Result, point.x, settings.digits),
                                  FormatAs(ResultFormat::Result, point.y, settings.digits));
    }
    answer.warnings = reply.warnings;
    answer.error = reply.error;
    if (settings.echoInputs) {
        answer.inputs.reserve(reply.inputs.size());
        for (const auto& [option, text] : reply.inputs) {
            answer.inputs.emplace_back(std::string(option), text);
        }
    }
    return answer;
}

namespace {
// Each command in its place, made from its calculation on first use.
struct MadeCommands {
    std::vector<Command> commands = std::vector<Command>(CalculationNames().size());
    std::vector<std::once_flag> once = std::vector<std::once_flag>(CalculationNames().size());
};
MadeCommands& Made()
{
    static MadeCommands made;
    return made;
}
} // namespace

const Command& CommandAt(std::size_t index)
{
    MadeCommands& made = Made();
    std::call_once(made.once[index], [&] { made.commands[index] = CommandOf(CalculationAt(index)); });
    return made.commands[index];
}

const std::vector<Command>& Commands()
{
    for (std::size_t i = 0; i < CalculationNames().size(); ++i) {
        CommandAt(i);
    }
    return Made().commands;
}

const Command* FindCommand(std::string_view name)
{
    const std::ptrdiff_t index = CalculationIndex(name);
    return index < 0 ? nullptr : &CommandAt(static_cast<std::size_t>(index));
}

void CheckRequest(const Command& command, Request& request)
{
    const std::size_t given = request.Options().size();
    for (std::size_t i = 0; i < given; ++i) {
        // Plain references: clang 14 cannot capture a structured binding.
        const std::string& name = request.Options()[i].first;
        const std::string& text = request.Options()[i].second;
        const auto option = std::find_if(command.options.begin(), command.options.end(),
                                         [&](const OptionInfo& o) { return o.name == name; });
        if (option == command.options.end()) {
            throw UsageError(command.name + " has no option --" + name);
        }
        if (!request.Exact(name)) {
            CheckOption(*option, text, request);
        }
    }
}

Answer Execute(const Command& command, Request request, const Settings& settings)
{
    request.SetEcho(settings.echoInputs);
    CheckRequest(command, request);
    Answer answer;
    try {
        answer = AnswerOf(command.calculation->Run(request), settings);
    } catch (const ApplicationError& error) {
        answer = Answer{};
        answer.error = ApplicationErrorBoxText(error.Message());
    }
    answer.calculation = command.name;
    return answer;
}

} // namespace zandrevio::cli
