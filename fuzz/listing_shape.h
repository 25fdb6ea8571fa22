// The shape of the listing's lines: the speed line and the rows, field by
// field, as the result box must hold them.
#pragma once

#include <cstddef>
#include <string_view>

namespace trasel::fuzz {

inline bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// `count` digits at `at` whose value lies in first..last.
inline bool NumberAt(std::string_view text, std::size_t at, std::size_t count, int first, int last)
{
    if (at + count > text.size())
        return false;
    int value = 0;
    for (std::size_t i = 0; i < count; ++i) {
        if (!IsDigit(text[at + i]))
            return false;
        value = value * 10 + (text[at + i] - '0');
    }
    return value >= first && value <= last;
}

// "Velocidad aparente: " digits "." two digits " \"/min".
inline bool IsSpeedLine(std::string_view line)
{
    constexpr std::string_view head = "Velocidad aparente: ";
    constexpr std::string_view tail = " \"/min";
    if (!line.starts_with(head) || !line.ends_with(tail))
        return false;
    const std::string_view number = line.substr(head.size(), line.size() - head.size() - tail.size());
    const std::size_t point = number.find('.');
    if (point == std::string_view::npos || point == 0 || number.size() - point != 3)
        return false;
    for (std::size_t i = 0; i < number.size(); ++i) {
        if (i != point && !IsDigit(number[i]))
            return false;
    }
    return true;
}

// designation "  " "dd/mm/yyyy hh:mm:ss" "  " "HH MM SS.s" "  " sign "DD MM SS",
// the degrees possibly longer; no seconds field reads 60.
inline bool IsRow(std::string_view row, std::string_view designation, char timeSeparator)
{
    if (!row.starts_with(designation))
        return false;
    std::string_view rest = row.substr(designation.size());
    auto take = [&](std::string_view literal) {
        if (!rest.starts_with(literal))
            return false;
        rest.remove_prefix(literal.size());
        return true;
    };
    // Date and time.
    if (!take("  ") || !NumberAt(rest, 0, 2, 1, 31) || rest[2] != '/' || !NumberAt(rest, 3, 2, 1, 12) ||
        rest[5] != '/' || !NumberAt(rest, 6, 4, 1, 9999) || rest[10] != ' ' || !NumberAt(rest, 11, 2, 0, 23) ||
        rest[13] != timeSeparator || !NumberAt(rest, 14, 2, 0, 59) || rest[16] != timeSeparator ||
        !NumberAt(rest, 17, 2, 0, 59))
        return false;
    rest.remove_prefix(19);
    // Right ascension: hours 00..24 (the nudge may lift a hair below 24h onto it).
    if (!take("  ") || !NumberAt(rest, 0, 2, 0, 24) || rest[2] != ' ' || !NumberAt(rest, 3, 2, 0, 59) ||
        rest[5] != ' ' || !NumberAt(rest, 6, 2, 0, 59) || rest[8] != '.' || !NumberAt(rest, 9, 1, 0, 9))
        return false;
    rest.remove_prefix(10);
    // Declination: the sign, two or more digits of degrees, minutes, seconds.
    if (!take("  ") || rest.empty() || (rest[0] != '+' && rest[0] != '-'))
        return false;
    rest.remove_prefix(1);
    std::size_t degreeDigits = 0;
    while (degreeDigits < rest.size() && IsDigit(rest[degreeDigits]))
        ++degreeDigits;
    if (degreeDigits < 2)
        return false;
    rest.remove_prefix(degreeDigits);
    return rest.size() == 6 && rest[0] == ' ' && NumberAt(rest, 1, 2, 0, 59) && rest[3] == ' ' &&
           NumberAt(rest, 4, 2, 0, 59);
}

}  // namespace trasel::fuzz
