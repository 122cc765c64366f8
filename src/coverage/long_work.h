#pragma once

#include "coverage/coverage_lattice.h"

// Work of a few seconds or more (a map): its progress on the standard error
// where that is a terminal, and Ctrl+C heard.
//
// Ctrl+C ends the work at the next radial, or before the next file is
// written, with nothing written; the signal is raised again once its handler
// is back, so that the program ends (or Python raises KeyboardInterrupt) as
// it would have. Runs at once (Python's threads) share one handler: the
// first installs it, the last puts the previous one back; where Ctrl+C was
// ignored it stays ignored.
namespace zandrevio {

class InterruptHandler {
public:
    InterruptHandler();
    ~InterruptHandler();
    InterruptHandler(const InterruptHandler&) = delete;
    InterruptHandler& operator=(const InterruptHandler&) = delete;

    static bool Interrupted();
    static std::atomic<bool>* Flag();
};

class LongWork {
public:
    LongWork();

    CoverageControl control;
    InterruptHandler interrupt;
};

} // namespace zandrevio
