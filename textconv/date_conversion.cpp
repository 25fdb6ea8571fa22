#include <cmath>
#include <cstdint>

#include "textconv/detail_short_ways.h"
#include "textconv/detail_text_scanner.h"
#include "textconv/textconv.h"

namespace trasel {
namespace {

enum class DateOrder { DayMonthYear, MonthDayYear, YearMonthDay };

// The first of d, m and y in the short date format, in either case, decides
// ("dd/mm/yyyy" is day first, "yyyy-MM-dd" year first). A format with none of
// them reads month first, as the fallback "m/d/yy" does.
DateOrder OrderOf(std::string_view shortDateFormat)
{
    for (const char c : shortDateFormat) {
        switch (detail::AsciiLower(c)) {
        case 'd':
            return DateOrder::DayMonthYear;
        case 'm':
            return DateOrder::MonthDayYear;
        case 'y':
            return DateOrder::YearMonthDay;
        default:
            break;
        }
    }
    return DateOrder::MonthDayYear;
}

int CurrentYear()
{
    const std::int64_t today = TruncToInt64(std::floor(static_cast<long double>(LocalNow())));
    return DecodeDayNumber(today).Year;
}

// A year written with one or two digits falls in the hundred years from the
// current year - 50 to the current year + 49: in 2026, "75" is 2075 and "76"
// is 1976. Three or more digits are the year as written ("011" is 11).
int FullYear(detail::ScannedNumber year)
{
    if (year.Digits > 2)
        return year.Value;
    const int first = CurrentYear() - 50;
    return first + ((year.Value - first) % 100 + 100) % 100;
}

bool AllDigits(std::string_view text)
{
    for (const char c : text) {
        if (!detail::IsDecimalDigit(c))
            return false;
    }
    return true;
}

int DigitsValue(std::string_view digits)
{
    int value = 0;
    for (const char c : digits)
        value = value * 10 + (c - '0');
    return value;
}

}  // namespace

namespace detail {

// "09", "01", "2011" read as TextToDate reads "09/01/2011": three numbers of
// digits only, the year of four digits taken as written. Only under the
// "/" separator with the day first, where the two readings are one.
bool TryPlainDate(std::string_view day, std::string_view month, std::string_view year, DateTimeValue& value)
{
    const RegionalSettings& settings = Settings();
    if (settings.DateSeparator != '/' || OrderOf(settings.ShortDateFormat) != DateOrder::DayMonthYear)
        return false;
    if (day.size() != 2 || month.size() != 2 || year.size() != 4 || !AllDigits(day) || !AllDigits(month) ||
        !AllDigits(year))
        return false;
    std::int64_t dayNumber = 0;
    if (!TryEncodeDate(DigitsValue(year), DigitsValue(month), DigitsValue(day), dayNumber))
        return false;
    value = static_cast<DateTimeValue>(dayNumber);
    return true;
}

}  // namespace detail

DateTimeValue TextToDate(std::string_view text)
{
    const RegionalSettings& settings = Settings();
    const char separator = settings.DateSeparator;

    std::string_view rest = text;
    detail::ScannedNumber numbers[3];
    int count = 0;
    if (!detail::TakeNumber(rest, numbers[count++]))
        detail::RefuseText(text, "date");
    while (count < 3 && detail::TakeChar(rest, separator)) {
        if (!detail::TakeNumber(rest, numbers[count++]))
            detail::RefuseText(text, "date");
    }
    if (count < 2)
        detail::RefuseText(text, "date");
    if (count == 3)
        detail::TakeChar(rest, separator);  // "09/01/2011/" is accepted
    detail::SkipSpaces(rest);
    if (!rest.empty())
        detail::RefuseText(text, "date");

    const DateOrder order = OrderOf(settings.ShortDateFormat);
    int year = 0;
    int month = 0;
    int day = 0;
    if (count == 2) {
        // Day and month, or month and day; the year is this year.
        const bool dayFirst = order == DateOrder::DayMonthYear;
        day = numbers[dayFirst ? 0 : 1].Value;
        month = numbers[dayFirst ? 1 : 0].Value;
        year = CurrentYear();
    } else if (order == DateOrder::DayMonthYear) {
        day = numbers[0].Value;
        month = numbers[1].Value;
        year = FullYear(numbers[2]);
    } else if (order == DateOrder::MonthDayYear) {
        month = numbers[0].Value;
        day = numbers[1].Value;
        year = FullYear(numbers[2]);
    } else {
        year = FullYear(numbers[0]);
        month = numbers[1].Value;
        day = numbers[2].Value;
    }

    std::int64_t dayNumber = 0;
    if (!TryEncodeDate(year, month, day, dayNumber))
        detail::RefuseText(text, "date");
    return static_cast<DateTimeValue>(dayNumber);
}

}  // namespace trasel
