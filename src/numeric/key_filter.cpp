#include "numeric/key_filter.h"

#include "numeric/decimal_separator.h"

namespace zandrevio {

namespace {
constexpr char kBackspace = 8;
constexpr char kEnter = 13;

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}
} // namespace

char DecimalKeyFilter(char typed)
{
    if (typed == kBackspace || IsDigit(typed)) {
        return typed;
    }
    // Both the comma and the full stop type the locale's separator.
    if (typed == ',' || typed == '.') {
        return DecimalSeparator();
    }
    return 0;
}

char IntegerKeyFilter(char typed)
{
    return typed == kBackspace || IsDigit(typed) ? typed : 0;
}

char DecimalFieldKey(char typed, std::string_view currentText)
{
    const char result = DecimalKeyFilter(typed);
    if (result != 0 && result == DecimalSeparator() && currentText.find(result) != std::string_view::npos) {
        return 0;
    }
    return result;
}

char SignedDecimalFieldKey(char typed, std::string_view currentText, std::string_view rest, std::size_t at)
{
    const bool signAhead = at < rest.size() && rest[at] == '-';
    if (typed == '-') {
        return at == 0 && rest.find('-') == std::string_view::npos ? '-' : 0;
    }
    if (signAhead && typed != kBackspace) {
        return 0;
    }
    return DecimalFieldKey(typed, currentText);
}

bool SpinFieldAccepts(char typed)
{
    const auto code = static_cast<unsigned char>(typed);
    if (code < 32) {
        return typed != kEnter;
    }
    return IsDigit(typed) || typed == '+' || typed == '-' || typed == DecimalSeparator();
}

} // namespace zandrevio
