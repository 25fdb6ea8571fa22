#include "observer_test_support.h"

#include <cmath>
#include <random>

#include "anglemath/umath.h"

namespace trasel {
namespace {

using testing::Record;

struct UncertaintyRow {
    const char* name;
    double offset, declination;
    long double raCosDec, dec;
    const char* columns;
};

TEST(Uncertainty, StraightLinePredictionGrowsAwayFromTheMeanTime)
{
    testing::PinSettings();
    // Two observations at t = 0 and 1 day with the floor 0.5": mean 0.5,
    // scatter 0.5. sigma(w) = 0.5 sqrt(1/2 + (w - 0.5)^2 / 0.5).
    const FitSpread spread{0.5L, 0.5L, 1.0L, 0.5L, 0.5L, 2};
    const UncertaintyRow rows[] = {
        {"at the mean time: sigma / sqrt(n)", 0.5, 0.0, 0.5L / std::sqrt(2.0L), 0.5L / std::sqrt(2.0L), "0.35  0.35"},
        {"at an observation", 0.0, 0.0, 0.5L, 0.5L, "0.50  0.50"},
        {"a day beyond: sqrt(5) sigma", 2.0, 0.0, 0.5L * std::sqrt(5.0L), 0.5L * std::sqrt(5.0L), "1.12  1.12"},
        {"at dec 60 the RA part is halved", 2.0, 60.0, 0.25L * std::sqrt(5.0L), 0.5L * std::sqrt(5.0L), "0.56  1.12"},
    };
    for (const UncertaintyRow& row : rows) {
        SCOPED_TRACE(row.name);
        const PositionUncertainty sigma = UncertaintyAt(spread, row.offset, row.declination);
        EXPECT_NEAR(sigma.RaCosDec, row.raCosDec, 1e-15L);
        EXPECT_NEAR(sigma.Dec, row.dec, 1e-15L);
        EXPECT_EQ(UncertaintyColumns(sigma), row.columns);
    }
}

TEST(Uncertainty, ScatterFromResidualsWithNMinusTwoDegreesOfFreedom)
{
    testing::PinSettings();
    // Residuals -1, +2, -1 in both (residuals_test): sum of squares 6 over
    // 3 - 2 = 1 degree of freedom, sigma = sqrt(6). t = 0, 1, 2: mean 1,
    // scatter 2, so sigma(w)^2 = 6 (1/3 + (w - 1)^2 / 2) = 2 + 3 (w - 1)^2.
    const std::vector<std::string> lines = {
        Record("2011 AB", "2011 01 09.00000", "06 40 00.00", "+60 00 00.0"),
        Record("2011 AB", "2011 01 10.00000", "06 40 00.40", "+60 00 03.0"),
        Record("2011 AB", "2011 01 11.00000", "06 40 00.00", "+60 00 00.0"),
    };
    const FittedTrack track = ReadTrack(testing::Views(lines));
    const FitSpread spread = EstimateSpread(track, ResidualsOf(track), 0.5L);
    EXPECT_NEAR(spread.SigmaDec, std::sqrt(6.0L), 1e-6L);
    EXPECT_NEAR(spread.SigmaRaCosDec, std::sqrt(6.0L), 1e-4L);
    EXPECT_EQ(spread.MeanTime, 1.0L);
    EXPECT_EQ(spread.TimeScatter, 2.0L);
    EXPECT_NEAR(spread.MeanCosDec, 0.5L, 1e-5L);
    EXPECT_NEAR(UncertaintyAt(spread, 1.0, 60.0).Dec, std::sqrt(2.0L), 1e-6L);
    EXPECT_NEAR(UncertaintyAt(spread, 3.0, 60.0).Dec, std::sqrt(14.0L), 1e-6L);

    // A floor above the scatter wins.
    const FitSpread floored = EstimateSpread(track, ResidualsOf(track), 3.0L);
    EXPECT_EQ(floored.SigmaRaCosDec, 3.0L);
    EXPECT_EQ(floored.SigmaDec, 3.0L);
}

TEST(Uncertainty, TwoObservationsTakeTheFloor)
{
    testing::PinSettings();
    const std::vector<std::string> lines = {
        Record("2011 AB", "2011 01 09.31250", "05 34 31.94", "+22 00 52.2"),
        Record("2011 AB", "2011 01 09.39583", "05 34 12.07", "+22 03 05.9"),
    };
    const FittedTrack track = ReadTrack(testing::Views(lines));
    const FitSpread spread = EstimateSpread(track, ResidualsOf(track), 0.5L);
    EXPECT_EQ(spread.SigmaRaCosDec, 0.5L);
    EXPECT_EQ(spread.SigmaDec, 0.5L);
    EXPECT_EQ(spread.Count, 2u);
}

TEST(Uncertainty, RealTrackletWithASmallFloor)
{
    // (65558) with --sigma 0.05: the residuals' scatter (0.13" and 0.38")
    // stands; rows 6 hours apart from 14/11/2025 00:00. reference_extras.py.
    testing::PinSettings();
    const std::vector<std::string> all = testing::ReadFixture("tracklets-23662-65558.obs");
    const std::vector<std::string> lines(all.begin() + 6, all.end());
    const FittedTrack track = ReadTrack(testing::Views(lines));
    const FitSpread spread = EstimateSpread(track, ResidualsOf(track), 0.05L);
    const RowSchedule schedule =
        ReadSchedule(testing::MakeRunSettings("14/11/2025", "00:00:00", "06", StepUnit::Hours, "002"));
    const char* expected[] = {"0.27  0.82", "0.47  1.42", "0.66  2.02"};
    for (std::int64_t k = 0; k <= 2; ++k) {
        SCOPED_TRACE(k);
        const double offset = RowOffset(schedule, track.Fit, k);
        const SkyPosition position = PositionAt(track.Fit, offset);
        EXPECT_EQ(UncertaintyColumns(UncertaintyAt(spread, offset, position.Declination)), expected[k]);
    }
}

// The same fit run many times on a known straight line with Gaussian errors
// of 1" on the sky: the spread of the predictions must be what the
// covariance says, and the residuals' sigma must be unbiased.
TEST(Uncertainty, AgreesWithMonteCarloRunsOfTheFit)
{
    constexpr int kTrials = 20000;
    constexpr double kSigma = 1.0;  // arcseconds on the sky
    const double origin = 40552.0;
    const double times[] = {0.0, 0.01, 0.025, 0.04, 0.06};  // a 1.4-hour arc
    const MotionFit truth{origin, 0.3, 150.0, 10.0, 20.0};   // 20 deg dec, rising 10 deg/day
    const double offset = 2.0;                              // two days on, at dec 40
    const SkyPosition future = PositionAt(truth, offset);

    std::mt19937_64 random(20251113);
    std::normal_distribution<double> noise(0.0, kSigma);
    long double sumRa2 = 0, sumDec2 = 0, sumSigmaRa2 = 0, sumSigmaDec2 = 0;
    FitSpread layout{};
    for (int trial = 0; trial < kTrials; ++trial) {
        FittedTrack track;
        for (const double t : times) {
            const SkyPosition exact = PositionAt(truth, t);
            const long double cosDec = CosDeg(exact.Declination);
            track.Observations.push_back({origin + t, static_cast<double>(exact.RightAscension + noise(random) / 3600 / cosDec),
                                          exact.Declination + noise(random) / 3600});
            track.Stations.push_back("500");
        }
        track.Fit = FitMotion(origin, track.Observations);
        const SkyPosition predicted = PositionAt(track.Fit, offset);
        const long double errorRa = (static_cast<long double>(predicted.RightAscension) - future.RightAscension) *
                                    CosDeg(future.Declination) * 3600;
        const long double errorDec = (static_cast<long double>(predicted.Declination) - future.Declination) * 3600;
        sumRa2 += errorRa * errorRa;
        sumDec2 += errorDec * errorDec;
        layout = EstimateSpread(track, ResidualsOf(track), 0.0L);
        sumSigmaRa2 += layout.SigmaRaCosDec * layout.SigmaRaCosDec;
        sumSigmaDec2 += layout.SigmaDec * layout.SigmaDec;
    }
    // The covariance's answer for the true sigma.
    layout.SigmaRaCosDec = kSigma;
    layout.SigmaDec = kSigma;
    const PositionUncertainty expected = UncertaintyAt(layout, offset, future.Declination);

    // Mean squares over N Gaussian draws scatter by sqrt(2/N) = 1% of the
    // variance; allow five times that.
    EXPECT_NEAR(sumRa2 / kTrials / (expected.RaCosDec * expected.RaCosDec), 1.0L, 0.05L);
    EXPECT_NEAR(sumDec2 / kTrials / (expected.Dec * expected.Dec), 1.0L, 0.05L);
    // s^2 with n - 2 = 3 degrees of freedom has variance 2 sigma^4 / 3: its
    // mean over N trials scatters by 0.6%; n instead of n - 2 would give 0.6.
    EXPECT_NEAR(sumSigmaRa2 / kTrials, kSigma * kSigma, 0.03L);
    EXPECT_NEAR(sumSigmaDec2 / kTrials, kSigma * kSigma, 0.03L);
    // The prediction two days on is far outside the arc, and at dec 40 its
    // RA part shrinks by cos 40 / cos 20.
    EXPECT_GT(expected.Dec, 30.0L);
    EXPECT_NEAR(expected.RaCosDec / expected.Dec, CosDeg(40.0L) / CosDeg(20.3L), 0.01L);
}

TEST(Uncertainty, SigmaOption)
{
    testing::PinSettings();
    EXPECT_EQ(ReadSigma("0.5"), 0.5L);
    EXPECT_EQ(ReadSigma("2"), 2.0L);
    for (const char* bad : {"0", "-1", "abc", "", "1e9", "0,5"}) {
        SCOPED_TRACE(bad);
        EXPECT_THROW(ReadSigma(bad), EConvertError);
    }
}

}  // namespace
}  // namespace trasel
