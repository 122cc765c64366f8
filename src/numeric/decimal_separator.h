#pragma once

namespace zandrevio {

// The one decimal separator of the whole program: typed, parsed and written.
// "." until the locale says otherwise; the shell sets it at start and again
// whenever the regional settings change.
char DecimalSeparator();
void SetDecimalSeparator(char separator);

} // namespace zandrevio
