#pragma once

#include "calculation/protocol.h"

// The propagation calculations of the registry.
namespace zandrevio {

// link-budget: the downlink loss and the power the mobile receives.
Calculation LinkBudgetCalculation();
// path-loss: a planning model's loss with its validity warnings.
Calculation PathLossCalculation();
// cell-range: the maximum allowed path loss, the radius and the cell area.
Calculation CellRangeCalculation();

} // namespace zandrevio
