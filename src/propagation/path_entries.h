#pragma once

#include "calculation/protocol.h"
#include "calculation/request.h"
#include "propagation/path_analysis.h"
#include "propagation/path_link.h"

#include <vector>

// The path over terrain in the registry.
namespace zandrevio {

// path: a link over a terrain profile (a CSV file, or elevation rasters
// between two places): clearance, loss and, with a power, the budget.
Calculation PathCalculation();

// The options of the link and its model, as `path` takes them beside its
// source and the hop's availability: the link's, the budget's (no start
// values: no budget unless --power is given), --model (starting at
// `startModel`) and Longley-Rice's own.
std::vector<OptionSpec> PathModelOptions(std::string_view startModel);
// The link and its model as `path` reads them (the source from the request's
// path options, the budget with --power, Longley-Rice with --model itm, the
// hop's options with --availability yes where `withAvailability`). A
// misplaced option is a RequestError naming it.
PathAnalysisInputs PathInputsOf(const Request& request, std::string_view startModel, bool withAvailability);

// What the diffraction loss is made of, as results: Bullington's loss of the
// profile and of its smooth earth, the spherical-earth loss and ν.
std::vector<ResultValue> PathPartValues(const PathResult& path);

} // namespace zandrevio
