#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "tests/support/pinned_settings.h"
#include "textconv/textconv.h"

namespace trasel {
namespace {

// Expected texts were worked out with exact rational arithmetic: the double's
// exact value times 86,400,000, rounded to whole milliseconds (halves to
// even), the day its floor and the time of day the rest, cut to seconds.

constexpr double kMs = 1.0 / 86400000.0;

class DateTimeFormatTest : public testing_support::PinnedSettingsTest {};

struct DateTimeRow {
    const char* name;
    DateTimeValue value;
    const char* expected;
};

void ExpectRows(const char* pattern, const DateTimeRow* begin, const DateTimeRow* end)
{
    for (const DateTimeRow* row = begin; row != end; ++row) {
        SCOPED_TRACE(row->name);
        EXPECT_EQ(FormatDateTime(pattern, row->value), row->expected);
    }
}

template <std::size_t N>
void ExpectRows(const char* pattern, const DateTimeRow (&rows)[N])
{
    ExpectRows(pattern, rows, rows + N);
}

TEST_F(DateTimeFormatTest, WritesTheDate)
{
    const DateTimeRow rows[] = {
        {"day 40552", 40552.0, "09/01/2011"},
        {"day 0", 0.0, "30/12/1899"},
        {"late in the day keeps the date", 40552.99, "09/01/2011"},
        {"first day of year 1", -693593.0, "01/01/0001"},
        {"last day of year 9999", 2958465.0, "31/12/9999"},
    };
    ExpectRows("dd/mm/yyyy", rows);
}

TEST_F(DateTimeFormatTest, WritesDateAndTime)
{
    const DateTimeRow rows[] = {
        // 3503770199999.9996 ms: rounds up onto the half hour
        {"21:30 on 09/01/2011", 40552.89583333333, "09/01/2011 21:30:00"},
        {"noon", 0.5, "30/12/1899 12:00:00"},
        {"40552.99 is 23:45:35.99999982", 40552.99, "09/01/2011 23:45:36"},
        {"last second of 9999", 2958465.99998843, "31/12/9999 23:59:59"},
        {"noon of the first day", -693592.5, "01/01/0001 12:00:00"},
    };
    ExpectRows("dd/mm/yyyy hh:mm:ss", rows);
}

TEST_F(DateTimeFormatTest, DecodesNegativeValuesLinearly)
{
    const DateTimeRow rows[] = {
        {"-0.75 is six hours after the previous midnight", -0.75, "29/12/1899 06:00:00"},
        {"-1.25", -1.25, "28/12/1899 18:00:00"},
        {"-1", -1.0, "29/12/1899 00:00:00"},
    };
    ExpectRows("dd/mm/yyyy hh:mm:ss", rows);
}

// The value is rounded to whole milliseconds first; those are then dropped.
TEST_F(DateTimeFormatTest, RoundsToMillisecondsThenDropsThem)
{
    const DateTimeRow rows[] = {
        {"noon + 999 ms stays at noon", 0.5 + 999.0 * kMs, "30/12/1899 12:00:00"},
        {"the day's last millisecond", 86399999.0 * kMs, "30/12/1899 23:59:59"},
        {"noon + 999.4 ms", 0.5 + 999.4 * kMs, "30/12/1899 12:00:00"},
        {"noon + 999.6 ms rounds to the next second", 0.5 + 999.6 * kMs, "30/12/1899 12:00:01"},
        {"-0.4 ms rounds to the epoch", -0.4 * kMs, "30/12/1899 00:00:00"},
        {"-0.6 ms rounds to the day before", -0.6 * kMs, "29/12/1899 23:59:59"},
        // 3503770778999.49999992 ms: the extended product alone rounds to
        // ...999.5 and would wrongly reach 21:39:39.
        {"just below a half millisecond", 0x1.3cd1ce1907c53p+15, "09/01/2011 21:39:38"},
    };
    ExpectRows("dd/mm/yyyy hh:mm:ss", rows);
}

TEST_F(DateTimeFormatTest, WritesTheSeparatorsInForce)
{
    Settings().DateSeparator = '-';
    Settings().TimeSeparator = '.';
    const DateTimeRow rows[] = {
        {"21:30 on 09/01/2011", 40552.89583333333, "09-01-2011 21.30.00"},
    };
    ExpectRows("dd/mm/yyyy hh:mm:ss", rows);
}

TEST_F(DateTimeFormatTest, ReadsMmAfterHoursAsMinutes)
{
    struct PatternRow {
        const char* pattern;
        const char* expected;
    };
    // 09/01/2011 21:30:00 written by different patterns.
    const PatternRow rows[] = {
        {"hh:mm", "21:30"},
        {"hhmm", "2130"},
        {"mm/dd", "01/09"},
        {"hh mm", "21 01"},
        {"yyyy.mm.dd hh:mm:ss", "2011.01.09 21:30:00"},
        {"d m y", "d m y"},
    };
    for (const PatternRow& row : rows) {
        SCOPED_TRACE(row.pattern);
        EXPECT_EQ(FormatDateTime(row.pattern, 40552.89583333333), row.expected);
    }
}

TEST_F(DateTimeFormatTest, RefusesDatesOutsideTheYears1To9999)
{
    const DateTimeValue values[] = {
        2958465.999999999,  // 23:59:59.9999 rounds to 01/01/10000 00:00:00
        2958466.0,
        -693593.00000001,  // 0.864 ms before 01/01/0001 rounds to -1 ms
        -693593.5,
        1e300,
        -1e300,
        std::numeric_limits<double>::infinity(),
        std::numeric_limits<double>::quiet_NaN(),
    };
    for (const DateTimeValue value : values) {
        SCOPED_TRACE(value);
        try {
            FormatDateTime("dd/mm/yyyy hh:mm:ss", value);
            ADD_FAILURE() << "no error";
        } catch (const EConvertError& error) {
            EXPECT_STREQ(error.what(), "Date outside the years 1 to 9999");
        }
    }
}

}  // namespace
}  // namespace trasel
