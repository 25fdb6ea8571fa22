#include "textconv/textconv.h"

#include <cmath>

namespace trasel {

long double Divide(long double num, long double den)
{
    if (std::isnan(num) || std::isnan(den))
        throw EInvalidOp();
    if (den == 0.0L) {
        if (num == 0.0L)
            throw EInvalidOp();
        throw EZeroDivide();
    }
    const long double quotient = num / den;
    if (std::isinf(quotient))
        throw EOverflow();
    return quotient;
}

std::int64_t TruncToInt64(long double value)
{
    // -2^63 and 2^63 are exact in the extended format, so the bounds are too.
    constexpr long double lowest = -0x1p63L;
    constexpr long double beyond = 0x1p63L;
    if (std::isnan(value))
        throw EInvalidOp();
    const long double whole = std::trunc(value);
    if (whole < lowest || whole >= beyond)
        throw EInvalidOp();
    return static_cast<std::int64_t>(whole);
}

}  // namespace trasel
