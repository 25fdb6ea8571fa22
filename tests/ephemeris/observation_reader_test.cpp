#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <string_view>

#include "ephemeris/ephemeris.h"
#include "tests/ephemeris/k21v32w_fixture.h"

namespace trasel {
namespace {

//                                 1         2         3         4         5         6         7         8
//                        12345678901234567890123456789012345678901234567890123456789012345678901234567890
constexpr std::string_view kHalfDay = "              C2011 01 09.50000 00 00 00.00 -00 30 00.0          18.0 V      D29";
constexpr std::string_view kFullDay = "              C2011 01 09.00000 23 59 60.00 +00 00 00.0          18.0 V      D29";

// The line with `text` written over it from `column` (counted from 1) on.
std::string WithColumns(std::string_view line, std::size_t column, std::string_view text)
{
    std::string changed(line);
    changed.replace(column - 1, text.size(), text);
    return changed;
}

struct Patch {
    std::size_t column;
    std::string_view text;
};

std::string WithColumns(std::string_view line, std::initializer_list<Patch> patches)
{
    std::string changed(line);
    for (const Patch& patch : patches)
        changed = WithColumns(changed, patch.column, patch.text);
    return changed;
}

class ObservationReader : public ::testing::Test {
protected:
    void SetUp() override
    {
        Settings() = RegionalSettings{};
        FixProgramSettings();
    }
};

TEST_F(ObservationReader, ObservationLinesHaveAtLeastEightyCharacters)
{
    const std::string eighty(testdata::kK21V32W[0]);
    struct Row {
        const char* name;
        std::string line;
        bool expected;
    };
    const Row rows[] = {
        {"empty", "", false},
        {"79 characters", eighty.substr(0, 79), false},
        {"80 characters", eighty, true},
        {"81 characters", eighty + " ", true},
        {"80 blanks", std::string(80, ' '), true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(IsObservationLine(row.line), row.expected);
    }
}

TEST_F(ObservationReader, ReadsTheFieldsFromTheirColumns)
{
    const std::string first(testdata::kK21V32W[0]);
    struct Row {
        const char* name;
        std::string line;
        double time;
        double rightAscension;
        double declination;
    };
    // 2025-11-13 is day 45974; 0.60310 of it, 02 57 02.17 and +22 27 31.0.
    constexpr double kFirstTime = 0x1.672d34c985f07p+15;
    constexpr double kFirstRa = 0x1.6212846ff513dp+5;
    constexpr double kFirstDec = 0x1.6756789abcdf0p+4;
    const Row rows[] = {
        {"a real record", first, kFirstTime, kFirstRa, kFirstDec},
        {"column 32 is not read", WithColumns(first, 32, "9"), kFirstTime, kFirstRa, kFirstDec},
        {"separator columns are not examined",
         WithColumns(first, {{20, "x"}, {23, "x"}, {26, ","}, {35, ":"}, {38, ":"}, {44, "|"}, {48, ":"}, {51, ":"}}),
         kFirstTime, kFirstRa, kFirstDec},
        {"columns 1-15 and 56-80 are not read", WithColumns(first, {{1, "??????????????X"}, {56, "#########################"}}),
         kFirstTime, kFirstRa, kFirstDec},
        {"past column 80 is ignored", first + " 12 34 56 garbage", kFirstTime, kFirstRa, kFirstDec},
        {"50000 is noon; '-' in column 45 negates", std::string(kHalfDay), 40552.5, 0.0, -0.5},
        {"'+' in column 45", WithColumns(kHalfDay, 45, "+"), 40552.5, 0.0, 0.5},
        {"blank in column 45", WithColumns(kHalfDay, 45, " "), 40552.5, 0.0, 0.5},
        {"any other character in column 45", WithColumns(kHalfDay, 45, "x"), 40552.5, 0.0, 0.5},
        {"23 59 60.00 is exactly 360, no carry", std::string(kFullDay), 40552.0, 360.0, 0.0},
        {"hours and degrees out of range are taken as read", WithColumns(kFullDay, {{33, "25"}, {46, "95"}}), 40552.0,
         390.0, 95.0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const Observation observation = ReadObservation(row.line);
        EXPECT_EQ(observation.Time, row.time);
        EXPECT_EQ(observation.RightAscension, row.rightAscension);
        EXPECT_EQ(observation.Declination, row.declination);
    }
}

TEST_F(ObservationReader, TheFirstFieldThatFailsIsReported)
{
    const std::string first(testdata::kK21V32W[0]);
    struct Row {
        const char* name;
        std::string line;
        bool conversion;  // EConvertError; otherwise the overflow error
        const char* message;
    };
    const Row rows[] = {
        {"day fraction before a bad RA", WithColumns(first, {{27, "6x310"}, {33, "1 "}}), true,
         "'0.6x310' is not a valid floating point value"},
        {"impossible date before any angle", WithColumns(first, {{24, "31"}, {21, "02"}, {33, "xx"}}),
         true, "'31/02/2025' is not a valid date"},
        {"RA hours of a second line of a pair", WithColumns(first, 33, "1 "), true, "'1 ' is not a valid integer value"},
        {"RA minutes before RA seconds", WithColumns(first, {{36, "5x"}, {39, "xx.xx"}}), true,
         "'5x' is not a valid integer value"},
        {"RA seconds", WithColumns(first, 39, "02,17"), true, "'02,17' is not a valid floating point value"},
        {"Dec degrees", WithColumns(first, 46, " x"), true, "' x' is not a valid integer value"},
        {"Dec minutes before Dec seconds", WithColumns(first, {{49, "2 "}, {52, "    "}}), true,
         "'2 ' is not a valid integer value"},
        {"Dec seconds of a low-precision record", WithColumns(first, 52, "    "), true,
         "'    ' is not a valid floating point value"},
        {"day fraction too large for a double", WithColumns(first, 27, "9E999"), false, "Floating point overflow"},
        {"RA seconds too large for a double", WithColumns(first, 39, "9E999"), false, "Floating point overflow"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        try {
            ReadObservation(row.line);
            ADD_FAILURE() << "no error";
        } catch (const EConvertError& error) {
            EXPECT_TRUE(row.conversion);
            EXPECT_STREQ(error.what(), row.message);
        } catch (const EOverflow& error) {
            EXPECT_FALSE(row.conversion);
            EXPECT_STREQ(error.what(), row.message);
        }
    }
}

TEST_F(ObservationReader, DesignationIsColumnsOneToTwelveTrimmed)
{
    struct Row {
        const char* name;
        std::string line;
        const char* expected;
    };
    const Row rows[] = {
        {"provisional designation alone", std::string(testdata::kK21V32W[0]), "K21V32W"},
        {"number alone", "23662         C2025 11 13.58896302 54 32.05", "23662"},
        {"twelve blanks", std::string(kHalfDay), ""},
        {"a heading shorter than 80", "Two records", "Two records"},
        {"a heading longer than 12", "(433) Eros, photographic", "(433) Eros,"},
        {"control characters trimmed", "\t 2011 AB\r", "2011 AB"},
        {"empty line", "", ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(ReadDesignation(row.line), row.expected);
    }
}

}  // namespace
}  // namespace trasel
