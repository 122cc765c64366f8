#pragma once

#include <string_view>

namespace zandrevio {

// One item of a list of choices: the text the window shows and the word the
// command line takes for it.
struct Choice {
    std::string_view text;
    std::string_view key;
    // What the item stands for where that is a number (an impedance).
    long double value = 0.0L;
};

} // namespace zandrevio
