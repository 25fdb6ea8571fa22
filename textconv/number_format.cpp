#include "textconv/textconv.h"

#include <charconv>
#include <cmath>
#include <string>

namespace trasel {
namespace {

// What a number pattern asks for, with its literal text split around the
// place where the number goes.
struct NumberPattern {
    int integerPlaces = 0;  // "0" places before the "."
    int decimalPlaces = 0;  // "0" places after the "."
    bool hasDecimalPoint = false;
    std::string textBefore;  // literals before the first digit place or "."
    std::string textAfter;   // every literal after it, in order
};

// "0" and the first "." are places of the number; a second "." is ignored;
// "'" or '"' open literal text up to the same quote (or the pattern's end);
// every other character is copied where it stands.
NumberPattern ParsePattern(std::string_view pattern)
{
    NumberPattern parsed;
    bool numberPlaced = false;
    auto literal = [&](char c) { (numberPlaced ? parsed.textAfter : parsed.textBefore) += c; };
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const char c = pattern[i];
        if (c == '\'' || c == '"') {
            const std::size_t close = pattern.find(c, i + 1);
            const std::size_t end = close == std::string_view::npos ? pattern.size() : close;
            for (std::size_t j = i + 1; j < end; ++j)
                literal(pattern[j]);
            i = end;
        } else if (c == '0') {
            numberPlaced = true;
            ++(parsed.hasDecimalPoint ? parsed.decimalPlaces : parsed.integerPlaces);
        } else if (c == '.') {
            numberPlaced = true;
            parsed.hasDecimalPoint = true;
        } else {
            literal(c);
        }
    }
    return parsed;
}

// Adds one unit in the last place of a string of decimal digits.
void IncrementDigits(std::string& digits)
{
    for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
        if (*it != '9') {
            ++*it;
            return;
        }
        *it = '0';
    }
    digits.insert(digits.begin(), '1');
}

// The magnitude times 10^decimals as a whole number in decimal digits, in two
// roundings: first to 18 significant digits (nearest, ties to even, which
// std::to_chars does exactly, always with a "." whatever the C library's
// locale says), then that digit string at the last decimal,
// a first dropped digit of 5 or more rounding up.
// 0.125 with 2 decimals: "1.25000000000000000e-01" -> "13".
// 0.125 - 2^-67 (0.1249999999999999999932...): 18 digits give
// "1.25000000000000000e-01" as well, so also "13", not the "12" that
// rounding the binary value itself would give.
std::string ScaledDigits(long double magnitude, int decimals)
{
    char buffer[64];
    const std::to_chars_result written =
        std::to_chars(buffer, buffer + sizeof buffer, magnitude, std::chars_format::scientific, 17);
    const std::string text(buffer, written.ptr);  // d.ddddddddddddddddde[+-]XX
    const std::string significand = text.substr(0, 1) + text.substr(2, 17);
    const int exponent = std::stoi(text.substr(text.find('e') + 1));

    // How many of the 18 digits stand before the pattern's last place ends.
    const long long kept = static_cast<long long>(exponent) + 1 + decimals;
    constexpr long long kSignificantDigits = 18;
    if (kept >= kSignificantDigits)
        return significand + std::string(static_cast<std::size_t>(kept - kSignificantDigits), '0');
    if (kept < 0)
        return "0";
    std::string digits = significand.substr(0, static_cast<std::size_t>(kept));
    if (significand[static_cast<std::size_t>(kept)] >= '5')
        IncrementDigits(digits);
    return digits.empty() ? "0" : digits;
}

}  // namespace

std::string FormatNumber(std::string_view pattern, long double value)
{
    if (!std::isfinite(value))
        throw EInvalidOp();
    const NumberPattern parsed = ParsePattern(pattern);

    std::string digits = ScaledDigits(std::fabs(value), parsed.decimalPlaces);
    const std::size_t firstNonZero = digits.find_first_not_of('0');
    const bool roundsToZero = firstNonZero == std::string::npos;

    // Split off the decimals, padding with zeros where the number is short.
    const auto decimals = static_cast<std::size_t>(parsed.decimalPlaces);
    if (digits.size() < decimals + 1)
        digits.insert(0, decimals + 1 - digits.size(), '0');
    std::string integerPart = digits.substr(0, digits.size() - decimals);
    const std::string fractionPart = digits.substr(digits.size() - decimals);

    // The integer part has no leading zeros of its own; the pattern's places
    // set its least length (none: a zero integer part is not written).
    integerPart.erase(0, integerPart.find_first_not_of('0'));
    const auto places = static_cast<std::size_t>(parsed.integerPlaces);
    if (integerPart.size() < places)
        integerPart.insert(0, places - integerPart.size(), '0');

    std::string result;
    if (value < 0 && !roundsToZero)
        result += '-';
    result += parsed.textBefore;
    result += integerPart;
    if (parsed.hasDecimalPoint && decimals > 0) {
        result += Settings().DecimalSeparator;
        result += fractionPart;
    }
    result += parsed.textAfter;
    return result;
}

}  // namespace trasel
