#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "textconv/detail_short_ways.h"
#include "textconv/detail_text_scanner.h"
#include "textconv/textconv.h"

namespace trasel {
namespace {

// Exponent digits beyond this only push the value further past the extended
// range, so reading stops growing the number there instead of overflowing.
constexpr std::int64_t kExponentCap = 100'000'000'000'000'000;

// Decimal magnitudes (the value lies below 10^magnitude and at or above
// 10^(magnitude-1)) outside these bounds are decided without rounding: the
// largest extended value is about 1.19e4932, the smallest subnormal 3.6e-4951.
constexpr std::int64_t kCertainOverflow = 4940;
constexpr std::int64_t kCertainZero = -4960;

// The value a text writes, as significant digits times a power of ten.
struct DecimalDigits {
    bool Negative = false;
    std::string Significant;  // no leading or trailing zeros; empty for zero
    std::int64_t Scale = 0;   // value = Significant * 10^Scale
};

// Reads the grammar of the decimal conversion; false when the text is not in it.
bool ScanDecimal(std::string_view rest, char separator, DecimalDigits& number)
{
    detail::SkipSpaces(rest);
    if (!rest.empty() && (rest.front() == '+' || rest.front() == '-')) {
        number.Negative = rest.front() == '-';
        rest.remove_prefix(1);
    }

    bool sawMantissa = false;
    std::int64_t fractionDigits = 0;
    auto takeDigits = [&](bool inFraction) {
        while (!rest.empty() && detail::IsDecimalDigit(rest.front())) {
            sawMantissa = true;
            if (!number.Significant.empty() || rest.front() != '0')
                number.Significant += rest.front();
            if (inFraction)
                ++fractionDigits;
            rest.remove_prefix(1);
        }
    };
    takeDigits(false);
    if (!rest.empty() && rest.front() == separator) {
        sawMantissa = true;
        rest.remove_prefix(1);
        takeDigits(true);
    }
    if (!sawMantissa)
        return false;

    std::int64_t exponent = 0;
    if (!rest.empty() && (rest.front() == 'e' || rest.front() == 'E')) {
        rest.remove_prefix(1);
        bool negativeExponent = false;
        if (!rest.empty() && (rest.front() == '+' || rest.front() == '-')) {
            negativeExponent = rest.front() == '-';
            rest.remove_prefix(1);
        }
        // No digits after the letter leave the exponent at 0: "1e" and "1e+" are 1.
        while (!rest.empty() && detail::IsDecimalDigit(rest.front())) {
            if (exponent < kExponentCap)
                exponent = exponent * 10 + (rest.front() - '0');
            rest.remove_prefix(1);
        }
        if (negativeExponent)
            exponent = -exponent;
    }
    detail::SkipSpaces(rest);
    if (!rest.empty())
        return false;

    std::int64_t trailingZeros = 0;
    while (!number.Significant.empty() && number.Significant.back() == '0') {
        number.Significant.pop_back();
        ++trailingZeros;
    }
    number.Scale = exponent - fractionDigits + trailingZeros;
    return true;
}

// The correctly rounded extended value of a positive Significant * 10^Scale;
// false when it lies beyond the extended range. glibc's strtold rounds
// correctly (to nearest, ties to even) for any number of digits; the text
// handed to it has no decimal point, so the C library's LC_NUMERIC plays no
// part.
bool RoundToExtended(const DecimalDigits& number, long double& value)
{
    const std::int64_t magnitude = static_cast<std::int64_t>(number.Significant.size()) + number.Scale;
    if (magnitude > kCertainOverflow)
        return false;
    if (magnitude < kCertainZero) {
        value = 0.0L;
        return true;
    }
    const std::string text = number.Significant + "e" + std::to_string(number.Scale);
    errno = 0;
    value = std::strtold(text.c_str(), nullptr);
    // ERANGE with a tiny result is underflow, which stands as subnormal or zero.
    return !(errno == ERANGE && std::isinf(value));
}

}  // namespace

namespace detail {

long double GeneralTextToDecimal(std::string_view text, char separator)
{
    DecimalDigits number;
    if (!ScanDecimal(text, separator, number))
        detail::RefuseText(text, "floating point value");
    long double magnitude = 0.0L;
    if (!number.Significant.empty() && !RoundToExtended(number, magnitude))
        detail::RefuseText(text, "floating point value");
    // Negating after rounding keeps the sign of zero: "-0" and "-1e-99999" are -0.
    return number.Negative ? -magnitude : magnitude;
}

}  // namespace detail

// The short exact way takes the fields of an observation record ("0.50000",
// "31.72"); long or far-scaled numbers, and every refusal, go the general way.
long double TextToDecimal(std::string_view text)
{
    const char separator = Settings().DecimalSeparator;
    long double value = 0.0L;
    if (detail::TryShortDecimal(text, separator, value))
        return value;
    return detail::GeneralTextToDecimal(text, separator);
}

}  // namespace trasel
