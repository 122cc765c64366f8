#include "numeric/app_error.h"
#include "numeric/checked_math.h"

#include <gtest/gtest.h>

#include <functional>
#include <limits>

namespace zandrevio {
namespace {

using Kind = FloatingPointFaultKind;
constexpr long double kMax = std::numeric_limits<long double>::max();

void ExpectFault(const std::function<void()>& step, Kind kind, const char* what)
{
    try {
        step();
        ADD_FAILURE() << what << ": no fault";
    } catch (const FloatingPointFault& fault) {
        EXPECT_EQ(fault.Kind(), kind) << what;
    }
}

TEST(CheckedMath, FaultsLikeTheFloatingPointUnit)
{
    ExpectFault([] { fp::Ln(-1.0L); }, Kind::InvalidOperation, "ln(-1)");
    ExpectFault([] { fp::Ln(0.0L); }, Kind::DivisionByZero, "ln(0)");
    ExpectFault([] { fp::Log10(-0.5L); }, Kind::InvalidOperation, "log10(-0.5)");
    ExpectFault([] { fp::Log10(0.0L); }, Kind::DivisionByZero, "log10(0)");
    ExpectFault([] { fp::Sqrt(-1e-30L); }, Kind::InvalidOperation, "sqrt(-1e-30)");
    ExpectFault([] { fp::Div(1.0L, 0.0L); }, Kind::DivisionByZero, "1/0");
    ExpectFault([] { fp::Div(0.0L, 0.0L); }, Kind::InvalidOperation, "0/0");
    ExpectFault([] { fp::Mul(kMax, 2.0L); }, Kind::Overflow, "max*2");
    ExpectFault([] { fp::Add(kMax, kMax); }, Kind::Overflow, "max+max");
    ExpectFault([] { fp::Exp(12000.0L); }, Kind::Overflow, "exp(12000)");
    ExpectFault([] { fp::Exp10(5000.0L); }, Kind::Overflow, "10^5000");
    ExpectFault([] { fp::Round(9223372036854775808.0L); }, Kind::InvalidOperation, "round(2^63)");
    ExpectFault([] { fp::Round(-1e19L); }, Kind::InvalidOperation, "round(-1e19)");
    ExpectFault([] { fp::Trunc(1e30L); }, Kind::InvalidOperation, "trunc(1e30)");
    ExpectFault([] { fp::StoreDouble(1e400L); }, Kind::Overflow, "double(1e400)");
    ExpectFault([] { fp::Power(0.0L, -1.0L); }, Kind::DivisionByZero, "0^-1");
}

TEST(CheckedMath, UnderflowIsNoFault)
{
    EXPECT_EQ(fp::Exp(-20000.0L), 0.0L);
    EXPECT_EQ(fp::Mul(1e-4000L, 1e-4000L), 0.0L);
    EXPECT_GT(fp::Div(1e-4940L, 1e5L), -1.0L);
    EXPECT_EQ(fp::StoreDouble(1e-400L), 0.0);
    EXPECT_EQ(fp::Sqrt(-0.0L), 0.0L);
}

TEST(CheckedMath, RoundsHalvesToEvenWithinThe64BitRange)
{
    EXPECT_EQ(fp::Round(0.5L), 0);
    EXPECT_EQ(fp::Round(1.5L), 2);
    EXPECT_EQ(fp::Round(2.5L), 2);
    EXPECT_EQ(fp::Round(-2.5L), -2);
    EXPECT_EQ(fp::Round(-9223372036854775808.0L), std::numeric_limits<std::int64_t>::min());
    EXPECT_EQ(fp::Round(9223372036854775807.0L), std::numeric_limits<std::int64_t>::max());
    EXPECT_EQ(fp::Trunc(-2.7L), -2);
}

} // namespace
} // namespace zandrevio
