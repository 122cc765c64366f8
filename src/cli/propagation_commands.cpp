#include "cli/command_kit.h"
#include "propagation/link_budget.h"

namespace zandrevio::cli {

namespace {
Answer LinkBudgetCommand(const Request& request, const Settings& settings)
{
    return AnswerOf(LinkBudget(InputsFrom(request, kLinkBudget)), [&](Answer& answer, const LinkBudgetResult& r) {
        answer.results.push_back(Result(kLinkLoss, r.lossDb, settings));
        answer.results.push_back(Result(kLinkReceivedPower, r.receivedPowerDbm, settings));
    });
}
} // namespace

void AddPropagationCommands(std::vector<Command>& commands)
{
    commands.push_back({"link-budget", "Downlink path loss and the power the mobile receives", OptionsOf(kLinkBudget),
                        Names({kLinkLoss, kLinkReceivedPower}), LinkBudgetCommand});
}

} // namespace zandrevio::cli
