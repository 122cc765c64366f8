#include "propagation/propagation_entries.h"

#include "propagation/budget_patterns.h"
#include "propagation/cell_range.h"
#include "propagation/link_budget.h"
#include "propagation/path_loss.h"

namespace zandrevio {

namespace {
// The areas each model has, for the completion of --area once --model is
// typed.
template <std::size_t N>
void NarrowAreas(Calculation& calculation, const Choice (&models)[N])
{
    for (Variant& variant : calculation.variants) {
        for (OptionSpec& option : variant.options) {
            if (option.name != "area") {
                continue;
            }
            option.narrowedBy = "model";
            for (const Choice& model : models) {
                const int index = MatchChoice("model", kPathLossModels, model.key);
                std::vector<std::string_view> areas;
                for (PlanningArea area : AreasOf(static_cast<PathLossModel>(index))) {
                    areas.push_back(kPlanningAreas[static_cast<int>(area)].key);
                }
                option.wordsFor.emplace_back(model.key, std::move(areas));
            }
        }
    }
}
// A budget whose BS antenna may be a pattern file: its options and results
// added, its run wrapped.
void WithBsPattern(Calculation& calculation,
                   Reply (*run)(const Variant&, const Request&, const std::vector<std::string_view>&))
{
    for (Variant& variant : calculation.variants) {
        for (const OptionSpec& option : BsPatternOptions()) {
            variant.options.push_back(option);
        }
        variant.results.push_back(&BsPatternGainResult());
        variant.results.push_back(&BsPatternElevationResult());
        const Variant plain = variant;
        variant.run = [plain, run](const Request& request, const std::vector<std::string_view>& skip) {
            return run(plain, request, skip);
        };
        if (plain.sweep) {
            // A sweep without a pattern keeps its fast path; with one, each row runs wrapped.
            variant.sweep = [sweep = plain.sweep](const Request& request, const std::vector<std::string_view>& skip,
                                                  const Sweep& rows, std::size_t begin, std::size_t end,
                                                  const SweepOut& out) {
                return !request.Has("bs-pattern") && sweep(request, skip, rows, begin, end, out);
            };
        }
    }
}
} // namespace

Calculation LinkBudgetCalculation()
{
    Calculation budget;
    budget.variants = {
        MakeVariant<LinkField, LinkBudgetResult>({}, kLinkBudget, LinkBudget,
                                                 {{&kLinkLoss, Member<&LinkBudgetResult::lossDb>},
                                                  {&kLinkReceivedPower, Member<&LinkBudgetResult::receivedPowerDbm>}})};
    WithBsPattern(budget, RunLinkBudgetWithPattern);
    return budget;
}

Calculation PathLossCalculation()
{
    Calculation loss;
    loss.variants = {MakeVariant<PathLossField, PathLossResult>({}, kPathLoss, PathLoss,
                                                                {{&kPathLossResult, Member<&PathLossResult::lossDb>}})};
    NarrowAreas(loss, kPathLossModels);
    return loss;
}

Calculation CellRangeCalculation()
{
    using F = CellRangeField;
    Calculation range;
    range.variants = {
        MakeVariant<F, CellRangeResult>({"max-path-loss"}, kCellRange, CellRange, kCellRangeResults),
        MakeVariant<F, CellRangeResult>({}, kCellRangeOfBudget, CellRangeOfBudget, kCellRangeResults),
    };
    std::vector<std::string_view> budget;
    for (const FieldSpec<F>& field : kMaximumPathLoss.fields) {
        budget.push_back(field.option);
    }
    range.rules = {{{{"max-path-loss"}, budget}, 1, true, "--max-path-loss or the budget's options, not both"}};
    NarrowAreas(range, kCellRangeModels);
    WithBsPattern(range, RunCellRangeWithPattern);
    return range;
}

} // namespace zandrevio
