#include <cstdint>

#include "textconv/detail_short_ways.h"
#include "textconv/detail_text_scanner.h"

namespace trasel::detail {
namespace {

constexpr int kMaxSignificantDigits = 19;  // 10^19 - 1 < 2^64
constexpr int kMaxExactPower = 27;         // 5^27 < 2^64 <= 5^28

// 10^0 .. 10^27, each exact in the extended format.
constexpr long double kPowersOfTen[kMaxExactPower + 1] = {
    1e0L,  1e1L,  1e2L,  1e3L,  1e4L,  1e5L,  1e6L,  1e7L,  1e8L,  1e9L,  1e10L, 1e11L, 1e12L, 1e13L,
    1e14L, 1e15L, 1e16L, 1e17L, 1e18L, 1e19L, 1e20L, 1e21L, 1e22L, 1e23L, 1e24L, 1e25L, 1e26L, 1e27L,
};

}  // namespace

// "0.50000": digits 50000, scale -5, 50000 / 10^5 = 0.5. "60.00" is
// 6000 / 100. "1.5e3" is 15 * 10^2. One rounding each, to nearest with ties
// to even, as the general way rounds.
bool TryShortDecimal(std::string_view text, char separator, long double& value)
{
    const char* at = text.data();
    const char* const end = at + text.size();
    while (at != end && *at == ' ')
        ++at;
    bool negative = false;
    if (at != end && (*at == '+' || *at == '-')) {
        negative = *at == '-';
        ++at;
    }

    // Leading zeros are not significant, in the whole part nor, while no
    // other digit came, in the fraction. More than 19 digits may wrap
    // `digits`; the count refuses them below.
    const char* const mantissa = at;
    while (at != end && *at == '0')
        ++at;
    const char* significantFrom = at;
    std::uint64_t digits = 0;
    for (; at != end && IsDecimalDigit(*at); ++at)
        digits = digits * 10 + static_cast<std::uint64_t>(*at - '0');
    long significant = at - significantFrom;
    long fractionDigits = 0;
    if (at != end && *at == separator) {
        ++at;
        const char* const fraction = at;
        if (significant == 0) {
            while (at != end && *at == '0')
                ++at;
        }
        significantFrom = at;
        for (; at != end && IsDecimalDigit(*at); ++at)
            digits = digits * 10 + static_cast<std::uint64_t>(*at - '0');
        significant += at - significantFrom;
        fractionDigits = at - fraction;
    }
    if (at == mantissa || significant > kMaxSignificantDigits)
        return false;

    int exponent = 0;
    if (at != end && (*at == 'e' || *at == 'E')) {
        ++at;
        bool negativeExponent = false;
        if (at != end && (*at == '+' || *at == '-')) {
            negativeExponent = *at == '-';
            ++at;
        }
        for (; at != end && IsDecimalDigit(*at); ++at) {
            exponent = exponent * 10 + (*at - '0');
            if (exponent > 2 * kMaxExactPower + kMaxSignificantDigits)
                return false;  // far outside the short way's scales either way
        }
        if (negativeExponent)
            exponent = -exponent;
    }
    while (at != end && *at == ' ')
        ++at;
    if (at != end)
        return false;

    const long scale = exponent - fractionDigits;
    long double magnitude = 0.0L;
    if (digits != 0) {
        if (scale < -kMaxExactPower || scale > kMaxExactPower)
            return false;
        const long double whole = static_cast<long double>(digits);  // exact: below 2^64
        magnitude = scale < 0 ? whole / kPowersOfTen[-scale] : whole * kPowersOfTen[scale];
    }
    // Negating after rounding keeps the sign of zero: "-0" is -0.
    value = negative ? -magnitude : magnitude;
    return true;
}

}  // namespace trasel::detail
