#include "textconv/textconv.h"

#include <cmath>
#include <cstdio>
#include <string>

namespace trasel {
namespace {

constexpr std::int64_t kMsPerDay = 86400000;

// Day numbers of 01/01/0001 and 31/12/9999.
constexpr std::int64_t kFirstDay = -693593;
constexpr std::int64_t kLastDay = 2958465;

[[noreturn]] void ThrowOutsideYears()
{
    throw EConvertError("Date outside the years 1 to 9999");
}

// The value in whole milliseconds, the exact product rounded to nearest with
// halves to even. The product of a double and 86,400,000 = 84,375 * 2^10 can
// need 70 bits, more than the extended format holds, so it is carried as the
// rounded product plus its exact error (fma); the error decides only when the
// rounded product is itself a half.
// 0x1.3cd1ce1907c53p+15 is 3503770778999.49999992 ms (21:39:38.999); its
// extended product rounds to ...999.5, which alone would give 21:39:39.
std::int64_t WholeMilliseconds(DateTimeValue value)
{
    // Beyond a day either side of the calendar, nothing needs rounding;
    // this also keeps the count far inside int64 (and refuses NaN).
    if (!(value > kFirstDay - 1 && value < kLastDay + 2))
        ThrowOutsideYears();
    constexpr long double kOddPart = 84375.0L;
    const long double wide = value;
    const long double product = wide * kOddPart;
    const long double error = std::fma(wide, kOddPart, -product);
    const long double scaledProduct = std::ldexp(product, 10);
    const long double scaledError = std::ldexp(error, 10);

    long double whole = std::nearbyint(scaledProduct);
    const long double rest = scaledProduct - whole;  // exact: |rest| <= 1/2
    if (rest == 0.5L && scaledError > 0)
        whole += 1;
    else if (rest == -0.5L && scaledError < 0)
        whole -= 1;
    return static_cast<std::int64_t>(whole);
}

void AppendTwoDigits(std::string& out, std::int64_t number)
{
    out += static_cast<char>('0' + number / 10);
    out += static_cast<char>('0' + number % 10);
}

}  // namespace

// The value is decoded linearly: the date is the floor of the day count and
// the time of day the remainder, so -1.25 is 28/12/1899 18:00:00, six hours
// before -1.0. Leftover milliseconds are dropped, never rounded into the
// seconds: 0.5 day + 999 ms is 12:00:00.
std::string FormatDateTime(std::string_view pattern, DateTimeValue value)
{
    const std::int64_t ms = WholeMilliseconds(value);
    std::int64_t day = ms / kMsPerDay;
    std::int64_t msOfDay = ms % kMsPerDay;
    if (msOfDay < 0) {
        day -= 1;
        msOfDay += kMsPerDay;
    }
    if (day < kFirstDay || day > kLastDay)
        ThrowOutsideYears();
    const CivilDate date = DecodeDayNumber(day);
    const std::int64_t hours = msOfDay / 3600000;
    const std::int64_t minutes = msOfDay / 60000 % 60;
    const std::int64_t seconds = msOfDay / 1000 % 60;

    // "mm" is the minutes when an "hh" precedes it with nothing but ":" between.
    bool afterHours = false;
    std::string out;
    for (std::size_t i = 0; i < pattern.size();) {
        const std::string_view rest = pattern.substr(i);
        if (rest.starts_with("yyyy")) {
            char year[8];
            std::snprintf(year, sizeof year, "%04d", date.Year);
            out += year;
            i += 4;
            afterHours = false;
        } else if (rest.starts_with("dd")) {
            AppendTwoDigits(out, date.Day);
            i += 2;
            afterHours = false;
        } else if (rest.starts_with("mm")) {
            AppendTwoDigits(out, afterHours ? minutes : date.Month);
            i += 2;
            afterHours = false;
        } else if (rest.starts_with("hh")) {
            AppendTwoDigits(out, hours);
            i += 2;
            afterHours = true;
        } else if (rest.starts_with("ss")) {
            AppendTwoDigits(out, seconds);
            i += 2;
            afterHours = false;
        } else if (rest[0] == ':') {
            out += Settings().TimeSeparator;
            i += 1;
        } else {
            out += rest[0] == '/' ? Settings().DateSeparator : rest[0];
            i += 1;
            afterHours = false;
        }
    }
    return out;
}

}  // namespace trasel
