#pragma once

#include "cli/answer.h"
#include "cli/commands.h"
#include "cli/csv_records.h"

#include <functional>
#include <span>
#include <string>
#include <vector>

// Consecutive batch rows of one calculation that differ only in their
// numbers run as one sweep: the calculation reads its other options once.
// Each row's answer is the one it would get on its own.
namespace zandrevio::cli {

struct SweepColumns {
    const std::vector<std::string>& options; // each column's option, "" where it passes through
    std::size_t calculation;                 // the calculation's column
    std::size_t width;                       // the header's width
};

// What SweepRows did with the rows from the first on: ran `swept` of them
// as one sweep, or ran none and leaves `alone` to be run row by row (a row
// to refuse, fewer than two rows alike, a rule the options break, a
// calculation that runs row by row).
struct SweepOutcome {
    std::size_t swept = 0;
    std::size_t alone = 1;
};

// Runs the rows from the first of `rows` on that share its calculation,
// its columns given and its words, every number readable, as one sweep,
// handing each answer to `out`.
SweepOutcome SweepRows(const Command& command, std::span<const CsvRecord> rows, const SweepColumns& columns,
                       const Settings& settings, const std::function<void(std::size_t row, Answer answer)>& out);

} // namespace zandrevio::cli
