#pragma once

#include <cstdint>
#include <string_view>

namespace zandrevio {

// The value of a spin field: a whole decimal number with an optional sign and
// leading blanks, within the 32-bit range. Any other text reads as 0; it never
// fails, the calculations' own range checks report such a value.
std::int32_t SpinFieldValue(std::string_view text);

} // namespace zandrevio
