#include <cstdint>

#include "textconv/detail_text_scanner.h"
#include "textconv/textconv.h"

namespace trasel {
namespace {

int HexDigitValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// Hexadecimal digits as a 32-bit two's-complement pattern: leading zeros are
// free, a ninth significant digit refuses ("000000001" is 1, "100000000" is
// refused, "FFFFFFFF" is -1).
bool ReadHexPattern(std::string_view digits, std::int32_t& value)
{
    if (digits.empty())
        return false;
    std::uint32_t pattern = 0;
    int significant = 0;
    for (const char c : digits) {
        const int digit = HexDigitValue(c);
        if (digit < 0)
            return false;
        if (significant == 0 && digit == 0)
            continue;
        if (++significant > 8)
            return false;
        pattern = pattern << 4 | static_cast<std::uint32_t>(digit);
    }
    value = static_cast<std::int32_t>(pattern);
    return true;
}

// Decimal digits within -2147483648..2147483647. The magnitude is checked
// after every digit, so a long run of digits refuses before it can overflow.
bool ReadDecimal(std::string_view digits, bool negative, std::int32_t& value)
{
    if (digits.empty())
        return false;
    const std::int64_t limit = negative ? 2147483648LL : 2147483647LL;
    std::int64_t magnitude = 0;
    for (const char c : digits) {
        if (!detail::IsDecimalDigit(c))
            return false;
        magnitude = magnitude * 10 + (c - '0');
        if (magnitude > limit)
            return false;
    }
    value = static_cast<std::int32_t>(negative ? -magnitude : magnitude);
    return true;
}

}  // namespace

std::int32_t TextToInteger(std::string_view text)
{
    std::string_view rest = text;
    detail::SkipSpaces(rest);

    std::int32_t value = 0;
    bool accepted = false;
    if (!rest.empty() && (rest.front() == '$' || rest.front() == 'x' || rest.front() == 'X'))
        accepted = ReadHexPattern(rest.substr(1), value);
    else if (rest.size() >= 2 && rest[0] == '0' && (rest[1] == 'x' || rest[1] == 'X'))
        accepted = ReadHexPattern(rest.substr(2), value);
    else if (!rest.empty() && (rest.front() == '+' || rest.front() == '-'))
        accepted = ReadDecimal(rest.substr(1), rest.front() == '-', value);
    else
        accepted = ReadDecimal(rest, false, value);

    if (!accepted)
        detail::RefuseText(text, "integer value");
    return value;
}

}  // namespace trasel
