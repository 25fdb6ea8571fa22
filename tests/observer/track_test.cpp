#include "observer_test_support.h"

#include <cmath>

namespace trasel {
namespace {

using testing::Record;

TEST(Track, TwoObservationsGiveTheLinesThroughBoth)
{
    testing::PinSettings();
    // One degree (4 minutes of time) eastward in one day, at declination 0.
    const std::vector<std::string> lines = {
        "heading",
        Record("2011 AB", "2011 01 09.25000", "00 00 00.00", "+00 00 00.0", 'C', "G96"),
        Record("2011 AB", "2011 01 10.25000", "00 04 00.00", "+00 00 00.0", 'C', "703"),
    };
    const FittedTrack track = ReadTrack(testing::Views(lines));
    EXPECT_EQ(track.Designation, "heading");
    ASSERT_EQ(track.Observations.size(), 2u);
    EXPECT_EQ(track.Stations, (std::vector<std::string>{"G96", "703"}));
    EXPECT_EQ(track.Fit.TimeOrigin, 40552.25);  // the first observation's, below the heading
    EXPECT_EQ(track.Fit.RaSlope, 1.0);
    EXPECT_EQ(track.Fit.RaIntercept, 0.0);
    EXPECT_EQ(track.Fit.DecSlope, 0.0);
    EXPECT_EQ(track.Fit.DecIntercept, 0.0);
}

TEST(Track, TrackAcrossZeroHoursIsFittedAsTheMotionItIs)
{
    testing::PinSettings();
    // 23h 58m to 0h 02m in one day: one degree eastward, not 359 back.
    const std::vector<std::string> lines = {
        Record("2011 AB", "2011 01 09.00000", "23 58 00.00", "+10 00 00.0"),
        Record("2011 AB", "2011 01 10.00000", "00 02 00.00", "+10 00 00.0"),
    };
    const FittedTrack track = ReadTrack(testing::Views(lines));
    EXPECT_NEAR(track.Observations[1].RightAscension, 360.5, 1e-12);
    EXPECT_NEAR(track.Fit.RaSlope, 1.0, 1e-12);
}

TEST(Track, RealArcAcrossZeroHoursHasTheSlowRetrogradeSlope)
{
    testing::PinSettings();
    // (3666) Holman, 2003 Aug 22 - Sep 5: about -0.14 deg/day, not +29 (the jump of 360).
    const std::vector<std::string> lines = testing::ReadFixture("holman-0h-crossing.txt");
    const FittedTrack track = ReadTrack(testing::Views(lines));
    EXPECT_NEAR(track.Fit.RaSlope, -0.14142520724632543, 1e-12);  // reference_extras.py, exact rationals
    EXPECT_NEAR(track.Fit.DecSlope, -0.07275145627214892, 1e-12);
}

TEST(Track, FewerThanTwoObservationsConvertNothing)
{
    testing::PinSettings();
    // The one record has a bad right ascension, which is never read.
    const std::vector<std::string> lines = {"heading", Record("2011 AB", "2011 01 09.00000", "xx 00 00.00", "+00 00 00.0")};
    try {
        ReadTrack(testing::Views(lines));
        FAIL() << "no error";
    } catch (const EConvertError&) {
        FAIL() << "a conversion was attempted";
    } catch (const TraselError& error) {
        EXPECT_EQ(error.what(), std::string(kTooFewObservationsMessage));
    }
}

TEST(Track, ReaderErrorsPass)
{
    testing::PinSettings();
    const std::vector<std::string> lines = {
        Record("2011 AB", "2011 01 09.00000", "00 00 00.00", "+00 00 00.0"),
        Record("2011 AB", "2011 01 10.00000", "1a 04 00.00", "+00 00 00.0"),
    };
    EXPECT_THROW(ReadTrack(testing::Views(lines)), EConvertError);
}

struct ScheduleRow {
    const char* name;
    RunSettings settings;
    DateTimeValue start;
    double step;
    std::int32_t count;
};

TEST(Track, ScheduleReadsTheSettingsAsTheCalculationDoes)
{
    testing::PinSettings();
    const ScheduleRow rows[] = {
        {"window's initial values", testing::MakeRunSettings("09/01/2011", "00:00:00", "01", StepUnit::Hours, "048"),
         40552.0, 0x1.5555555555555p-5, 48},
        {"minutes: /24 then /60 in extended", testing::MakeRunSettings("09/01/2011", "12:00:00", "01", StepUnit::Minutes, "000"),
         40552.5, 0x1.6c16c16c16c17p-11, 0},
        {"days", testing::MakeRunSettings("09/01/2011", "06:00:00", "02", StepUnit::Days, "-01"), 40552.25, 2.0, -1},
    };
    for (const ScheduleRow& row : rows) {
        SCOPED_TRACE(row.name);
        const RowSchedule schedule = ReadSchedule(row.settings);
        EXPECT_EQ(schedule.Start, row.start);
        EXPECT_EQ(schedule.Step, row.step);
        EXPECT_EQ(schedule.Count, row.count);
    }
    EXPECT_THROW(ReadSchedule(testing::MakeRunSettings("31/02/2011", "00:00:00", "01", StepUnit::Hours, "048")),
                 EConvertError);
    EXPECT_THROW(ReadSchedule(testing::MakeRunSettings("09/01/2011", "00:00:00", "01", StepUnit::Hours, "4 8")),
                 EConvertError);
}

TEST(Track, RowsAreOffsetFromTheTimeOrigin)
{
    const RowSchedule schedule{40552.5, 0.25, 4};
    MotionFit fit{40552.25, 1.0, 100.0, -2.0, 10.0};
    const struct {
        std::int64_t k;
        double offset, time, ra, dec;
    } rows[] = {{0, 0.25, 40552.5, 100.25, 9.5}, {3, 1.0, 40553.25, 101.0, 8.0}, {4, 1.25, 40553.5, 101.25, 7.5}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.k);
        EXPECT_EQ(RowOffset(schedule, fit, row.k), row.offset);
        EXPECT_EQ(RowTime(schedule, row.k), row.time);
        const SkyPosition position = PositionAt(fit, row.offset);
        EXPECT_EQ(position.RightAscension, row.ra);
        EXPECT_EQ(position.Declination, row.dec);
    }
}

TEST(Track, ApparentSpeedOfTheListing)
{
    // 1 deg/day is 2.5 "/min; east-west it shrinks by cos(dec).
    const RowSchedule schedule{40552.0, 1.0, 0};
    const struct {
        const char* name;
        MotionFit fit;
        double speed;
    } rows[] = {
        {"RA at dec 0", {40552.0, 1.0, 0.0, 0.0, 0.0}, 2.5},
        {"RA at dec 60", {40552.0, 1.0, 0.0, 0.0, 60.0}, 1.25},
        {"Dec alone", {40552.0, 0.0, 0.0, 1.0, 0.0}, 2.5},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_NEAR(ApparentSpeed(schedule, row.fit), row.speed, 1e-9);
    }
}

}  // namespace
}  // namespace trasel
