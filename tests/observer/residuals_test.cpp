#include "observer_test_support.h"

#include <cmath>

namespace trasel {
namespace {

using testing::Record;

TEST(Residuals, TwoObservationsFitExactly)
{
    testing::PinSettings();
    const std::vector<std::string> lines = {
        Record("2011 AB", "2011 01 09.31250", "05 34 31.94", "+22 00 52.2"),
        Record("2011 AB", "2011 01 09.39583", "05 34 12.07", "+22 03 05.9"),
    };
    const ResidualSummary summary = ResidualsOf(ReadTrack(testing::Views(lines)));
    ASSERT_EQ(summary.Residuals.size(), 2u);
    for (const Residual& residual : summary.Residuals) {
        EXPECT_NEAR(residual.RaCosDec, 0.0L, 1e-6L);
        EXPECT_NEAR(residual.Dec, 0.0L, 1e-6L);
    }
    EXPECT_NEAR(summary.RmsTotal, 0.0L, 1e-6L);
    const std::vector<std::string> expected = {
        "",
        "Residuals, observed - fitted (\"): RA*cos(Dec), Dec",
        "09/01/2011 07:30:00  500  +0.00  +0.00",
        "09/01/2011 09:29:59  500  +0.00  +0.00",
        "RMS (\"): RA*cos(Dec) 0.00  Dec 0.00  total 0.00",
    };
    EXPECT_EQ(ResidualTable(summary), expected);
}

TEST(Residuals, MiddleObservationOffByTwoArcsecondsEachWay)
{
    // t = 0, 1, 2 days at dec 60; the middle one 0.40 s of time (6" of RA,
    // 3" on the sky at cos 60 = 0.5) east and 3" north of the others. Both
    // lines are flat at the mean, 1" above the outer two and 2" below the
    // middle one: residuals -1, +2, -1. RMS sqrt(6/3) = 1.41 each, total
    // sqrt(12/3) = 2.00 (a hair less: the middle cos is 0.49999).
    testing::PinSettings();
    const std::vector<std::string> lines = {
        Record("2011 AB", "2011 01 09.00000", "06 40 00.00", "+60 00 00.0"),
        Record("2011 AB", "2011 01 10.00000", "06 40 00.40", "+60 00 03.0"),
        Record("2011 AB", "2011 01 11.00000", "06 40 00.00", "+60 00 00.0"),
    };
    const ResidualSummary summary = ResidualsOf(ReadTrack(testing::Views(lines)));
    const long double expected[] = {-1, 2, -1};
    for (std::size_t i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        EXPECT_NEAR(summary.Residuals[i].RaCosDec, expected[i], 1e-4L);
        EXPECT_NEAR(summary.Residuals[i].Dec, expected[i], 1e-6L);
    }
    EXPECT_NEAR(summary.RmsRaCosDec, std::sqrt(2.0L), 1e-4L);
    EXPECT_NEAR(summary.RmsDec, std::sqrt(2.0L), 1e-6L);
    EXPECT_NEAR(summary.RmsTotal, 2.0L, 1e-4L);

    const std::vector<std::string> table = {
        "",
        "Residuals, observed - fitted (\"): RA*cos(Dec), Dec",
        "09/01/2011 00:00:00  500  -1.00  -1.00",
        "10/01/2011 00:00:00  500  +2.00  +2.00",
        "11/01/2011 00:00:00  500  -1.00  -1.00",
        "RMS (\"): RA*cos(Dec) 1.41  Dec 1.41  total 2.00",
        std::string(kNonLinearWarning),
    };
    EXPECT_EQ(ResidualTable(summary), table);
}

TEST(Residuals, RealTrackletIsLinearWithinItsScatter)
{
    // (65558), six positions from D29; values from reference_extras.py.
    testing::PinSettings();
    const std::vector<std::string> all = testing::ReadFixture("tracklets-23662-65558.obs");
    const std::vector<std::string> lines(all.begin() + 6, all.end());
    const std::vector<std::string> expected = {
        "",
        "Residuals, observed - fitted (\"): RA*cos(Dec), Dec",
        "13/11/2025 14:08:06  D29  -0.14  +0.18",
        "13/11/2025 14:28:27  D29  +0.19  -0.57",
        "13/11/2025 14:48:49  D29  -0.03  +0.37",
        "13/11/2025 17:10:45  D29  -0.06  +0.19",
        "13/11/2025 17:31:06  D29  -0.01  +0.04",
        "13/11/2025 17:51:28  D29  +0.04  -0.21",
        "RMS (\"): RA*cos(Dec) 0.10  Dec 0.31  total 0.33",
    };
    EXPECT_EQ(ResidualTable(ResidualsOf(ReadTrack(testing::Views(lines)))), expected);
}

TEST(Residuals, LongArcAcrossZeroHoursIsNotLinear)
{
    // (3666) Holman over two weeks: residuals of a minute of arc and more.
    testing::PinSettings();
    const std::vector<std::string> lines = testing::ReadFixture("holman-0h-crossing.txt");
    const std::vector<std::string> table = ResidualTable(ResidualsOf(ReadTrack(testing::Views(lines))));
    ASSERT_EQ(table.size(), 2u + 23u + 2u);
    EXPECT_EQ(table[2], "22/08/2003 07:27:27  704  -53.56  -18.84");
    EXPECT_EQ(table[13], "26/08/2003 07:27:33  704  +154.75  +55.20");
    EXPECT_EQ(table[24], "05/09/2003 14:02:10  E17  -141.38  -46.28");
    EXPECT_EQ(table[25], "RMS (\"): RA*cos(Dec) 93.07  Dec 32.05  total 98.43");
    EXPECT_EQ(table[26], kNonLinearWarning);
}

}  // namespace
}  // namespace trasel
