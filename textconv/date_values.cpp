#include "textconv/textconv.h"

#include <chrono>
#include <cmath>
#include <ctime>
#include <utility>

namespace trasel {
namespace {

// 30 December 1899 counted from 1 January 1970.
constexpr std::int64_t kEpochFrom1970 = -25569;

// Days from 1 January 1970 of a proleptic Gregorian date, for any year
// (H. Hinnant's days_from_civil: eras of 400 years, March-based years).
std::int64_t DaysFromCivil(std::int64_t y, unsigned m, unsigned d)
{
    y -= m <= 2 ? 1 : 0;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const auto yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

std::function<DateTimeValue()>& ClockOverride()
{
    static std::function<DateTimeValue()> clock;
    return clock;
}

}  // namespace

bool IsLeapYear(int year)
{
    return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

int DaysInMonth(int year, int month)
{
    static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month == 2 && IsLeapYear(year))
        return 29;
    return kDays[month - 1];
}

bool TryEncodeDate(int year, int month, int day, std::int64_t& dayNumber)
{
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month))
        return false;
    dayNumber = DaysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day)) - kEpochFrom1970;
    return true;
}

CivilDate DecodeDayNumber(std::int64_t dayNumber)
{
    // H. Hinnant's civil_from_days.
    const std::int64_t z = dayNumber + kEpochFrom1970 + 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const auto doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    const unsigned d = doy - (153 * mp + 2) / 5 + 1;
    const unsigned m = mp < 10 ? mp + 3 : mp - 9;
    const std::int64_t y = static_cast<std::int64_t>(yoe) + era * 400 + (m <= 2 ? 1 : 0);
    return CivilDate{static_cast<int>(y), static_cast<int>(m), static_cast<int>(d)};
}

DateTimeValue LocalNow()
{
    if (ClockOverride())
        return ClockOverride()();
    const auto now = std::chrono::system_clock::now();
    const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
    const auto millis = std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() % 1000;
    const std::tm local = *std::localtime(&seconds);
    std::int64_t day = 0;
    TryEncodeDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, day);
    const long double msOfDay =
        ((local.tm_hour * 60.0L + local.tm_min) * 60.0L + local.tm_sec) * 1000.0L + static_cast<long double>(millis);
    return static_cast<double>(static_cast<long double>(day) + msOfDay / 86400000.0L);
}

void SetLocalClockForTesting(std::function<DateTimeValue()> clock)
{
    ClockOverride() = std::move(clock);
}

}  // namespace trasel
