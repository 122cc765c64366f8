#pragma once

#include <string>
#include <utility>
#include <vector>

namespace zandrevio::cli {

// One result as the window would show it: its text and its unit.
struct ResultText {
    std::string name;
    std::string value;
    std::string unit;
};

// What one run of a calculation gives: its results, the notes and warnings
// beside them, or the message of its refusal or fault.
struct Answer {
    std::string calculation;
    std::vector<std::pair<std::string, std::string>> inputs;
    std::vector<ResultText> results;
    std::vector<std::string> warnings;
    std::string error;
    // A plotted curve, as (distance km, gain dB) texts.
    std::vector<std::pair<std::string, std::string>> curve;
    // Where a calculation answers for several bands: each band's results
    // (the first of them are also the results above).
    std::vector<std::vector<ResultText>> matches;
    // A list beside the results, a row an item, each with the same names.
    std::vector<std::vector<ResultText>> rows;

    bool Failed() const { return !error.empty(); }
};

} // namespace zandrevio::cli
