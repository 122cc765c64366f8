#pragma once

#include "cli/commands.h"

#include <cstddef>
#include <istream>
#include <ostream>
#include <stdexcept>
#include <string>

namespace zandrevio::cli {

// The standard input could not be spooled (a full disk): exit status 1.
class SpoolError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};
// The output went bad (a full disk, a closed pipe): the batch stops at once
// and the program reports why.
class OutputFailed : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// How a batch's CSV is written: its delimiter (the input's too) and its
// line ends.
struct BatchFormat {
    char delimiter = ',';
    bool crlf = false;
    int threads = 0; // the threads rows run on: 0 for one a core, at most two
    // A column no calculation reads: a usage error, or a note here.
    bool strictColumns = false;
    std::ostream* notes = nullptr;
};

struct BatchOptions {
    std::string file = "-";
    BatchFormat format;
};

struct BatchCount {
    std::size_t rows = 0;   // data rows read
    std::size_t failed = 0; // rows whose error column is filled
};

// Runs a CSV batch: a header row naming the columns (`calculation` and the
// options, without dashes), then one calculation per row. Writes one row out
// per row in, in order: the input columns, the result columns, `warnings`
// and `error` (or one JSON object a line). A bad row gets its message in
// `error` and the batch goes on.
BatchCount Batch(std::istream& in, std::ostream& out, const Settings& settings, bool json,
                 const BatchFormat& format = {});

// The `batch` subcommand: exit 1 when any row failed, 2 when the file cannot
// be read or has no calculation column.
int RunBatch(const BatchOptions& options, const Settings& settings, bool json, std::istream& in, std::ostream& out,
             std::ostream& err);

} // namespace zandrevio::cli
