#pragma once

#include <cstddef>
#include <string_view>

namespace zandrevio {

// A key filter takes one typed 8-bit character and returns the character to
// insert, or 0 when the keystroke is swallowed (silently, without a beep).
char DecimalKeyFilter(char typed);
char IntegerKeyFilter(char typed);

// The key rule of every decimal field: the filter, then at most one separator
// in the field, even when the one already there is selected and would be
// replaced by the typed character.
char DecimalFieldKey(char typed, std::string_view currentText);

// The key rule of a decimal field that may be negative: also a minus, typed
// at the front of a text that has none, and nothing typed in front of the
// minus. `rest` is the text the typed character goes into (less a selection
// it replaces), at position `at`.
char SignedDecimalFieldKey(char typed, std::string_view currentText, std::string_view rest, std::size_t at);

// Whether a spin field accepts a typed character; a refused one beeps.
bool SpinFieldAccepts(char typed);

} // namespace zandrevio
