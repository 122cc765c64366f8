#include "numeric/app_error.h"
#include "numeric/format.h"
#include "numeric/parse_real.h"
#include "numeric/spin_field_value.h"
#include "separator_guard.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>

namespace zandrevio {
namespace {

using test::SeparatorGuard;

// Any byte string: parsing either reads a finite number or fails cleanly.
TEST(RandomText, ParsingAnyBytesNeverCrashes)
{
    SeparatorGuard guard('.');
    std::mt19937 random(42);
    const std::string alphabet = "0123456789.,+-eE \t\x01\xff"
                                 "abc";
    for (int i = 0; i < 200000; ++i) {
        std::string text(random() % 24, '\0');
        for (auto& c : text) {
            c = i % 3 == 0 ? static_cast<char>(random()) : alphabet[random() % alphabet.size()];
        }
        try {
            const long double value = ParseReal(text);
            ASSERT_TRUE(std::isfinite(value)) << text;
            FormatResult(value);
            FormatFull(value);
        } catch (const ConversionFailure& failure) {
            ASSERT_EQ(failure.Text(), text);
        }
        SpinFieldValue(text);
    }
}

// What a formatter writes reads back to the same shown digits.
TEST(RandomText, FormattedTextReadsBackToTheShownDigits)
{
    for (char separator : {'.', ','}) {
        SeparatorGuard guard(separator);
        std::mt19937_64 random(99);
        std::uniform_int_distribution<int> exponent(-16440, 16380);
        for (int i = 0; i < 50000; ++i) {
            const long double m = static_cast<long double>(random() | (std::uint64_t{1} << 63)) * 0x1p-64L;
            const long double x = std::ldexp(i % 2 ? m : -m, exponent(random));
            const std::string shortText = FormatResult(x);
            ASSERT_EQ(FormatResult(ParseReal(shortText)), shortText);
            const std::string fullText = FormatFull(x);
            ASSERT_EQ(FormatFull(ParseReal(fullText)), fullText);
        }
    }
}

} // namespace
} // namespace zandrevio
