#include <gtest/gtest.h>

#include "textconv/textconv.h"

namespace trasel {
namespace {

struct DateRow {
    const char* name;
    int year, month, day;
    std::int64_t dayNumber;
};

// Day numbers counted by hand from 30/12/1899: 1900 is not a leap year,
// 2000 is; 01/01/0001 is 693593 days before 01/01/1900's day 2.
const DateRow kDates[] = {
    {"epoch", 1899, 12, 30, 0},
    {"next day", 1899, 12, 31, 1},
    {"day before", 1899, 12, 29, -1},
    {"1900-03-01 after a non-leap February", 1900, 3, 1, 61},
    {"2000-03-01 after a leap February", 2000, 3, 1, 36586},
    {"2011-01-09", 2011, 1, 9, 40552},
    {"first day of year 1", 1, 1, 1, -693593},
    {"last day of year 9999", 9999, 12, 31, 2958465},
};

TEST(DateValues, EncodeAndDecodeAgree)
{
    for (const DateRow& row : kDates) {
        SCOPED_TRACE(row.name);
        std::int64_t dayNumber = 12345;
        ASSERT_TRUE(TryEncodeDate(row.year, row.month, row.day, dayNumber));
        EXPECT_EQ(dayNumber, row.dayNumber);
        const CivilDate date = DecodeDayNumber(row.dayNumber);
        EXPECT_EQ(date.Year, row.year);
        EXPECT_EQ(date.Month, row.month);
        EXPECT_EQ(date.Day, row.day);
    }
}

TEST(DateValues, RefusesImpossibleDates)
{
    const int bad[][3] = {{2011, 2, 29}, {1900, 2, 29}, {2011, 4, 31}, {2011, 13, 1}, {2011, 0, 1},
                          {2011, 1, 0},  {0, 1, 1},     {10000, 1, 1}};
    for (const auto& date : bad) {
        std::int64_t dayNumber = 7;
        EXPECT_FALSE(TryEncodeDate(date[0], date[1], date[2], dayNumber)) << date[0] << "-" << date[1] << "-" << date[2];
        EXPECT_EQ(dayNumber, 7);
    }
    std::int64_t dayNumber = 0;
    EXPECT_TRUE(TryEncodeDate(2000, 2, 29, dayNumber));
}

TEST(DateValues, PinnedClockIsUsedAndReleased)
{
    SetLocalClockForTesting([] { return 40552.5; });
    EXPECT_EQ(LocalNow(), 40552.5);
    SetLocalClockForTesting({});
    EXPECT_GT(LocalNow(), 40552.5);  // the real clock is well past 2011
}

}  // namespace
}  // namespace trasel
