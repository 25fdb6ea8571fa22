// Splitting an angle value (hours or degrees, never negative) into whole
// units, whole minutes and seconds, and writing the three fields as text.
// Used by RAToText and DecToText only.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace trasel::detail {

struct SexagesimalFields {
    std::int64_t Whole;
    std::int64_t Minutes;
    double Seconds;
};

// The number patterns of the three fields, and the marks appended after the
// minutes and the seconds outside the patterns (where "'" and '"' would be
// quote characters).
struct SexagesimalStyle {
    std::string_view WholePattern;
    std::string_view MinutesPattern;
    std::string_view MinutesMark;
    std::string_view SecondsPattern;
    std::string_view SecondsMark;
};

// Whole units and whole minutes truncated, seconds kept as a double:
// minutes = (value - whole) * 60 and seconds = (minutes - whole minutes) * 60,
// each in extended precision and rounded to double. A value of 2^63 or more
// throws EInvalidOp.
// 9.9999999999 -> {9, 59, 59.99999964...}.
SexagesimalFields SplitSexagesimal(double value);

// One more whole minute, carried into the whole units when it makes 60.
// A carry beyond the int64 range throws EInvalidOp.
void AddMinute(SexagesimalFields& fields);

// Writes the fields by the style's patterns. Only the seconds are rounded (by
// number formatting, at the pattern's last digit); when they round up to 60
// they are written as 0 and carried into the minutes.
// {9, 59, 59.99999964} with "00 ", "00 ", "00" -> "10 00 00".
std::string WriteSexagesimal(const SexagesimalStyle& style, SexagesimalFields fields);

}  // namespace trasel::detail
