#include <gtest/gtest.h>

#include <string>

#include "tests/support/pinned_settings.h"
#include "textconv/textconv.h"

namespace trasel {
namespace {

// Expected values: milliseconds / 86400000 rounded by hand from the exact
// rational to a 64-bit significand, then to double (both ties to even).
class TextToTimeTest : public testing_support::PinnedSettingsTest {};

std::string RefusalOf(std::string_view text)
{
    return testing_support::RefusalOf(TextToTime, text);
}

struct Row {
    const char* name;
    const char* text;
    DateTimeValue expected;
};

void ExpectRows(const Row* begin, const Row* end)
{
    for (const Row* row = begin; row != end; ++row) {
        SCOPED_TRACE(row->name);
        const DateTimeValue actual = TextToTime(row->text);
        EXPECT_EQ(actual, row->expected) << std::hexfloat << actual;
    }
}

TEST_F(TextToTimeTest, ReadsHoursMinutesSecondsMilliseconds)
{
    const Row rows[] = {
        {"hours and minutes", "21:30", 0x1.caaaaaaaaaaabp-1},
        {"hours, minutes, seconds", "21:30:00", 0x1.caaaaaaaaaaabp-1},
        {"hour alone", "12", 0.5},
        {"midnight", "0", 0.0},
        {"one hour", "1:00", 0x1.5555555555555p-5},
        {"last millisecond of the day", "23:59:59.999", 0x1.ffffff9c94579p-1},
        {"milliseconds are a whole number", "1:2:3.4", 0x1.60fef5958293dp-5},
        {"one millisecond", "0:00:00.001", 0x1.8daea1d7f4cf7p-27},
        // Rounded straight from the exact value to double this would be ...f61p-5.
        {"rounded to extended first, then to double", "0:58:44.395", 0x1.4e2a343766f62p-5},
        {"spaces before every element", " 21 : 30 : 00 ", 0x1.caaaaaaaaaaabp-1},
        {"spaces before the milliseconds", "1:2:3 . 4", 0x1.60fef5958293dp-5},
        {"a leading zero lets four digits in", "0:00:00.0001", 0x1.8daea1d7f4cf7p-27},
    };
    ExpectRows(std::begin(rows), std::end(rows));
}

TEST_F(TextToTimeTest, ReadsMorningAndAfternoonMarkers)
{
    const Row rows[] = {
        {"12 AM is midnight", "12 AM", 0.0},
        {"12 PM is noon", "12 PM", 0.5},
        {"PM adds twelve hours", "6:00 PM", 0.75},
        {"marker in any case", "1 pM", 0x1.1555555555555p-1},
        {"marker before the hour", "PM 3:00", 0.625},
        {"marker without a space", "12:30am", 0x1.5555555555555p-6},
        {"settings' marker", "3 pm", 0.625},
        {"spaces around the marker", "  am 12:30  ", 0x1.5555555555555p-6},
        {"marker after the milliseconds", "1:2:3.4 AM", 0x1.60fef5958293dp-5},
    };
    ExpectRows(std::begin(rows), std::end(rows));
}

TEST_F(TextToTimeTest, ReadsTheLocaleMarkersAndSeparators)
{
    Settings().TimeAMString = "vorm.";
    Settings().TimePMString = "nachm.";
    const Row markers[] = {
        {"locale afternoon", "3 nachm.", 0.625},
        {"locale morning in capitals", "VORM. 12:30", 0x1.5555555555555p-6},
        {"AM and PM still work", "3 PM", 0.625},
    };
    ExpectRows(std::begin(markers), std::end(markers));
    EXPECT_EQ(RefusalOf("3 nachm"), "'3 nachm' is not a valid time");

    // Empty locale markers are skipped rather than matching everywhere.
    Settings().TimeAMString = "";
    Settings().TimePMString = "";
    EXPECT_EQ(TextToTime("3 PM"), 0.625);
    EXPECT_EQ(TextToTime("15"), 0.625);

    // Time separator "." with decimal separator "." or ",": the position decides.
    Settings().TimeSeparator = '.';
    EXPECT_EQ(TextToTime("21.30.00"), 0x1.caaaaaaaaaaabp-1);
    EXPECT_EQ(TextToTime("1.2.3.4"), 0x1.60fef5958293dp-5);
    Settings().DecimalSeparator = ',';
    EXPECT_EQ(TextToTime("1.2.3,4"), 0x1.60fef5958293dp-5);
    EXPECT_EQ(RefusalOf("21:30:00"), "'21:30:00' is not a valid time");
}

TEST_F(TextToTimeTest, RefusesWithTheTextAsPassed)
{
    const std::string rows[] = {
        "",
        "   ",
        "AM",
        "24",
        "24:00",
        "1:60",
        "1:00:60",
        "1:00:00.1000",
        "0 AM",
        "13 PM",
        "PM 1 PM",
        "AM 1 AM",
        "1:",
        "1:00:",
        "1:00:00.",
        "1::00",
        "1.5",
        "1:00 x",
        "1:00 A",
        "-1",
        "\t1",
        "1\t",
        "100:00",
        "1:00:00:00",
        "1 PM\xB0",
    };
    for (const std::string& text : rows) {
        SCOPED_TRACE(text);
        EXPECT_EQ(RefusalOf(text), "'" + text + "' is not a valid time");
    }
    EXPECT_EQ(RefusalOf("  1:60 "), "'  1:60 ' is not a valid time");
}

}  // namespace
}  // namespace trasel
