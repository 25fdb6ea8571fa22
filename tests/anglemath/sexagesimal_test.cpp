#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

#include "anglemath/sexagesimal.h"
#include "textconv/textconv.h"

namespace trasel::detail {
namespace {

constexpr std::int64_t kInt64Max = std::numeric_limits<std::int64_t>::max();
constexpr SexagesimalStyle kArcStyle{"00 ", "00 ", "", "00", ""};

TEST(SplitSexagesimal, TruncatesWholeUnitsAndMinutes)
{
    // The magnitude of -10 degrees after the nudge (9.9999999999): minutes
    // 0x1.dfffffff31d77p+5 (59.999999994), seconds 59.99999964.
    const SexagesimalFields fields = SplitSexagesimal(0x1.3ffffffff2419p+3);
    EXPECT_EQ(fields.Whole, 9);
    EXPECT_EQ(fields.Minutes, 59);
    EXPECT_EQ(fields.Seconds, 0x1.dfffffcfae7e4p+5);

    // 2^63 - 1024, the largest double below 2^63, still fits; 2^63 does not.
    EXPECT_EQ(SplitSexagesimal(0x1.fffffffffffffp+62).Whole, kInt64Max - 1023);
    EXPECT_THROW(SplitSexagesimal(0x1p63), EInvalidOp);
}

struct CarryRow {
    const char* name;
    SexagesimalFields before;
    std::int64_t whole;
    std::int64_t minutes;
};

TEST(AddMinute, CarriesSixtyMinutesIntoTheWholeUnits)
{
    const CarryRow rows[] = {
        {"within the hour", {5, 3, 0.0}, 5, 4},
        {"59 minutes make a whole unit", {5, 59, 0.0}, 6, 0},
        {"23 h 59 m makes 24 h, not reduced", {23, 59, 0.0}, 24, 0},
        {"the largest whole value without a carry", {kInt64Max, 58, 0.0}, kInt64Max, 59},
    };
    for (const CarryRow& row : rows) {
        SCOPED_TRACE(row.name);
        SexagesimalFields fields = row.before;
        AddMinute(fields);
        EXPECT_EQ(fields.Whole, row.whole);
        EXPECT_EQ(fields.Minutes, row.minutes);
    }
    SexagesimalFields full{kInt64Max, 59, 0.0};
    EXPECT_THROW(AddMinute(full), EInvalidOp);
}

TEST(WriteSexagesimal, SecondsReadingSixtyAreCarried)
{
    FixProgramSettings();
    EXPECT_EQ(WriteSexagesimal(kArcStyle, {9, 59, 0x1.dfffffcfae7e4p+5}), "10 00 00");
    EXPECT_EQ(WriteSexagesimal(kArcStyle, {9, 58, 59.5}), "09 59 00");
    EXPECT_EQ(WriteSexagesimal(kArcStyle, {9, 58, 59.49}), "09 58 59");
    EXPECT_THROW(WriteSexagesimal(kArcStyle, {kInt64Max, 59, 59.5}), EInvalidOp);
}

}  // namespace
}  // namespace trasel::detail
