#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "ephemeris/ephemeris.h"
#include "tests/ephemeris/k21v32w_fixture.h"

namespace trasel {
namespace {

// Expected listings: tests/ephemeris/reference_listing.py.

using Lines = std::vector<std::string>;

// A result box that starts with an earlier listing in view, so a test can
// tell "left alone" from "cleared".
class RecordingResultBox : public ResultBox {
public:
    Lines Shown = {"earlier listing"};
    int Clears = 0;
    void Clear() override
    {
        Shown.clear();
        ++Clears;
    }
    void Append(std::string_view line) override { Shown.emplace_back(line); }
};

class RecordingDialog : public MessageDialog {
public:
    Lines Messages;
    void ShowMessage(std::string_view text) override { Messages.emplace_back(text); }
};

std::vector<std::string_view> Views(const Lines& lines)
{
    return {lines.begin(), lines.end()};
}

Lines Fixture()
{
    return {testdata::kK21V32W.begin(), testdata::kK21V32W.end()};
}

RunSettings MakeSettings(std::string date, std::string time, std::string step, std::string count, StepUnit unit)
{
    return RunSettings{std::move(date), std::move(time), std::move(step), std::move(count), unit};
}

// The window's initial settings, with the start date pinned.
RunSettings Initial()
{
    return MakeSettings("14/11/2025", "00:00:00", "01", "048", StepUnit::Hours);
}

Lines Closing(Lines listing)
{
    listing.insert(listing.end(), {"", "Trasel (09/01/2011-b)", "https://trasel.example.org/"});
    return listing;
}

//                                      1         2         3         4         5         6         7         8
//                             12345678901234567890123456789012345678901234567890123456789012345678901234567890
const Lines kTenMinutes = {"              C2011 01 09.50000 10 00 00.00 +20 00 00.0          18.0 V      D29",
                           "              C2011 01 09.50694 10 00 00.70 +20 00 00.0          18.0 V      D29"};
const Lines kAcrossZeroHours = {"              C2011 01 09.00000 23 59 00.00 +00 00 00.0          18.0 V      D29",
                                "              C2011 01 10.00000 00 01 00.00 +00 00 00.0          18.0 V      D29"};
const Lines kStill = {"              C2011 01 09.00000 05 00 00.00 +10 00 00.0          18.0 V      D29",
                      "              C2011 01 10.00000 05 00 00.00 +10 00 00.0          18.0 V      D29"};

class CalculateEphemerisTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Settings() = RegionalSettings{};
        FixProgramSettings();
    }

    // Runs the calculation; the error's message, or "" when it completed.
    std::string Run(const Lines& input, const RunSettings& settings)
    {
        const std::vector<std::string_view> lines = Views(input);
        try {
            CalculateEphemeris(lines, settings, box, dialog);
        } catch (const TraselError& error) {
            return error.what();
        }
        return "";
    }

    RecordingResultBox box;
    RecordingDialog dialog;
};

TEST_F(CalculateEphemerisTest, InitialSettingsListFortyNineHourlyRows)
{
    EXPECT_EQ(Run(Fixture(), Initial()), "");
    const Lines expected(testdata::kK21V32WInitialListing.begin(), testdata::kK21V32WInitialListing.end());
    EXPECT_EQ(box.Shown, expected);
    EXPECT_EQ(box.Clears, 1);
    EXPECT_TRUE(dialog.Messages.empty());
}

TEST_F(CalculateEphemerisTest, CountStepAndUnitShapeTheRows)
{
    const std::string speed = "Velocidad aparente: 0.63 \"/min";
    const std::string start = "K21V32W  14/11/2025 00:00:00  02 56 36.5  +22 26 59";
    struct Row {
        const char* name;
        RunSettings settings;
        Lines expected;
    };
    const Row rows[] = {
        {"count 000: one row, six lines", MakeSettings("14/11/2025", "00:00:00", "01", "000", StepUnit::Hours),
         Closing({speed, "", start})},
        {"step 00: identical rows", MakeSettings("14/11/2025", "00:00:00", "00", "002", StepUnit::Hours),
         Closing({speed, "", start, start, start})},
        {"days", MakeSettings("14/11/2025", "06:30:00", "01", "002", StepUnit::Days),
         Closing({speed, "", "K21V32W  14/11/2025 06:30:00  02 56 18.9  +22 26 37",
                  "K21V32W  15/11/2025 06:30:00  02 55 14.2  +22 25 15",
                  "K21V32W  16/11/2025 06:30:00  02 54 09.4  +22 23 53"})},
        {"minutes", MakeSettings("14/11/2025", "06:30:00", "01", "002", StepUnit::Minutes),
         Closing({speed, "", "K21V32W  14/11/2025 06:30:00  02 56 18.9  +22 26 37",
                  "K21V32W  14/11/2025 06:31:00  02 56 18.9  +22 26 37",
                  "K21V32W  14/11/2025 06:32:00  02 56 18.8  +22 26 37"})},
        {"negative count: no row", MakeSettings("14/11/2025", "00:00:00", "01", "-1", StepUnit::Hours),
         Closing({speed, ""})},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        box = RecordingResultBox{};
        EXPECT_EQ(Run(Fixture(), row.settings), "");
        EXPECT_EQ(box.Shown, row.expected);
    }
}

TEST_F(CalculateEphemerisTest, HeadingLineNamesTheRowsButLeavesTheOriginAlone)
{
    const RunSettings settings = MakeSettings("09/01/2011", "12:00:00", "48", "000", StepUnit::Hours);
    Lines withHeading = kTenMinutes;
    withHeading.insert(withHeading.begin(), "Two records ten minutes apart");
    // Origin 0 would read 0.96 and +19 59 60 (carried to +20 00 00) here.
    const Lines expected = Closing({"Velocidad aparente: 0.99 \"/min", "",
                                    "Two records  09/01/2011 12:00:00  10 00 00.0  +20 00 00"});
    EXPECT_EQ(Run(withHeading, settings), "");
    EXPECT_EQ(box.Shown, expected);

    Lines withoutHeading = Closing({"Velocidad aparente: 0.99 \"/min", "", "  09/01/2011 12:00:00  10 00 00.0  +20 00 00"});
    box = RecordingResultBox{};
    EXPECT_EQ(Run(kTenMinutes, settings), "");
    EXPECT_EQ(box.Shown, withoutHeading);
}

TEST_F(CalculateEphemerisTest, TrackAcrossZeroHoursKeepsMovingEast)
{
    EXPECT_EQ(Run(kAcrossZeroHours, MakeSettings("09/01/2011", "00:00:00", "08", "004", StepUnit::Hours)), "");
    const Lines expected = Closing({"Velocidad aparente: 1.25 \"/min", "", "  09/01/2011 00:00:00  23 59 00.0  +00 00 00",
                                    "  09/01/2011 08:00:00  23 59 40.0  +00 00 00",
                                    "  09/01/2011 16:00:00  00 00 20.0  +00 00 00",
                                    "  10/01/2011 00:00:00  00 01 00.0  +00 00 00",
                                    "  10/01/2011 08:00:00  00 01 40.0  +00 00 00"});
    EXPECT_EQ(box.Shown, expected);
}

TEST_F(CalculateEphemerisTest, SpeedOfOneDegreePerDay)
{
    struct Row {
        const char* name;
        Lines input;
        const char* speedLine;
    };
    const Row rows[] = {
        {"in RA at Dec 0",
         {"              C2011 01 09.00000 00 00 00.00 +00 00 00.0          18.0 V      D29",
          "              C2011 01 10.00000 00 04 00.00 +00 00 00.0          18.0 V      D29"},
         "Velocidad aparente: 2.50 \"/min"},
        {"in RA at Dec 60",
         {"              C2011 01 09.00000 00 00 00.00 +60 00 00.0          18.0 V      D29",
          "              C2011 01 10.00000 00 04 00.00 +60 00 00.0          18.0 V      D29"},
         "Velocidad aparente: 1.25 \"/min"},
        {"in Dec",
         {"              C2011 01 09.00000 00 00 00.00 +00 00 00.0          18.0 V      D29",
          "              C2011 01 10.00000 00 00 00.00 +01 00 00.0          18.0 V      D29"},
         "Velocidad aparente: 2.50 \"/min"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        box = RecordingResultBox{};
        EXPECT_EQ(Run(row.input, MakeSettings("09/01/2011", "00:00:00", "01", "000", StepUnit::Hours)), "");
        ASSERT_FALSE(box.Shown.empty());
        EXPECT_EQ(box.Shown.front(), row.speedLine);
    }
}

// Part of the failure table: each row names the failure, what is shown and
// what the result box holds afterwards.
TEST_F(CalculateEphemerisTest, EachFailureLeavesTheResultBoxAsFarAsTheRunWrote)
{
    const Lines unchanged = {"earlier listing"};
    const Lines speedOnly = {"Velocidad aparente: 0.63 \"/min", ""};
    Lines oneObservation = {"heading", std::string(testdata::kK21V32W[0]), "", "short line"};
    Lines badSecondLine = Fixture();
    badSecondLine[1][35] = 'y';  // RA minutes, columns 36-37: "y7" ("x7" is hexadecimal 7)
    Lines sameTime = Fixture();
    sameTime[1] = sameTime[0];
    sameTime.resize(2);
    const std::string stillSpeed = "Velocidad aparente: 0.00 \"/min";
    // RA seconds of 9E307 on 0001-01-01 and 9999-12-31: alpha*t overflows the sums.
    //                             1         2         3         4         5         6         7         8
    //                    12345678901234567890123456789012345678901234567890123456789012345678901234567890
    const Lines hugeSums = {"              C0001 01 01.00000 05 00 9E307 +10 00 00.0          18.0 V      D29",
                            "              C9999 12 31.00000 05 00 9E307 +10 00 00.0          18.0 V      D29"};
    Lines hugeSumsThenBadLine = hugeSums;
    hugeSumsThenBadLine.push_back("              C2011 01 09.00000 05 00 00.00 +1x 00 00.0          18.0 V      D29");

    struct Row {
        const char* name;
        Lines input;
        RunSettings settings;
        const char* error;   // "" when the run shows its own message or completes
        Lines box;
    };
    const Row rows[] = {
        {"one observation line", oneObservation, Initial(), "", unchanged},
        {"empty input", {}, Initial(), "", unchanged},
        {"an observation line that does not convert", badSecondLine, Initial(), "'y7' is not a valid integer value",
         unchanged},
        {"all observations at one time", sameTime, Initial(), "Invalid floating point operation", unchanged},
        {"sums too large for a double", hugeSums, Initial(), "Floating point overflow", unchanged},
        {"every line is read before the sums fail", hugeSumsThenBadLine, Initial(), "'1x' is not a valid integer value",
         unchanged},
        {"start date (a bad time too)", Fixture(), MakeSettings("31/02/2025", "25:00:00", "01", "048", StepUnit::Hours),
         "'31/02/2025' is not a valid date", unchanged},
        {"start time", Fixture(), MakeSettings("14/11/2025", "25:00:00", "01", "048", StepUnit::Hours),
         "'25:00:00' is not a valid time", unchanged},
        {"step", Fixture(), MakeSettings("14/11/2025", "00:00:00", "1 ", "048", StepUnit::Hours),
         "'1 ' is not a valid integer value", unchanged},
        {"count", Fixture(), MakeSettings("14/11/2025", "00:00:00", "01", "04 ", StepUnit::Hours),
         "'04 ' is not a valid integer value", speedOnly},
        {"a row past the year 9999", kStill, MakeSettings("30/12/9999", "00:00:00", "01", "003", StepUnit::Days),
         "Date outside the years 1 to 9999",
         {stillSpeed, "", "  30/12/9999 00:00:00  05 00 00.0  +10 00 00", "  31/12/9999 00:00:00  05 00 00.0  +10 00 00"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        box = RecordingResultBox{};
        dialog = RecordingDialog{};
        EXPECT_EQ(Run(row.input, row.settings), row.error);
        EXPECT_EQ(box.Shown, row.box);
        const bool tooFew = std::string_view(row.error).empty();
        EXPECT_EQ(dialog.Messages, tooFew ? Lines{"Se necesitan al menos dos observaciones"} : Lines{});
    }
}

TEST_F(CalculateEphemerisTest, RowPastTheYear9999IsAConversionError)
{
    const std::vector<std::string_view> lines = Views(kStill);
    EXPECT_THROW(CalculateEphemeris(lines, MakeSettings("31/12/9999", "00:00:00", "01", "001", StepUnit::Days), box, dialog),
                 EConvertError);
    EXPECT_THROW(CalculateEphemeris(lines, MakeSettings("01/01/0001", "00:00:00", "-1", "001", StepUnit::Days), box, dialog),
                 EConvertError);
}

}  // namespace
}  // namespace trasel
