#include "numeric/key_filter.h"
#include "numeric/spin_field_value.h"
#include "separator_guard.h"

#include <gtest/gtest.h>

namespace zandrevio {
namespace {

using test::SeparatorGuard;

TEST(DecimalKeyFilter, PassesDigitsAndBackspaceAndMapsBothSeparators)
{
    SeparatorGuard guard(',');
    for (char c = '0'; c <= '9'; ++c) {
        EXPECT_EQ(DecimalKeyFilter(c), c);
    }
    EXPECT_EQ(DecimalKeyFilter(8), 8);
    EXPECT_EQ(DecimalKeyFilter('.'), ',');
    EXPECT_EQ(DecimalKeyFilter(','), ',');
}

TEST(DecimalKeyFilter, SwallowsEverythingElseIncludingControlCharacters)
{
    for (int code = 0; code < 256; ++code) {
        const char c = static_cast<char>(code);
        const bool passes = code == 8 || c == '.' || c == ',' || (c >= '0' && c <= '9');
        if (!passes) {
            EXPECT_EQ(DecimalKeyFilter(c), 0) << code;
        }
    }
    // Ctrl+V, Ctrl+C, Enter, Escape, minus, plus, e, space.
    for (char c : {'\x16', '\x03', '\r', '\x1b', '-', '+', 'e', 'E', ' '}) {
        EXPECT_EQ(DecimalKeyFilter(c), 0);
    }
}

TEST(IntegerKeyFilter, PassesOnlyDigitsAndBackspace)
{
    for (int code = 0; code < 256; ++code) {
        const char c = static_cast<char>(code);
        const bool passes = code == 8 || (c >= '0' && c <= '9');
        EXPECT_EQ(IntegerKeyFilter(c), passes ? c : 0) << code;
    }
}

TEST(DecimalFieldKey, RefusesASecondSeparatorEvenWhenTheFirstIsSelected)
{
    SeparatorGuard guard('.');
    EXPECT_EQ(DecimalFieldKey('.', "12"), '.');
    EXPECT_EQ(DecimalFieldKey(',', "12"), '.');
    EXPECT_EQ(DecimalFieldKey('.', "1.2"), 0);
    EXPECT_EQ(DecimalFieldKey(',', "."), 0);
    EXPECT_EQ(DecimalFieldKey('5', "1.2"), '5');
}

TEST(DecimalFieldKey, UsesTheCommaSeparator)
{
    SeparatorGuard guard(',');
    EXPECT_EQ(DecimalFieldKey('.', "2"), ',');
    EXPECT_EQ(DecimalFieldKey('.', "2,5"), 0);
    // A full stop in the text is no separator under a comma locale.
    EXPECT_EQ(DecimalFieldKey(',', "2.5"), ',');
}

TEST(SignedDecimalFieldKey, AMinusOnlyAtTheFrontOfATextWithoutOne)
{
    SeparatorGuard guard('.');
    EXPECT_EQ(SignedDecimalFieldKey('-', "", "", 0), '-');
    EXPECT_EQ(SignedDecimalFieldKey('-', "110", "110", 0), '-');
    EXPECT_EQ(SignedDecimalFieldKey('-', "110", "110", 1), 0);
    EXPECT_EQ(SignedDecimalFieldKey('-', "-110", "-110", 0), 0);
    // Over a selected minus, or the whole text selected.
    EXPECT_EQ(SignedDecimalFieldKey('-', "-110", "110", 0), '-');
    EXPECT_EQ(SignedDecimalFieldKey('-', "-104", "", 0), '-');
    // Nothing in front of the minus; behind it the decimal rule.
    EXPECT_EQ(SignedDecimalFieldKey('5', "-3", "-3", 0), 0);
    EXPECT_EQ(SignedDecimalFieldKey('5', "-3", "-3", 1), '5');
    EXPECT_EQ(SignedDecimalFieldKey('.', "-3.5", "-3.5", 4), 0);
    EXPECT_EQ(SignedDecimalFieldKey('\b', "-3", "-3", 0), '\b');
    EXPECT_EQ(SignedDecimalFieldKey('a', "", "", 0), 0);
}

TEST(SpinFieldAccepts, DigitsSignsTheSeparatorAndControlsButEnter)
{
    SeparatorGuard guard('.');
    for (char c : {'0', '9', '+', '-', '.', '\b', '\x16', '\t', '\x1b'}) {
        EXPECT_TRUE(SpinFieldAccepts(c)) << int(c);
    }
    for (char c : {'\r', 'a', 'e', ',', ' ', '*'}) {
        EXPECT_FALSE(SpinFieldAccepts(c)) << int(c);
    }
    SeparatorGuard comma(',');
    EXPECT_TRUE(SpinFieldAccepts(','));
    EXPECT_FALSE(SpinFieldAccepts('.'));
}

struct SpinCase {
    const char* text;
    std::int32_t value;
};

TEST(SpinFieldValue, ReadsWholeNumbersAndEverythingElseAsZero)
{
    const SpinCase cases[] = {
        {"1023", 1023},
        {"  7", 7},
        {"+15", 15},
        {"-3", -3},
        {"0", 0},
        {"2147483647", 2147483647},
        {"-2147483648", -2147483647 - 1},
        {"", 0},
        {"abc", 0},
        {"12.5", 0},
        {"99999999999", 0},
        {"2147483648", 0},
        {"-2147483649", 0},
        {"+", 0},
        {"-", 0},
        {"12 ", 0},
        {"1 2", 0},
        {"000000000000000000042", 42},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SpinFieldValue(c.text), c.value) << '"' << c.text << '"';
    }
}

} // namespace
} // namespace zandrevio
