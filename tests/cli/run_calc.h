#pragma once

#include "cli/app.h"
#include "numeric/decimal_separator.h"

#include <sstream>
#include <string>
#include <vector>

namespace zandrevio::test {

// One run of zandrevio-calc in this process: its status and both streams.
struct CalcRun {
    int status = 0;
    std::string out;
    std::string err;
};

inline CalcRun RunCalc(const std::vector<std::string>& args, const std::string& input = "")
{
    std::istringstream in(input);
    std::ostringstream out;
    std::ostringstream err;
    CalcRun run;
    run.status = cli::RunCalc(args, in, out, err);
    run.out = out.str();
    run.err = err.str();
    SetDecimalSeparator('.');
    return run;
}

} // namespace zandrevio::test
