#include "numeric/app_error.h"
#include "numeric/exact_decimal.h"
#include "numeric/format.h"
#include "numeric/parse_real.h"
#include "separator_guard.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <string>

namespace zandrevio {
namespace {

using test::ReferenceGeneral;
using test::SeparatorGuard;

struct FormatCase {
    long double value;
    const char* text;
};

TEST(FormatResult, WritesFiveSignificantDigits)
{
    SeparatorGuard guard('.');
    const FormatCase cases[] = {
        {12345.0L, "12345"},
        {1234.56L, "1234.6"},
        {123456.0L, "1.2346E5"},
        {99999.5L, "1E5"},
        {0.0001L, "0.0001"},
        {0.00001L, "1E-5"},
        {-0.5L, "-0.5"},
        {2.5E-7L, "2.5E-7"},
        {0.0L, "0"},
        {-0.0L, "0"},
        {453.025L, "453.03"},
        {25.4L, "25.4"},
        {1e100L, "1E100"},
        {100000.0L, "1E5"},
        {99999.0L, "99999"},
        {0.00099999L, "0.00099999"},
        {-123456.0L, "-1.2346E5"},
        {1.0L / 3.0L, "0.33333"},
        {10.0L, "10"},
        {1500.0L, "1500"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FormatResult(c.value), c.text) << static_cast<double>(c.value);
    }
}

TEST(FormatFull, WritesFifteenSignificantDigits)
{
    SeparatorGuard guard('.');
    const FormatCase cases[] = {
        {0.02L, "0.02"},
        {1.0L / 3.0L, "0.333333333333333"},
        {453.025L, "453.025"},
        {890.2L, "890.2"},
        {825.03L, "825.03"},
        {457.475L, "457.475"},
        {890.0L + 0.2L * 1, "890.2"},
        {123456789012345.0L, "123456789012345"},
        {1234567890123456.0L, "1.23456789012346E15"},
        {-1e-4L, "-0.0001"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FormatFull(c.value), c.text) << static_cast<double>(c.value);
    }
}

TEST(FormatResultHundredths, RoundsHalvesToTheEvenHundredth)
{
    SeparatorGuard guard('.');
    EXPECT_EQ(FormatResultHundredths(0.125L), "0.12");
    EXPECT_EQ(FormatResultHundredths(0.375L), "0.38");
    EXPECT_EQ(FormatResultHundredths(12345.678L), "12346");
    EXPECT_EQ(FormatResultHundredths(-91.234L), "-91.23");
    EXPECT_EQ(FormatResultHundredths(0.004L), "0");
    EXPECT_EQ(ParseReal("0.375"), 0.375L); // the typed text gives the same
}

TEST(FormatResultHundredths, LeavingThe64BitRangeIsAnInvalidOperation)
{
    try {
        FormatResultHundredths(1E20L);
        FAIL() << "formatted";
    } catch (const FloatingPointFault& fault) {
        EXPECT_EQ(fault.Kind(), FloatingPointFaultKind::InvalidOperation);
    }
    EXPECT_THROW(FormatResultHundredths(std::numeric_limits<long double>::max()), FloatingPointFault);
}

// Every value class through every format at every digit count: what no digits can say gets the window's
// word, and nothing reads past its text (this runs under AddressSanitizer and valgrind's memcheck too).
TEST(Format, EveryValueClassInEveryFormat)
{
    using Limits = std::numeric_limits<long double>;
    const struct {
        long double value;
        const char* shown; // the general format's text, where it is a word
    } values[] = {{Limits::quiet_NaN(), "NAN"},
                  {-Limits::quiet_NaN(), "NAN"},
                  {Limits::signaling_NaN(), "NAN"},
                  {Limits::infinity(), "INF"},
                  {-Limits::infinity(), "-INF"},
                  {0.0L, "0"},
                  {-0.0L, "0"},
                  {Limits::denorm_min(), nullptr},
                  {-Limits::min(), nullptr},
                  {Limits::max(), nullptr},
                  {-Limits::max(), nullptr},
                  {1.0L, "1"}};
    const ResultFormat formats[] = {ResultFormat::Result, ResultFormat::Hundredths, ResultFormat::Full,
                                    ResultFormat::Nines};
    for (const auto& v : values) {
        for (int digits = 0; digits <= 18; ++digits) {
            const std::string general = FormatGeneral(v.value, digits == 0 ? 5 : digits);
            if (v.shown != nullptr) {
                EXPECT_EQ(general, v.shown) << digits;
            }
            for (const ResultFormat format : formats) {
                std::string text;
                try {
                    text = FormatAs(format, v.value, digits);
                } catch (const FloatingPointFault&) {
                    continue; // hundredths of the largest values fault, as the window's do
                }
                EXPECT_FALSE(text.empty());
                for (const char c : text) {
                    EXPECT_TRUE(std::isalnum(static_cast<unsigned char>(c)) || c == '.' || c == '-' || c == '+')
                        << static_cast<int>(c);
                }
                if (!std::isfinite(v.value)) {
                    EXPECT_EQ(text, v.shown);
                }
            }
        }
        if (!std::isfinite(v.value)) {
            EXPECT_EQ(FormatAs(ResultFormat::Whole, v.value), v.shown);
        }
    }
}

TEST(Format, WritesTheCommaSeparator)
{
    SeparatorGuard guard(',');
    EXPECT_EQ(FormatResult(25.4L), "25,4");
    EXPECT_EQ(FormatResult(453.59237L), "453,59");
    EXPECT_EQ(FormatFull(0.02L), "0,02");
    EXPECT_EQ(FormatResult(2.5E-7L), "2,5E-7");
}

TEST(Format, WritesEveryFiniteValueDenormalsIncluded)
{
    SeparatorGuard guard('.');
    const long double denormMin = std::numeric_limits<long double>::denorm_min();
    EXPECT_EQ(FormatResult(denormMin), "3.6452E-4951");
    EXPECT_EQ(FormatResult(std::numeric_limits<long double>::max()), "1.1897E4932");
    EXPECT_EQ(FormatResult(std::numeric_limits<long double>::min()), "3.3621E-4932");
    // One subscriber at 1e-4930 mErl.
    EXPECT_EQ(FormatResult(1e-4930L / 1000.0L), "1E-4933");
}

// Values from 1e-4000 to 1e4000 and the denormals, checked against an exact
// decimal expansion done with big integers.
TEST(Format, AgreesWithAnExactReferenceOnRandomValues)
{
    SeparatorGuard guard('.');
    std::mt19937_64 random(20261207);
    std::uniform_int_distribution<int> binaryExponent(-13290, 13290);
    std::uniform_int_distribution<int> denormalExponent(-16445, -16382);
    for (int i = 0; i < 4000; ++i) {
        const long double m = static_cast<long double>(random() | (std::uint64_t{1} << 63)) * 0x1p-64L;
        long double x = std::ldexp(m, i % 10 == 0 ? denormalExponent(random) : binaryExponent(random));
        if (i % 2 == 1) {
            x = -x;
        }
        ASSERT_EQ(FormatResult(x), ReferenceGeneral(x, 5)) << i;
        ASSERT_EQ(FormatFull(x), ReferenceGeneral(x, 15)) << i;
    }
}

// Values next to the point where the cut to 5 or 15 digits turns.
TEST(Format, AgreesWithAnExactReferenceAtRoundingBoundaries)
{
    SeparatorGuard guard('.');
    std::mt19937_64 random(7);
    for (int digits : {5, 15}) {
        std::uniform_int_distribution<std::uint64_t> lead(1, 9);
        std::uniform_int_distribution<int> exponent(-4000, 4000);
        for (int i = 0; i < 1500; ++i) {
            std::string text = std::to_string(lead(random)) + ".";
            for (int d = 1; d < digits; ++d) {
                text += static_cast<char>('0' + random() % 10);
            }
            text += "5e" + std::to_string(i < 100 ? i % 20 - 8 : exponent(random));
            long double x = ParseReal(text);
            for (int step = 0; step < 3; ++step) {
                ASSERT_EQ(FormatGeneral(x, digits), ReferenceGeneral(x, digits)) << text;
                ASSERT_EQ(FormatGeneral(-x, digits), ReferenceGeneral(-x, digits)) << text;
                x = std::nextafter(x, 0.0L);
            }
            x = std::nextafter(ParseReal(text), std::numeric_limits<long double>::infinity());
            ASSERT_EQ(FormatGeneral(x, digits), ReferenceGeneral(x, digits)) << text;
        }
    }
    // Exact binary values whose 19th digit is a 5 followed by zeros.
    for (int e = -70; e < 0; ++e) {
        const long double x = std::ldexp(3.0L, e);
        ASSERT_EQ(FormatFull(x), ReferenceGeneral(x, 15)) << e;
        ASSERT_EQ(FormatResult(x), ReferenceGeneral(x, 5)) << e;
    }
}

// An availability shows its outage's five significant digits, and no more
// than the value holds.
TEST(FormatNines, ShowsTheComplementsFiveDigits)
{
    const struct {
        long double value;
        int digits;
        const char* text;
    } cases[] = {
        {99.98614090845L, 0, "99.986141"},
        {99.9900000000001L, 0, "99.99"},
        {99.999123456L, 0, "99.99912346"},
        {50.0L, 0, "50"},
        {100.0L, 0, "100"},
        {99.98614090845L, 2, "99.986"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FormatAs(ResultFormat::Nines, c.value, c.digits), c.text) << c.text;
    }
}

} // namespace
} // namespace zandrevio
