#include "numeric/app_error.h"
#include "numeric/parse_real.h"
#include "separator_guard.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <locale.h>
#include <random>
#include <string>

namespace zandrevio {
namespace {

using test::SeparatorGuard;

struct ReadCase {
    const char* text;
    long double value;
};

TEST(ParseReal, ReadsTheGrammar)
{
    SeparatorGuard guard('.');
    const ReadCase cases[] = {
        {"12", 12.0L},     {"  12  ", 12.0L},     {".", 0.0L},        {"1.", 1.0L},
        {".5", 0.5L},      {"+3", 3.0L},          {"-2.5", -2.5L},    {"1e", 1.0L},
        {"1E+", 1.0L},     {"1e-", 1.0L},         {"1.5e3", 1500.0L}, {"1.5E-3", 1.5e-3L},
        {"1e400", 1e400L}, {"-1e-400", -1e-400L}, {"0e4999", 0.0L},   {"1e0000000000000000000003", 1000.0L},
        {".e7", 0.0L},     {"0.02", 0.02L},       {"1e500", 1e500L},  {"1e4932", 1e4932L},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ParseReal(c.text), c.value) << '"' << c.text << '"';
    }
}

TEST(ParseReal, RoundsOnceToTheNearestExtendedValue)
{
    SeparatorGuard guard('.');
    // The limits and worked values of the window depend on this: the text
    // must give the very constant the program compares it with.
    EXPECT_EQ(ParseReal("824.03"), 824.03L);
    EXPECT_EQ(ParseReal("0.375"), 0.375L);
    EXPECT_EQ(ParseReal("890.100001"), 890.100001L);
    EXPECT_EQ(ParseReal("848.98"), 848.98L);
    EXPECT_EQ(ParseReal("0.1"), 0.1L);
    EXPECT_EQ(ParseReal("123456789012345678901234567890"), 123456789012345678901234567890.0L);
    EXPECT_EQ(ParseReal("1.18973149535723176502e+4932"), std::numeric_limits<long double>::max());
}

TEST(ParseReal, UnderflowReadsAsADenormalOrZero)
{
    SeparatorGuard guard('.');
    EXPECT_EQ(ParseReal("3.6452e-4951"), std::numeric_limits<long double>::denorm_min());
    EXPECT_EQ(ParseReal("1e-4950"), 3 * std::numeric_limits<long double>::denorm_min());
    EXPECT_EQ(ParseReal("1e-4952"), 0.0L);
    EXPECT_EQ(ParseReal("1e-4960"), 0.0L);
    EXPECT_EQ(ParseReal("3.6e-4951"), 3.6e-4951L);
    EXPECT_TRUE(std::signbit(ParseReal("-1e-4999")));
}

TEST(ParseReal, NegativeZeroKeepsItsSign)
{
    SeparatorGuard guard('.');
    EXPECT_TRUE(std::signbit(ParseReal("-0")));
    EXPECT_TRUE(std::signbit(ParseReal("-.")));
}

TEST(ParseReal, FailsWithTheWholeTextInTheMessage)
{
    SeparatorGuard guard('.');
    const char* bad[] = {
        "",     " ",   "+",   "-",    "e5",  "1,5", "1.5.",   "1..5",    "--1", "1e5000", "1e05000", "1e5 x",
        "1 e5", "\t1", "1\t", "0x10", "inf", "nan", "1e4933", "1e50000", "12a", "1e+-5",  "1.2e3.4", ". .",
    };
    for (const char* text : bad) {
        try {
            ParseReal(text);
            ADD_FAILURE() << '"' << text << "\" was read";
        } catch (const ConversionFailure& failure) {
            EXPECT_EQ(failure.Text(), text);
            EXPECT_EQ(failure.Message(), "'" + std::string(text) + "' is not a valid floating point value");
        }
    }
}

TEST(ParseReal, TheExponentTakesDigitsUntilItReaches500)
{
    SeparatorGuard guard('.');
    EXPECT_EQ(ParseReal("1e499"), 1e499L);
    EXPECT_THROW(ParseReal("1e4999"), ConversionFailure); // reached at 4999, overflows
    EXPECT_EQ(ParseReal("1e-4999"), 0.0L);
    EXPECT_THROW(ParseReal("1e49990"), ConversionFailure);
    EXPECT_EQ(ParseReal("1e0499"), 1e499L);
    // Many fraction digits pull a large exponent back into range.
    EXPECT_EQ(ParseReal("0." + std::string(4000, '0') + "1e4500"), 1e499L);
}

TEST(ParseReal, UsesOnlyTheCurrentSeparator)
{
    SeparatorGuard guard(',');
    EXPECT_EQ(ParseReal("1,5"), 1.5L);
    EXPECT_EQ(ParseReal(","), 0.0L);
    EXPECT_THROW(ParseReal("1.5"), ConversionFailure);
}

// Short decimals take a quicker road than strtold; they must land on the
// same extended value, down to the last bit and the sign of zero.
TEST(ParseReal, ShortDecimalsReadAsStrtoldReadsThem)
{
    SeparatorGuard guard('.');
    const locale_t c = newlocale(LC_NUMERIC_MASK, "C", static_cast<locale_t>(nullptr));
    std::mt19937_64 random(20261207);
    for (int n = 0; n < 50000; ++n) {
        std::string text = random() % 4 == 0 ? "-" : "";
        const int whole = 1 + static_cast<int>(random() % 12);
        const int fraction = static_cast<int>(random() % 30);
        for (int i = 0; i < whole; ++i) {
            text += static_cast<char>('0' + random() % 10);
        }
        text += '.';
        for (int i = 0; i < fraction; ++i) {
            text += static_cast<char>('0' + random() % 10);
        }
        const long double expected = strtold_l(text.c_str(), nullptr, c);
        const long double read = ParseReal(text);
        EXPECT_EQ(read, expected) << text;
        EXPECT_EQ(std::signbit(read), std::signbit(expected)) << text;
    }
    freelocale(c);
}

} // namespace
} // namespace zandrevio
