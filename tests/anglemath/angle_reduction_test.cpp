#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>

#include "anglemath/umath.h"
#include "textconv/textconv.h"

// Expected values were worked out with exact rational arithmetic (Python
// fractions, each step rounded to a 64-bit significand, ties to even; the
// cosines with mpmath at 600 bits).

namespace trasel {
namespace {

constexpr long double kInf = std::numeric_limits<long double>::infinity();
constexpr long double kNaN = std::numeric_limits<long double>::quiet_NaN();

// 65,536 turns: up to here the angle is reduced step by step.
constexpr long double kLoopLimit = 0xc.90fdaa22168c235p+15L;

struct AngleRow {
    const char* name;
    long double input;
    long double expected;
};

TEST(NormalizeAngle, ReducesStepByStepIntoTheClosedTurn)
{
    const AngleRow rows[] = {
        {"7 gives 7 - 2pi (exact)", 7.0L, 0xb7812aeef4b9ee58p-64L},
        {"-7 gives 4pi - 7 (exact)", -7.0L, 0xb21fb54442d1846ap-61L},
        {"0 stays 0", 0.0L, 0.0L},
        {"2pi stays 2pi", kTwoPi, kTwoPi},
        {"twice 2pi gives 2pi", 2.0L * kTwoPi, kTwoPi},
        {"-2pi gives 0", -kTwoPi, 0.0L},
        {"a tiny negative gives 2pi", -1e-30L, kTwoPi},
        // 20 - 2pi rounds (20 lies in [16, 32)); one exact remainder would
        // end in ...e584 instead, so these rows pin the step-by-step loop.
        {"20 follows the loop's rounding", 20.0L, 0x9341c0666f16e588p-63L},
        {"-20 follows the loop's rounding", -20.0L, 0xa43f6a8885a308d3p-61L},
    };
    for (const AngleRow& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(NormalizeAngle(row.input), row.expected);
    }
}

TEST(NormalizeAngle, SwitchesFromTheLoopToTheExactRemainderAtTheLimit)
{
    const AngleRow rows[] = {
        // At the limit the loop still runs; its rounding ends a hair below 2pi.
        {"at the limit: loop", kLoopLimit, 0xc90fdaa1f7eda6c3p-61L},
        {"minus the limit: loop", -kLoopLimit, 0xa5ec6dc800000000p-95L},
        {"limit - 1: loop", 0xc90fbaa22168c235p-45L, 0xa90fdaa1f7eda8c3p-61L},
        // One ulp (2^-45) above the exact 65,536 turns: that ulp remains.
        {"one ulp above: remainder", 0xc90fdaa22168c236p-45L, 0x1p-45L},
        {"limit + 1: remainder", 0xc90ffaa22168c235p-45L, 1.0L},
        {"minus (limit + 1): remainder", -0xc90ffaa22168c235p-45L, 0xa90fdaa22168c235p-61L},
        {"1e300", 1e300L, 0xad41b0f200ba2374p-61L},
        {"-1e300", -1e300L, 0xde714d810574f608p-64L},
        {"1e4000", 1e4000L, 0xc5a73a0c784638c0p-64L},
        {"largest extended", LDBL_MAX, 0x85fe0026d238be68p-62L},
        {"most negative extended", -LDBL_MAX, 0x8610da8eb84c6301p-61L},
        {"a whole number of turns gives 2pi", 0x1p20L * kTwoPi, kTwoPi},
        {"minus a whole number of turns gives 0", -0x1p20L * kTwoPi, 0.0L},
    };
    for (const AngleRow& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(NormalizeAngle(row.input), row.expected);
    }
}

// The literal loop, however long it takes, as a reference.
long double ReduceLiterally(long double angle)
{
    while (angle > kTwoPi)
        angle -= kTwoPi;
    while (angle < 0.0L)
        angle += kTwoPi;
    return angle;
}

// Distance between two reduced angles on the circle, so that a hair below 2pi
// and a hair above 0 count as close.
long double TurnDistance(long double a, long double b)
{
    const long double d = std::fabs(a - b);
    return std::fmin(d, kTwoPi - d);
}

TEST(NormalizeAngle, LoopAndRemainderAgreeAroundTheLimit)
{
    // Each loop step rounds by at most half an ulp (2^-46 here) and there are
    // at most 65,536 of them.
    constexpr long double kLoopDrift = 0x1p-30L;
    const long double angles[] = {
        kLoopLimit - 1.0L, kLoopLimit,  std::nextafter(kLoopLimit, kInf),
        kLoopLimit + 1.0L, kLoopLimit + 3.0L,
        -kLoopLimit + 1.0L, -kLoopLimit, std::nextafter(-kLoopLimit, -kInf),
        -kLoopLimit - 1.0L, -kLoopLimit - 3.0L,
    };
    for (const long double angle : angles) {
        SCOPED_TRACE(static_cast<double>(angle));
        const long double reduced = NormalizeAngle(angle);
        EXPECT_GE(reduced, 0.0L);
        EXPECT_LE(reduced, kTwoPi);
        EXPECT_LE(TurnDistance(reduced, ReduceLiterally(angle)), kLoopDrift);
    }
}

TEST(NormalizeAngle, InfinityAndNaNRaiseInvalidOperation)
{
    EXPECT_THROW(NormalizeAngle(kInf), EInvalidOp);
    EXPECT_THROW(NormalizeAngle(-kInf), EInvalidOp);
    EXPECT_THROW(NormalizeAngle(kNaN), EInvalidOp);
}

struct CosineRow {
    const char* name;
    long double degrees;
    long double expected;
};

TEST(CosDeg, CosineOfTheExtendedProduct)
{
    // glibc's cosl is within an ulp or so; a product rounded to double instead
    // of extended would be off by about 1e-17, far outside this tolerance.
    constexpr long double kTolerance = 0x1p-62L;
    const CosineRow rows[] = {
        {"0", 0.0L, 1.0L},
        {"60: the product rounds so that the cosine is 1/2", 60.0L, 0.5L},
        {"-60", -60.0L, 0.5L},
        {"45", 45.0L, 0xb504f333f9de6484p-64L},
        {"90: the product is a hair above pi/2", 90.0L, 0xece675d1fc8f8cbbp-129L},
        // 2^63 / (pi/180) one ulp below: the product is 2^63 - 1.
        {"product just below 2^63", 0xe52ee0d31e0fbdc2p+5L, 0xfac035ec484929c2p-65L},
    };
    for (const CosineRow& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_NEAR(CosDeg(row.degrees), row.expected, kTolerance);
    }
}

TEST(CosDeg, ProductsOf2To63OrMoreGiveZero)
{
    const CosineRow rows[] = {
        {"product exactly 2^63", 0xe52ee0d31e0fbdc3p+5L, 0.0L},
        {"product exactly -2^63", -0xe52ee0d31e0fbdc3p+5L, 0.0L},
        {"1e300 degrees", 1e300L, 0.0L},
        {"largest extended", LDBL_MAX, 0.0L},
    };
    for (const CosineRow& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(CosDeg(row.degrees), row.expected);
    }
    EXPECT_THROW(CosDeg(kInf), EInvalidOp);
    EXPECT_THROW(CosDeg(kNaN), EInvalidOp);
}

}  // namespace
}  // namespace trasel
