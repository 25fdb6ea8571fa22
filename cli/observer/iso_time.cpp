#include "cli/observer/observer.h"

#include <cmath>
#include <cstdio>

namespace trasel {

std::string IsoDateTime(DateTimeValue value)
{
    // Whole milliseconds, halves to even as the listing's times round:
    // 3/2048 of a day is 126562.5 ms and gives 1899-12-30T00:02:06.562Z.
    constexpr std::int64_t kMsPerDay = 86400000;
    const std::int64_t ms = TruncToInt64(std::nearbyint(static_cast<long double>(value) * kMsPerDay));
    std::int64_t day = ms / kMsPerDay;
    std::int64_t ofDay = ms % kMsPerDay;
    if (ofDay < 0) {  // dates before 30/12/1899 still count their time of day forward
        ofDay += kMsPerDay;
        --day;
    }
    const CivilDate date = DecodeDayNumber(day);
    if (date.Year < 1 || date.Year > 9999)
        throw EConvertError("date outside the years 1 to 9999");
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d.%03dZ", date.Year, date.Month, date.Day,
                  static_cast<int>(ofDay / 3600000), static_cast<int>(ofDay / 60000 % 60),
                  static_cast<int>(ofDay / 1000 % 60), static_cast<int>(ofDay % 1000));
    return text;
}

}  // namespace trasel
