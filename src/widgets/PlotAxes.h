#pragma once

#include <vector>

// The axes every plot of the window shares the rules of.
namespace zandrevio {

// The smallest of 1, 2 and 5 times a power of ten that cuts `span` into at
// most `most` steps.
long double NiceStep(long double span, int most);

// Round values of 1, 2 or 5 times a power of ten, evenly spaced, from the
// first at or above `low` to the last at or below `high`: at most `most`
// steps between them.
std::vector<long double> NiceTicks(long double low, long double high, int most);

} // namespace zandrevio
