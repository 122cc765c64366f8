#pragma once

#include "numeric/decimal_separator.h"

namespace zandrevio::test {

// Sets the decimal separator for one test and puts the old one back.
class SeparatorGuard {
public:
    explicit SeparatorGuard(char separator)
        : m_old(DecimalSeparator())
    {
        SetDecimalSeparator(separator);
    }
    ~SeparatorGuard() { SetDecimalSeparator(m_old); }
    SeparatorGuard(const SeparatorGuard&) = delete;
    SeparatorGuard& operator=(const SeparatorGuard&) = delete;

private:
    char m_old;
};

} // namespace zandrevio::test
