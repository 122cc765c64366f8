// Writes zandrevio-calc's bash completion, or its manual page from the
// hand-written page, both made from the calculations' registry:
//   calc_reference completion OUT
//   calc_reference manual PAGE.in OUT
#include "cli/reference.h"

#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

namespace {
bool Write(const std::string& path, const std::string& text)
{
    std::ofstream out(path, std::ios::binary);
    out << text;
    out.close();
    if (!out) {
        std::cerr << "calc_reference: cannot write " << path << '\n';
        return false;
    }
    return true;
}
} // namespace

int main(int argc, char** argv)
{
    const std::string what = argc > 1 ? argv[1] : "";
    if (what == "completion" && argc == 3) {
        return Write(argv[2], zandrevio::cli::BashCompletion()) ? 0 : 1;
    }
    if (what == "manual" && argc == 4) {
        std::ifstream in(argv[2], std::ios::binary);
        std::stringstream page;
        page << in.rdbuf();
        if (!in) {
            std::cerr << "calc_reference: cannot read " << argv[2] << '\n';
            return 1;
        }
        return Write(argv[3], zandrevio::cli::ManualPage(page.str())) ? 0 : 1;
    }
    std::cerr << "usage: calc_reference completion OUT | manual PAGE.in OUT\n";
    return 2;
}
