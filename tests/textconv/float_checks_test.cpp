#include <gtest/gtest.h>

#include <cfloat>

#include "textconv/textconv.h"

namespace trasel {
namespace {

TEST(StoreDouble, RoundsToNearestEvenAndRefusesWhatDoesNotFit)
{
    // 1 + 2^-53 is a tie between 1 and 1 + 2^-52: ties go to the even 1.
    EXPECT_EQ(StoreDouble(1.0L + 0x1p-53L), 1.0);
    EXPECT_EQ(StoreDouble(1.0L + 0x1.8p-53L), 1.0 + 0x1p-52);
    // Just above DBL_MAX, but below the halfway point to 2^1024: rounds to DBL_MAX.
    EXPECT_EQ(StoreDouble(0x1.fffffffffffff7p+1023L), DBL_MAX);
    EXPECT_THROW(StoreDouble(0x1.fffffffffffff8p+1023L), EOverflow);
    EXPECT_THROW(StoreDouble(-1e309L), EOverflow);
    EXPECT_EQ(StoreDouble(1e-4000L), 0.0);
}

TEST(Divide, ZeroDenominatorsRaiseTheNamedErrors)
{
    EXPECT_EQ(Divide(1.0L, 4.0L), 0.25L);
    try {
        Divide(0.0L, 0.0L);
        FAIL() << "0/0 must throw";
    } catch (const EInvalidOp& e) {
        EXPECT_STREQ(e.what(), "Invalid floating point operation");
    }
    try {
        Divide(-3.0L, 0.0L);
        FAIL() << "-3/0 must throw";
    } catch (const EZeroDivide& e) {
        EXPECT_STREQ(e.what(), "Floating point division by zero");
    }
    EXPECT_THROW(Divide(1e4000L, 1e-4000L), EOverflow);
}

TEST(TruncToInt64, TruncatesTowardZeroInsideTheRange)
{
    EXPECT_EQ(TruncToInt64(2.9L), 2);
    EXPECT_EQ(TruncToInt64(-2.9L), -2);
    EXPECT_EQ(TruncToInt64(-0x1p63L), INT64_MIN);
    EXPECT_EQ(TruncToInt64(0x1p63L - 1.0L), INT64_MAX);
    EXPECT_THROW(TruncToInt64(0x1p63L), EInvalidOp);
    EXPECT_THROW(TruncToInt64(-0x1p63L - 1.0L), EInvalidOp);
}

TEST(Errors, OverflowMessage)
{
    EXPECT_STREQ(EOverflow().what(), "Floating point overflow");
}

}  // namespace
}  // namespace trasel
