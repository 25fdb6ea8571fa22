#include <gtest/gtest.h>

#include <cfloat>
#include <cstdint>
#include <limits>
#include <string>

#include "anglemath/umath.h"
#include "textconv/textconv.h"

// Expected texts come from the examples of the listing's angle routines, the
// seconds carried where they round up to 60; the others were worked out with
// exact rational arithmetic (Python fractions, every step rounded as the
// routines round it, seconds formatted from 18 significant digits).

namespace trasel {
namespace {

// Degrees to radians as the listing does it: in extended, stored as double.
double Radians(double degrees)
{
    return StoreDouble(static_cast<long double>(degrees) * kDegToRad);
}

class AngleText : public ::testing::Test {
protected:
    void SetUp() override { FixProgramSettings(); }
    void TearDown() override { FixProgramSettings(); }
};

struct TextRow {
    const char* name;
    std::uint8_t style;
    double degrees;
    std::string expected;
};

TEST_F(AngleText, RightAscensionExamples)
{
    const TextRow rows[] = {
        {"0", 1, 0.0, "00 00 00.0"},
        {"83.63308333", 1, 83.63308333, "05 34 31.9"},
        {"345.6789", 1, 345.6789, "23 02 42.9"},
        {"-15", 1, -15.0, "23 00 00.0"},
        {"720.5", 1, 720.5, "00 02 00.0"},
        {"style 3", 3, 83.63308333, "05h 34m 32s"},
        {"style 4", 4, 83.63308333, "05h 34m 31.94s"},
        {"style 3 rounds 42.94 s to 43", 3, 345.6789, "23h 02m 43s"},
        {"style 4, 345.6789", 4, 345.6789, "23h 02m 42.94s"},
    };
    for (const TextRow& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(RAToText(row.style, Radians(row.degrees)), row.expected);
    }
}

TEST_F(AngleText, RightAscensionEdges)
{
    const TextRow rows[] = {
        // A hair below the extended 2pi after reduction; the nudge lifts the
        // hours past 24 and they are not reduced again.
        {"360", 1, 360.0, "24 00 00.0"},
        {"720", 1, 720.0, "24 00 00.0"},
        {"5e-11 hour below 24", 1, 359.99999999925, "24 00 00.0"},
        {"-360", 1, -360.0, "00 00 00.0"},
        {"360.00001", 1, 360.00001, "00 00 00.0"},
        {"14.9999999999 reaches the whole hour", 1, 14.9999999999, "01 00 00.0"},
        {"other style 0", 0, 83.63308333, ""},
        {"other style 2", 2, 83.63308333, ""},
        {"other style 255", 255, 83.63308333, ""},
    };
    for (const TextRow& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(RAToText(row.style, Radians(row.degrees)), row.expected);
    }
}

// Seconds that round up to 60 at the pattern's last digit are written as 0
// and carried into the minutes, and from 60 minutes into the hours.
TEST_F(AngleText, RightAscensionSecondsCarry)
{
    const TextRow rows[] = {
        {"23h 59m 59.98s into 24 h", 1, 359.9999999, "24 00 00.0"},
        {"style 3 into 24 h", 3, 359.9999999, "24h 00m 00s"},
        {"style 4 into 24 h", 4, 359.9999999, "24h 00m 00.00s"},
        {"59.96 s into the minutes", 1, 83.74983333333333, "05 35 00.0"},
        {"59.96 s, style 3", 3, 83.74983333333333, "05h 35m 00s"},
        {"59.96 s shown in style 4 is not carried", 4, 83.74983333333333, "05h 34m 59.96s"},
        {"59.7 s carried in style 3 only", 3, 14.99875, "01h 00m 00s"},
        {"59.7 s, style 1", 1, 14.99875, "00 59 59.7"},
        {"59.7 s, style 4", 4, 14.99875, "00h 59m 59.70s"},
        {"59.996 s, style 4", 4, 14.999983333333333, "01h 00m 00.00s"},
        {"59.996 s, style 1", 1, 14.999983333333333, "01 00 00.0"},
    };
    for (const TextRow& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(RAToText(row.style, Radians(row.degrees)), row.expected);
    }
}

TEST_F(AngleText, DeclinationExamplesAndEdges)
{
    const TextRow rows[] = {
        {"0", 1, 0.0, "+00 00 00"},
        {"22.0145", 1, 22.0145, "+22 00 52"},
        {"-22.0145", 1, -22.0145, "-22 00 52"},
        {"-0.175 keeps its sign", 1, -0.175, "-00 10 30"},
        {"123.5 in full", 1, 123.5, "+123 30 00"},
        {"10 reaches the whole degree", 1, 10.0, "+10 00 00"},
        {"-1e-12 is lifted to +", 1, -1e-12, "+00 00 00"},
        {"-2e-10 stays -", 1, -2e-10, "-00 00 00"},
        {"style 3", 3, 22.0145, "+22\xB0 00' 52\""},
        {"style 4", 4, 22.0145, "+22\xB0 00' 52.20\""},
        {"style 3, negative", 3, -0.175, "-00\xB0 10' 30\""},
        {"style 4, 123.5", 4, 123.5, "+123\xB0 30' 00.00\""},
        {"other style 2, positive", 2, 22.0145, "+"},
        {"other style 2, negative", 2, -22.0145, "-"},
        {"other style 0", 0, -1e-12, "+"},
    };
    for (const TextRow& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(DecToText(row.style, Radians(row.degrees)), row.expected);
    }
}

TEST_F(AngleText, DeclinationSecondsCarry)
{
    const TextRow rows[] = {
        // The nudge lowers the magnitude of -10 to 9.9999999999: 9, 59 and
        // 59.99999964 seconds.
        {"-10", 1, -10.0, "-10 00 00"},
        {"-10, style 3", 3, -10.0, "-10\xB0 00' 00\""},
        {"-10, style 4", 4, -10.0, "-10\xB0 00' 00.00\""},
        {"89.99999", 1, 89.99999, "+90 00 00"},
        {"89.99999, style 3", 3, 89.99999, "+90\xB0 00' 00\""},
        {"89.99999 shown in style 4 is not carried", 4, 89.99999, "+89\xB0 59' 59.96\""},
    };
    for (const TextRow& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(DecToText(row.style, Radians(row.degrees)), row.expected);
    }
}

TEST_F(AngleText, DecimalSeparatorInForce)
{
    Settings().DecimalSeparator = ',';
    EXPECT_EQ(RAToText(1, Radians(83.63308333)), "05 34 31,9");
    EXPECT_EQ(RAToText(1, Radians(359.9999999)), "24 00 00,0");
    EXPECT_EQ(RAToText(4, Radians(14.999983333333333)), "01h 00m 00,00s");
    EXPECT_EQ(DecToText(4, Radians(-10.0)), "-10\xB0 00' 00,00\"");
}

struct RadiansRow {
    const char* name;
    std::uint8_t style;
    double radians;
    std::string expected;
};

// Right ascensions in radians a listing may meet only from a garbled record
// (a seconds field of "9E99 " gives 6.5e95 rad): they finish, reduced by the
// exact remainder beyond 65,536 turns.
TEST_F(AngleText, HugeRightAscensionsFinish)
{
    const RadiansRow rows[] = {
        {"1 rad inside the loop limit", 1, 0x1.921f754442d18p+18, "20 10 49.0"},
        {"1 rad beyond the loop limit", 1, 0x1.921ff54442d18p+18, "03 49 11.0"},
        {"-1 rad inside the loop limit", 1, -0x1.921f754442d18p+18, "03 49 11.0"},
        {"-1 rad beyond the loop limit", 1, -0x1.921ff54442d18p+18, "20 10 49.0"},
        {"6.5e95", 1, 6.5e95, "14 09 57.0"},
        {"1e300", 1, 1e300, "05 12 57.0"},
        {"1e300, style 4", 4, 1e300, "05h 12m 57.04s"},
        {"-1e300", 1, -1e300, "18 47 03.0"},
        {"-1e300, style 4", 4, -1e300, "18h 47m 02.96s"},
    };
    for (const RadiansRow& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(RAToText(row.style, row.radians), row.expected);
    }
}

TEST_F(AngleText, DeclinationWholeDegreesUpTo2To63)
{
    // The largest double declination whose nudged degrees stay below 2^63:
    // 9223372036854773760 degrees (2^63 - 2048), written in full.
    EXPECT_EQ(DecToText(1, 0x1.1df46a2529d38p+57), "+9223372036854773760 00 00");
    EXPECT_EQ(DecToText(1, -0x1.1df46a2529d38p+57), "-9223372036854773760 00 00");
    // The next double gives exactly 2^63 degrees: beyond int64.
    EXPECT_THROW(DecToText(1, 0x1.1df46a2529d39p+57), EInvalidOp);
    EXPECT_THROW(DecToText(1, 1e300), EInvalidOp);
    EXPECT_THROW(DecToText(1, -1e300), EInvalidOp);
    // The whole degrees are taken whatever the style.
    EXPECT_THROW(DecToText(2, 1e300), EInvalidOp);
    // 1e308 rad is more degrees than a double holds.
    EXPECT_THROW(DecToText(1, 1e308), EOverflow);
}

TEST_F(AngleText, InfinityAndNaNRaiseInvalidOperation)
{
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_THROW(RAToText(1, inf), EInvalidOp);
    EXPECT_THROW(RAToText(1, nan), EInvalidOp);
    EXPECT_THROW(DecToText(1, -inf), EInvalidOp);
    EXPECT_THROW(DecToText(1, nan), EInvalidOp);
}

}  // namespace
}  // namespace trasel
