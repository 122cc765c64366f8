#pragma once

#include "cli/answer.h"

#include <nlohmann/json.hpp>

#include <ostream>

namespace zandrevio::cli {

// The answer as `name value unit` lines (the curve as `curve D km G dB`).
void WritePlain(std::ostream& out, const Answer& answer);
// The answer as one JSON object: calculation, inputs, results (each its
// text and unit), warnings, error (null on success) and, for a plot, curve.
nlohmann::ordered_json ToJson(const Answer& answer);

} // namespace zandrevio::cli
