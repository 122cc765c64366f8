#pragma once

#include <functional>

namespace zandrevio {

// An input read only when the calculation reaches it: the window reads a
// field there, so a field behind a failed check is never parsed.
using RealReader = std::function<long double()>;

// A reader of a value already at hand.
inline RealReader Given(long double value)
{
    return [value] { return value; };
}

} // namespace zandrevio
