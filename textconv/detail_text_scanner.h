// Reading helpers shared by the text conversions. Each reader takes what it
// recognises from the front of `rest` and leaves the remainder there.
#pragma once

#include <string>
#include <string_view>

#include "textconv/textconv.h"

namespace trasel::detail {

// Throws EConvertError "'<text>' is not a valid <kind>", the text quoted with
// every byte as passed (blanks, control characters and bytes above 127).
[[noreturn]] inline void RefuseText(std::string_view text, std::string_view kind)
{
    std::string message;
    message.reserve(text.size() + kind.size() + 20);
    message += '\'';
    message += text;
    message += "' is not a valid ";
    message += kind;
    throw EConvertError(message);
}

inline bool IsDecimalDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Letters folded to lower case by ASCII alone, whatever the C locale says
// (Qt sets it from the environment); other bytes are left as they are.
inline char AsciiLower(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Only the space character counts as a blank here; a tab is refused.
inline void SkipSpaces(std::string_view& rest)
{
    while (!rest.empty() && rest.front() == ' ')
        rest.remove_prefix(1);
}

// Takes `c` after any spaces. When `c` is not there only the spaces are taken.
inline bool TakeChar(std::string_view& rest, char c)
{
    SkipSpaces(rest);
    if (rest.empty() || rest.front() != c)
        return false;
    rest.remove_prefix(1);
    return true;
}

// A number of a date or a time, with the count of digits it was written with.
struct ScannedNumber {
    int Value = 0;
    int Digits = 0;
};

// Takes a number after any spaces. Digits are read while the value so far is
// below 1000, so "2011" is read whole and "02011" too (2011, five digits),
// while "10000" stops at 1000 and leaves a "0" that the caller refuses.
// False when no digit follows the spaces.
inline bool TakeNumber(std::string_view& rest, ScannedNumber& number)
{
    SkipSpaces(rest);
    number = ScannedNumber{};
    while (!rest.empty() && IsDecimalDigit(rest.front()) && number.Value < 1000) {
        number.Value = number.Value * 10 + (rest.front() - '0');
        ++number.Digits;
        rest.remove_prefix(1);
    }
    return number.Digits > 0;
}

}  // namespace trasel::detail
