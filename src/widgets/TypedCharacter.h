#pragma once

#include <optional>

class QKeyEvent;

namespace zandrevio {

// The 8-bit character a key press types, as an edit control would receive it:
// control characters included (Ctrl+V is 22, Enter 13, Escape 27), anything
// outside 8 bits as 0. Empty for keys that type nothing: arrows, Home,
// Delete and the like, which edit the field without passing a key filter.
std::optional<char> TypedCharacter(const QKeyEvent& event);

} // namespace zandrevio
