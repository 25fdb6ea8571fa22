#include <ctime>
#include <iomanip>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "textconv/detail_text_scanner.h"
#include "textconv/textconv.h"

namespace trasel {
namespace {

// 22 November 2033, 13:44:55: day, month, year and hours all differ, so the
// order of the numbers in a formatted date or time tells which is which.
constexpr int kDay = 22;
constexpr int kMonth = 11;

std::tm KnownMoment(int hour)
{
    std::tm moment{};
    moment.tm_year = 2033 - 1900;
    moment.tm_mon = kMonth - 1;
    moment.tm_mday = kDay;
    moment.tm_hour = hour;
    moment.tm_min = 44;
    moment.tm_sec = 55;
    moment.tm_wday = 2;  // a Tuesday
    moment.tm_yday = 325;
    return moment;
}

std::string FormatMoment(const std::locale& locale, const char* pattern, int hour)
{
    const std::tm moment = KnownMoment(hour);
    std::ostringstream out;
    out.imbue(locale);
    out << std::put_time(&moment, pattern);
    return out.str();
}

// A separator must be one visible ASCII character that is neither a digit
// nor a letter; anything else (a letter, a multi-byte character) is unusable.
bool IsUsableSeparator(char c)
{
    const auto code = static_cast<unsigned char>(c);
    const bool letterOrDigit = detail::IsDecimalDigit(c) || (detail::AsciiLower(c) >= 'a' && detail::AsciiLower(c) <= 'z');
    return code > 32 && code < 127 && !letterOrDigit;
}

struct NumberRun {
    std::size_t Begin = 0;
    std::size_t End = 0;
    long Value = 0;
};

// The runs of ASCII digits of a text, in order.
std::vector<NumberRun> NumberRuns(std::string_view text)
{
    std::vector<NumberRun> runs;
    for (std::size_t i = 0; i < text.size();) {
        if (!detail::IsDecimalDigit(text[i])) {
            ++i;
            continue;
        }
        NumberRun run;
        run.Begin = i;
        while (i < text.size() && detail::IsDecimalDigit(text[i])) {
            if (run.Value < 100000)
                run.Value = run.Value * 10 + (text[i] - '0');
            ++i;
        }
        run.End = i;
        runs.push_back(run);
    }
    return runs;
}

// The separator between the first two numbers, blanks around it ignored:
// "22.11.2033" and "2033. 11. 22." give '.'; "2033년 11월 22일" gives none.
std::optional<char> SeparatorAfterFirstNumber(std::string_view text, const std::vector<NumberRun>& runs)
{
    if (runs.size() < 2)
        return std::nullopt;
    std::string_view between = text.substr(runs[0].End, runs[1].Begin - runs[0].End);
    detail::SkipSpaces(between);
    while (!between.empty() && between.back() == ' ')
        between.remove_suffix(1);
    if (between.size() != 1 || !IsUsableSeparator(between.front()))
        return std::nullopt;
    return between.front();
}

// The short date format from the order of day, month and year in a formatted
// date: "22.11.2033" gives "dd.mm.yyyy", "11/22/33" gives "mm/dd/yy",
// "2033-11-22" gives "yyyy-mm-dd". None when the day and the month cannot be
// told apart from the year.
std::optional<std::string> ShortDateFormatOf(const std::vector<NumberRun>& runs, char separator)
{
    if (runs.size() != 3)
        return std::nullopt;
    int dayAt = -1;
    int monthAt = -1;
    for (int i = 0; i < 3; ++i) {
        if (runs[i].Value == kDay && dayAt < 0)
            dayAt = i;
        else if (runs[i].Value == kMonth && monthAt < 0)
            monthAt = i;
    }
    if (dayAt < 0 || monthAt < 0)
        return std::nullopt;
    const int yearAt = 3 - dayAt - monthAt;
    const std::string year = runs[yearAt].End - runs[yearAt].Begin > 2 ? "yyyy" : "yy";
    std::string format;
    if (yearAt == 0)
        format = year + separator + "mm" + separator + "dd";
    else if (dayAt < monthAt)
        format = std::string("dd") + separator + "mm" + separator + year;
    else
        format = std::string("mm") + separator + "dd" + separator + year;
    return format;
}

}  // namespace

RegionalSettings& Settings()
{
    static RegionalSettings settings;
    return settings;
}

RegionalSettings SettingsFromLocale(const std::locale& locale)
{
    RegionalSettings settings;

    const char point = std::use_facet<std::numpunct<char>>(locale).decimal_point();
    if (IsUsableSeparator(point))
        settings.DecimalSeparator = point;

    const std::string date = FormatMoment(locale, "%x", 13);
    const std::vector<NumberRun> dateRuns = NumberRuns(date);
    if (const std::optional<char> separator = SeparatorAfterFirstNumber(date, dateRuns))
        settings.DateSeparator = *separator;
    if (const std::optional<std::string> format = ShortDateFormatOf(dateRuns, settings.DateSeparator))
        settings.ShortDateFormat = *format;

    const std::string time = FormatMoment(locale, "%X", 13);
    if (const std::optional<char> separator = SeparatorAfterFirstNumber(time, NumberRuns(time)))
        settings.TimeSeparator = *separator;

    const std::string morning = FormatMoment(locale, "%p", 1);
    const std::string afternoon = FormatMoment(locale, "%p", 13);
    if (!morning.empty())
        settings.TimeAMString = morning;
    if (!afternoon.empty())
        settings.TimePMString = afternoon;
    return settings;
}

void LoadSettingsFromUserLocale()
{
    std::locale user = std::locale::classic();
    try {
        user = std::locale("");
    } catch (const std::runtime_error&) {
        // An environment naming a locale that is not installed: the "C" one stands.
    }
    Settings() = SettingsFromLocale(user);
}

void FixProgramSettings()
{
    RegionalSettings& settings = Settings();
    settings.DecimalSeparator = '.';
    settings.DateSeparator = '/';
    settings.ShortDateFormat = "dd/mm/yyyy";
}

}  // namespace trasel
