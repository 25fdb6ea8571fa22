#include "anglemath/sexagesimal.h"

#include <limits>

#include "textconv/textconv.h"

namespace trasel::detail {

SexagesimalFields SplitSexagesimal(double value)
{
    SexagesimalFields fields{};
    fields.Whole = TruncToInt64(value);
    // Truncation of a value that is never negative is rounding down, so the
    // minutes are below 60 and the seconds in [0, 60) before formatting.
    const double minutes = StoreDouble((static_cast<long double>(value) - fields.Whole) * 60.0L);
    fields.Minutes = TruncToInt64(minutes);
    fields.Seconds = StoreDouble((static_cast<long double>(minutes) - fields.Minutes) * 60.0L);
    return fields;
}

void AddMinute(SexagesimalFields& fields)
{
    if (++fields.Minutes < 60)
        return;
    fields.Minutes = 0;
    if (fields.Whole == std::numeric_limits<std::int64_t>::max())
        throw EInvalidOp();
    ++fields.Whole;
}

std::string WriteSexagesimal(const SexagesimalStyle& style, SexagesimalFields fields)
{
    // Seconds of 59.95 or more read "60.0" with "00.0"; the text, not the
    // value, decides, so the carry follows the pattern and the separator.
    std::string seconds = FormatNumber(style.SecondsPattern, fields.Seconds);
    if (seconds == FormatNumber(style.SecondsPattern, 60.0L)) {
        seconds = FormatNumber(style.SecondsPattern, 0.0L);
        AddMinute(fields);
    }
    std::string text = FormatNumber(style.WholePattern, static_cast<long double>(fields.Whole));
    text += FormatNumber(style.MinutesPattern, static_cast<long double>(fields.Minutes));
    text += style.MinutesMark;
    text += seconds;
    text += style.SecondsMark;
    return text;
}

}  // namespace trasel::detail
