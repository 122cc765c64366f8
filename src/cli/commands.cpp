#include "cli/commands.h"

#include "cli/command_kit.h"
#include "numeric/app_error.h"

#include <algorithm>

namespace zandrevio::cli {

const std::vector<Command>& Commands()
{
    static const std::vector<Command> commands = [] {
        std::vector<Command> all;
        AddChannelCommands(all);
        AddBandCommands(all);
        AddPropagationCommands(all);
        AddPlanningCommands(all);
        AddTrafficCommands(all);
        AddFeederCommands(all);
        AddAntennaCommands(all);
        AddUnitCommands(all);
        return all;
    }();
    return commands;
}

const Command* FindCommand(std::string_view name)
{
    std::string wanted(name);
    std::replace(wanted.begin(), wanted.end(), ' ', '-');
    for (const Command& command : Commands()) {
        if (command.name == wanted) {
            return &command;
        }
    }
    return nullptr;
}

Answer Execute(const Command& command, const Request& request, const Settings& settings)
{
    for (const auto& given : request.Options()) {
        const bool known = std::any_of(command.options.begin(), command.options.end(),
                                       [&](const OptionInfo& option) { return option.name == given.first; });
        if (!known) {
            throw UsageError(command.name + " has no option --" + given.first);
        }
    }
    Answer answer;
    try {
        answer = command.run(request, settings);
    } catch (const ApplicationError& error) {
        answer = Answer{};
        answer.error = ApplicationErrorBoxText(error.Message());
    }
    answer.calculation = command.name;
    if (!settings.echoInputs) {
        return answer;
    }
    for (const OptionInfo& option : command.options) {
        if (auto text = request.Text(option.name)) {
            answer.inputs.emplace_back(option.name, *text);
        } else if (!option.start.empty()) {
            answer.inputs.emplace_back(option.name, option.start);
        }
    }
    return answer;
}

} // namespace zandrevio::cli
