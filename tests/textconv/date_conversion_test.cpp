#include <gtest/gtest.h>

#include <string>

#include "tests/support/pinned_settings.h"
#include "textconv/textconv.h"

namespace trasel {
namespace {

// 15/06/2026 12:00: two-digit years fall in 1976..2075.
constexpr DateTimeValue kNoonOf15June2026 = 46188.5;

// Day numbers counted from 30/12/1899 (Python's date difference).
constexpr DateTimeValue k09Jan2011 = 40552;
constexpr DateTimeValue k09Jan2026 = 46031;

class TextToDateTest : public testing_support::PinnedSettingsTest {
protected:
    void SetUp() override
    {
        PinnedSettingsTest::SetUp();
        SetLocalClockForTesting([] { return kNoonOf15June2026; });
    }
};

std::string RefusalOf(std::string_view text)
{
    return testing_support::RefusalOf(TextToDate, text);
}

struct Row {
    const char* name;
    const char* text;
    DateTimeValue expected;
};

TEST_F(TextToDateTest, ReadsDayMonthYear)
{
    const Row rows[] = {
        {"two-digit day and month", "09/01/2011", k09Jan2011},
        {"the day count starts at 30/12/1899", "30/12/1899", 0},
        {"single digits", "9/1/2011", k09Jan2011},
        {"spaces before every element and at the end", " 9 / 1 / 2011 ", k09Jan2011},
        {"one more separator after the year", "09/01/2011/", k09Jan2011},
        {"closing separator then spaces", "09/01/2011 / ", k09Jan2011},
        {"two numbers take the current year", "09/01", k09Jan2026},
        {"two numbers then spaces", " 9/1 ", k09Jan2026},
        {"two-digit year in this century", "9/1/11", k09Jan2011},
        {"last year of the window", "1/2/75", 63951},
        {"first year of the window", "1/2/76", 27791},
        {"year 00", "1/1/00", 36526},
        {"one-digit year", "1/1/1", 36892},
        {"three digits are the year as written", "1/1/011", -689941},
        {"four digits are the year as written", "01/01/0011", -689941},
        {"a leading zero lets five digits in", "09/01/02011", k09Jan2011},
        {"leap day", "29/02/2012", 40968},
        {"first day of year 1", "01/01/0001", -693593},
        {"last day of year 9999", "31/12/9999", 2958465},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(TextToDate(row.text), row.expected);
    }
}

TEST_F(TextToDateTest, RefusesWithTheTextAsPassed)
{
    const std::string rows[] = {
        "",
        "   ",
        "9",
        "09/",
        "09/01/",
        "09/01/2011//",
        "1/2/3/4",
        "09//2011",
        "/09/01/2011",
        "29/02/2011",
        "31/04/2011",
        "00/01/2011",
        "01/13/2011",
        "01/00/2011",
        "1/1/000",
        "1/1/10000",
        "09-01-2011",
        "09.01.2011",
        "09/01/2011x",
        "\t09/01/2011",
        "09/01/2011\t",
        "-9/1/2011",
        "9/1/2011 \xB0",
    };
    for (const std::string& text : rows) {
        SCOPED_TRACE(text);
        EXPECT_EQ(RefusalOf(text), "'" + text + "' is not a valid date");
    }
    EXPECT_EQ(RefusalOf(" 31/02/2011 "), "' 31/02/2011 ' is not a valid date");
}

TEST_F(TextToDateTest, TakesTheOrderAndSeparatorInForce)
{
    struct OrderRow {
        const char* name;
        const char* shortDateFormat;
        char separator;
        const char* text;
        DateTimeValue expected;
    };
    const OrderRow rows[] = {
        {"month first", "m/d/yy", '/', "01/09/2011", k09Jan2011},
        {"month first, two numbers", "m/d/yy", '/', "1/9", k09Jan2026},
        {"year first", "yyyy-mm-dd", '-', "2011-01-09", k09Jan2011},
        {"year first, two numbers are month and day", "yyyy-mm-dd", '-', "01-09", k09Jan2026},
        {"year first, two-digit year", "yy-mm-dd", '-', "11-1-9", k09Jan2011},
        {"day first with dots", "dd.mm.yyyy", '.', "09.01.2011", k09Jan2011},
        {"letters in capitals", "YYYY/MM/DD", '/', "2011/01/09", k09Jan2011},
        {"first letter decides", "'day' d/m/y", '/', "09/01/2011", k09Jan2011},
        {"no letter reads month first", "", '/', "01/09/2011", k09Jan2011},
    };
    for (const OrderRow& row : rows) {
        SCOPED_TRACE(row.name);
        Settings().ShortDateFormat = row.shortDateFormat;
        Settings().DateSeparator = row.separator;
        EXPECT_EQ(TextToDate(row.text), row.expected);
    }
    Settings().ShortDateFormat = "dd.mm.yyyy";
    Settings().DateSeparator = '.';
    EXPECT_EQ(RefusalOf("09/01/2011"), "'09/01/2011' is not a valid date");
}

TEST_F(TextToDateTest, TwoDigitYearsFollowTheClock)
{
    // 31/12/2080 23:59: the window is 2030..2129, so "29" is 2129 and "30" is 2030.
    SetLocalClockForTesting([] { return 66111.999; });
    EXPECT_EQ(TextToDate("1/1/29"), 83643);
    EXPECT_EQ(TextToDate("1/1/30"), 47484);
    EXPECT_EQ(TextToDate("1/1"), 65746);
}

}  // namespace
}  // namespace trasel
