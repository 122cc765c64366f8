#include "cli/app.h"
#include "cli/fd_stream.h"

#include <cstring>
#include <exception>
#include <iostream>
#include <unistd.h>

// Every write to the standard output is checked, and so is its close: output
// that could not be written is reported as coreutils report it.
int main(int argc, char** argv)
{
    std::ios::sync_with_stdio(false);
    zandrevio::cli::FdOutput buffer(STDOUT_FILENO);
    std::ostream out(&buffer);
    int status = zandrevio::cli::kExitFailed;
    try {
        const std::vector<std::string> args(argv + 1, argv + argc);
        status = zandrevio::cli::RunCalc(args, std::cin, out, std::cerr);
    } catch (const std::exception& error) {
        std::cerr << "zandrevio-calc: " << error.what() << '\n';
    }
    if (!buffer.Close()) {
        std::cerr << "zandrevio-calc: write error: " << std::strerror(buffer.Error()) << '\n';
        return zandrevio::cli::kExitFailed;
    }
    return status;
}
