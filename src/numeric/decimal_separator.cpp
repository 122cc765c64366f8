#include "numeric/decimal_separator.h"

namespace zandrevio {

namespace {
char g_separator = '.';
}

char DecimalSeparator()
{
    return g_separator;
}

void SetDecimalSeparator(char separator)
{
    g_separator = separator == '\0' ? '.' : separator;
}

} // namespace zandrevio
