#include "observer_test_support.h"

#include <cmath>

#include "anglemath/umath.h"

namespace trasel {
namespace {

using testing::Record;

struct RatesRow {
    const char* name;
    double raSlope, decSlope;  // degrees per day
    double declination;
    long double raCosDec, dec, positionAngle;  // worked out by hand
    const char* columns;
};

TEST(MotionRates, DirectionsOfTheMotion)
{
    testing::PinSettings();
    // 1 deg/day = 3600"/1440 min = 2.5 "/min.
    const long double tan003 = std::tan(0.03L * kDegToRad);
    const RatesRow rows[] = {
        {"due east", 1.0, 0.0, 0.0, 2.5L, 0, 90, "+2.50  +0.00  90.0"},
        {"due west", -1.0, 0.0, 0.0, -2.5L, 0, 270, "-2.50  +0.00  270.0"},
        {"due north", 0.0, 1.0, 0.0, 0, 2.5L, 0, "+0.00  +2.50  0.0"},
        {"due south", 0.0, -0.4, 0.0, 0, -1.0L, 180, "+0.00  -1.00  180.0"},
        {"east at dec 60 is halved", 1.0, 0.0, 60.0, 1.25L, 0, 90, "+1.25  +0.00  90.0"},
        {"north-east", 0.4, 0.4, 0.0, 1.0L, 1.0L, 45, "+1.00  +1.00  45.0"},
        {"south-west at dec -60", -0.8, -0.4, -60.0, -1.0L, -1.0L, 225, "-1.00  -1.00  225.0"},
        {"a hair west of north rounds to 0.0", -static_cast<double>(tan003), 1.0, 0.0, -2.5L * tan003, 2.5L, 359.97L,
         "+0.00  +2.50  0.0"},
        {"at rest", 0.0, 0.0, 30.0, 0, 0, 0, "+0.00  +0.00  0.0"},
    };
    for (const RatesRow& row : rows) {
        SCOPED_TRACE(row.name);
        const MotionFit fit{40552.0, row.raSlope, 10.0, row.decSlope, row.declination};
        const MotionRates rates = RatesAt(fit, row.declination);
        EXPECT_NEAR(rates.RaCosDec, row.raCosDec, 1e-15L);
        EXPECT_NEAR(rates.Dec, row.dec, 1e-15L);
        EXPECT_NEAR(rates.PositionAngle, row.positionAngle, 1e-12L);
        EXPECT_GE(rates.PositionAngle, 0.0L);
        EXPECT_LT(rates.PositionAngle, 360.0L);
        EXPECT_EQ(RatesColumns(rates), row.columns);
    }
}

TEST(MotionRates, SignedTextRoundsHalvesAway)
{
    testing::PinSettings();
    const struct {
        long double value;
        const char* text;
    } rows[] = {{0.125L, "+0.13"}, {-0.004L, "+0.00"}, {-0.005L, "-0.01"}, {12.3L, "+12.30"}, {-1234.5678L, "-1234.57"}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.text);
        EXPECT_EQ(SignedText(row.value), row.text);
    }
}

TEST(MotionRates, RealTrackletMovesSouthWest)
{
    // (23662), six positions from D29 over 3.7 hours; rates and angle from
    // reference_extras.py (exact rational fit): -0.63, -0.23 "/min, PA 249.5.
    testing::PinSettings();
    const std::vector<std::string> all = testing::ReadFixture("tracklets-23662-65558.obs");
    const std::vector<std::string> lines(all.begin(), all.begin() + 6);
    const FittedTrack track = ReadTrack(testing::Views(lines));
    const SkyPosition position = PositionAt(track.Fit, 0.0);
    EXPECT_EQ(RatesColumns(RatesAt(track.Fit, position.Declination)), "-0.63  -0.23  249.5");
}

}  // namespace
}  // namespace trasel
