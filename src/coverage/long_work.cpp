#include "coverage/long_work.h"

#include <csignal>
#include <cstdio>
#include <mutex>

#include <unistd.h>

namespace zandrevio {

namespace {
std::atomic<bool> gInterrupted{false};
extern "C" void OnInterrupt(int)
{
    gInterrupted = true;
}

std::mutex gLock;
int gUsers = 0;
bool gInstalled = false;
struct sigaction gPrevious {};
} // namespace

InterruptHandler::InterruptHandler()
{
    const std::lock_guard<std::mutex> hold(gLock);
    if (gUsers++ == 0) {
        gInterrupted = false;
        sigaction(SIGINT, nullptr, &gPrevious);
        gInstalled = gPrevious.sa_handler != SIG_IGN;
        if (gInstalled) {
            struct sigaction action {};
            action.sa_handler = OnInterrupt;
            sigemptyset(&action.sa_mask);
            sigaction(SIGINT, &action, nullptr);
        }
    }
}

InterruptHandler::~InterruptHandler()
{
    const std::lock_guard<std::mutex> hold(gLock);
    if (--gUsers == 0 && gInstalled) {
        sigaction(SIGINT, &gPrevious, nullptr);
        if (gInterrupted.exchange(false)) {
            raise(SIGINT);
        }
    }
}

bool InterruptHandler::Interrupted()
{
    return gInterrupted.load();
}

std::atomic<bool>* InterruptHandler::Flag()
{
    return &gInterrupted;
}

LongWork::LongWork()
{
    control.cancel = InterruptHandler::Flag();
    if (isatty(STDERR_FILENO) != 0) {
        control.progress = [](std::size_t done, std::size_t all) {
            std::fprintf(stderr, "\rzandrevio-calc: coverage %3.0f %% of %zu points", 100.0 * done / all, all);
            if (done == all) {
                std::fputc('\n', stderr);
            }
        };
    }
}

} // namespace zandrevio
