#include "numeric/exact_decimal.h"

#include <cmath>
#include <cstdint>
#include <vector>

namespace zandrevio::test {

namespace {
constexpr std::uint64_t kBase = 1000000000;

// Little-endian base-10^9 big integer.
using Big = std::vector<std::uint64_t>;

Big FromU64(std::uint64_t v)
{
    Big b;
    do {
        b.push_back(v % kBase);
        v /= kBase;
    } while (v != 0);
    return b;
}

void MulSmall(Big& b, std::uint64_t factor)
{
    std::uint64_t carry = 0;
    for (auto& limb : b) {
        const std::uint64_t product = limb * factor + carry;
        limb = product % kBase;
        carry = product / kBase;
    }
    while (carry != 0) {
        b.push_back(carry % kBase);
        carry /= kBase;
    }
}

std::string ToString(const Big& b)
{
    std::string s = std::to_string(b.back());
    for (auto i = b.size() - 1; i-- > 0;) {
        std::string limb = std::to_string(b[i]);
        s += std::string(9 - limb.size(), '0') + limb;
    }
    return s;
}
} // namespace

DecimalDigits ExactDecimal(long double x)
{
    int e2 = 0;
    const long double m = std::frexp(std::fabs(x), &e2);
    const auto mantissa = static_cast<std::uint64_t>(std::ldexp(m, 64));
    int k = e2 - 64; // |x| = mantissa * 2^k
    Big n = FromU64(mantissa);
    int shift = 0;
    if (k >= 0) {
        for (; k >= 30; k -= 30) {
            MulSmall(n, 1u << 30);
        }
        MulSmall(n, std::uint64_t{1} << k);
    } else {
        // mantissa * 2^k = mantissa * 5^-k / 10^-k
        shift = k;
        for (int j = -k; j > 0;) {
            const int step = j >= 13 ? 13 : j;
            std::uint64_t p = 1;
            for (int i = 0; i < step; ++i) {
                p *= 5;
            }
            MulSmall(n, p);
            j -= step;
        }
    }
    DecimalDigits d{ToString(n), 0};
    d.exponent = static_cast<int>(d.digits.size()) + shift;
    while (d.digits.size() > 1 && d.digits.back() == '0') {
        d.digits.pop_back();
    }
    return d;
}

DecimalDigits RoundTo18(const DecimalDigits& exact)
{
    DecimalDigits r = exact;
    if (r.digits.size() <= 18) {
        r.digits.resize(18, '0');
        return r;
    }
    const char next = r.digits[18];
    const bool restZero = r.digits.find_first_not_of('0', 19) == std::string::npos;
    r.digits.resize(18);
    const bool odd = (r.digits[17] - '0') % 2 == 1;
    const bool up = next > '5' || (next == '5' && (!restZero || odd));
    if (up) {
        int i = 17;
        while (i >= 0 && r.digits[static_cast<std::size_t>(i)] == '9') {
            r.digits[static_cast<std::size_t>(i)] = '0';
            --i;
        }
        if (i < 0) {
            r.digits = "1" + std::string(17, '0');
            ++r.exponent;
        } else {
            ++r.digits[static_cast<std::size_t>(i)];
        }
    }
    return r;
}

std::string ReferenceGeneral(long double x, int digits)
{
    if (x == 0.0L) {
        return "0";
    }
    DecimalDigits d = RoundTo18(ExactDecimal(x));
    // Round half up on the 18-digit string, as an integer of `digits` digits.
    std::uint64_t lead = std::stoull(d.digits.substr(0, static_cast<std::size_t>(digits)));
    if (d.digits[static_cast<std::size_t>(digits)] >= '5') {
        ++lead;
    }
    std::string s = std::to_string(lead);
    int e = d.exponent;
    if (static_cast<int>(s.size()) > digits) {
        ++e;
        s.pop_back();
    }
    while (s.size() > 1 && s.back() == '0') {
        s.pop_back();
    }
    std::string sign = x < 0 ? "-" : "";
    if (e > digits || e < -3) {
        std::string mant = s.substr(0, 1) + (s.size() > 1 ? "." + s.substr(1) : "");
        return sign + mant + "E" + std::to_string(e - 1);
    }
    if (e <= 0) {
        return sign + "0." + std::string(static_cast<std::size_t>(-e), '0') + s;
    }
    if (static_cast<int>(s.size()) <= e) {
        return sign + s + std::string(static_cast<std::size_t>(e) - s.size(), '0');
    }
    return sign + s.substr(0, static_cast<std::size_t>(e)) + "." + s.substr(static_cast<std::size_t>(e));
}

} // namespace zandrevio::test
