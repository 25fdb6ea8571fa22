#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <vector>

#include "ephemeris/ephemeris.h"

namespace trasel {
namespace {

// Expected values: tests/ephemeris/reference_listing.py ("fit", "unwrap").

// alpha(w) = w*b + a, as the listing evaluates it.
double At(double offset, double slope, double intercept)
{
    return StoreDouble(static_cast<long double>(offset) * slope + intercept);
}

TEST(FitMotion, TwoObservationsGiveTheLinesThroughBoth)
{
    // 2011-01-09 06:00 at 05 00 00.00 +10 00 00.0, and 18:00 at 05 02 00.00 +09 30 00.0.
    const std::vector<Observation> two = {{40552.25, 75.0, 10.0}, {40552.75, 75.5, 9.5}};
    const MotionFit fit = FitMotion(two[0].Time, two);
    EXPECT_EQ(fit.TimeOrigin, 40552.25);
    EXPECT_EQ(fit.RaSlope, 0x1.0p+0);
    EXPECT_EQ(fit.RaIntercept, 0x1.2cp+6);
    EXPECT_EQ(fit.DecSlope, -0x1.0p+0);
    EXPECT_EQ(fit.DecIntercept, 0x1.4p+3);
    for (const Observation& observation : two) {
        const double offset = observation.Time - fit.TimeOrigin;
        EXPECT_EQ(At(offset, fit.RaSlope, fit.RaIntercept), observation.RightAscension);
        EXPECT_EQ(At(offset, fit.DecSlope, fit.DecIntercept), observation.Declination);
    }
}

TEST(FitMotion, ATrackAcrossZeroHoursIsFittedAsItMoves)
{
    // 23 59 00.00 then, a day later, 00 01 00.00: half a degree a day, not
    // a fall of 359.5 degrees.
    const std::vector<Observation> across = {{40552.0, 359.75, 0.0}, {40553.0, 0.25, 0.0}};
    const MotionFit fit = FitMotion(across[0].Time, across);
    EXPECT_EQ(fit.RaSlope, 0x1.0p-1);
    EXPECT_EQ(fit.RaIntercept, 0x1.67cp+8);
    EXPECT_EQ(fit.DecSlope, 0.0);
    EXPECT_EQ(fit.DecIntercept, 0.0);
}

TEST(FitMotion, ZeroDenominatorRaisesTheFloatingPointError)
{
    struct Row {
        const char* name;
        double origin;
        std::vector<Observation> observations;
        const char* message;
    };
    const Row rows[] = {
        // Every t is 0: numerator and denominator are both 0.
        {"all at the origin's time", 40552.5, {{40552.5, 10.0, 1.0}, {40552.5, 11.0, 2.0}, {40552.5, 12.0, 3.0}},
         "Invalid floating point operation"},
        // Against origin 0 the sums round differently: 2*(0.7*3 + 0.1*3)
        // differs from 6*(0.1 + 0.7) while 2*18 - 6*6 is still 0.
        {"all at one time, origin 0, numerator not 0", 0.0, {{3.0, 0.1, 0.0}, {3.0, 0.7, 0.0}},
         "Floating point division by zero"},
        {"all at one time, origin 0, numerator 0", 0.0, {{3.0, 0.1, 0.0}, {3.0, 0.2, 0.0}},
         "Invalid floating point operation"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        try {
            FitMotion(row.origin, row.observations);
            ADD_FAILURE() << "no error";
        } catch (const TraselError& error) {
            EXPECT_STREQ(error.what(), row.message);
        }
    }
}

TEST(UnwrapRightAscension, MovesByWholeTurnsIntoHalfATurnAroundTheReference)
{
    struct Row {
        const char* name;
        double rightAscension;
        double reference;
        double expected;
    };
    const Row rows[] = {
        {"below the range moves up a turn", 10.25, 350.0, 0x1.724p+8},
        {"just past 0h going down", 359.5, 0.5, -0x1.0p-1},
        {"just past 0h going up", 0.5, 359.5, 0x1.688p+8},
        {"upper end is inside", 190.0, 10.0, 0x1.7cp+7},
        {"lower end is outside", -170.0, 10.0, 0x1.7cp+7},
        {"two turns off", 720.25, 0.0, 0x1.0p-2},
        {"360 near 359 stays", 360.0, 359.0, 0x1.68p+8},
        {"never a crossing: unchanged", 0x1.6212846ff513dp+5, 0x1.6212846ff513dp+5 + 100.0, 0x1.6212846ff513dp+5},
        {"absurdly large", 1e299, 10.0, -0x1.2p+7},
        {"absurdly small", -1e299, 0.0, 0x1.2p+7},
        {"absurd reference", 5.0, 1e300, 1e300},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(UnwrapRightAscension(row.rightAscension, row.reference), row.expected);
    }
}

TEST(UnwrapRightAscension, ExtremeValuesEndFinite)
{
    const double rows[][2] = {{DBL_MAX, -DBL_MAX}, {-DBL_MAX, DBL_MAX}, {DBL_MAX, 0.0}, {DBL_TRUE_MIN, 540.0}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row[0]);
        EXPECT_TRUE(std::isfinite(UnwrapRightAscension(row[0], row[1])));
    }
}

}  // namespace
}  // namespace trasel
