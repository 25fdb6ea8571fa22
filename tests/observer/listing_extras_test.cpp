#include "observer_test_support.h"

namespace trasel {
namespace {

using testing::Record;

// One degree a day eastward at dec 0 from two observations a day apart; rows
// at 0, 12 and 24 hours after the first. Rates 2.5 "/min east (PA 90); the
// floor 0.5" with mean time 0.5 and scatter 0.5 gives 0.5 sqrt(1/2 + (w -
// 0.5)^2 / 0.5): 0.50, 0.35, 0.50.
class ListingExtras : public ::testing::Test {
protected:
    void SetUp() override
    {
        testing::PinSettings();
        lines = {Record("2011 AB", "2011 01 09.00000", "00 00 00.00", "+00 00 00.0"),
                 Record("2011 AB", "2011 01 10.00000", "00 04 00.00", "+00 00 00.0")};
        report = testing::ReportFor(lines,
                                    testing::MakeRunSettings("09/01/2011", "00:00:00", "12", StepUnit::Hours, "002"));
    }
    std::vector<std::string> lines;
    ObjectReport report;
};

TEST_F(ListingExtras, NothingAskedLeavesTheListing)
{
    EXPECT_EQ(ListingWithExtras(report, ObserverExtras{}), report.Listing);
}

TEST_F(ListingExtras, ColumnsFollowTheDeclination)
{
    const struct {
        const char* name;
        ObserverExtras extras;
        const char* suffixes[3];
    } rows[] = {
        {"rates", {true, false, false, 0.5L}, {"  +2.50  +0.00  90.0", "  +2.50  +0.00  90.0", "  +2.50  +0.00  90.0"}},
        {"uncertainty", {false, false, true, 0.5L}, {"  0.50  0.50", "  0.35  0.35", "  0.50  0.50"}},
        {"both, rates first",
         {true, false, true, 0.5L},
         {"  +2.50  +0.00  90.0  0.50  0.50", "  +2.50  +0.00  90.0  0.35  0.35", "  +2.50  +0.00  90.0  0.50  0.50"}},
        {"a larger floor", {false, false, true, 2.0L}, {"  2.00  2.00", "  1.41  1.41", "  2.00  2.00"}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const std::vector<std::string> extended = ListingWithExtras(report, row.extras);
        ASSERT_EQ(extended.size(), report.Listing.size());
        for (std::size_t i = 0; i < extended.size(); ++i) {
            SCOPED_TRACE(i);
            if (i >= 2 && i <= 4)
                EXPECT_EQ(extended[i], report.Listing[i] + row.suffixes[i - 2]);
            else
                EXPECT_EQ(extended[i], report.Listing[i]);
        }
    }
}

TEST_F(ListingExtras, ResidualTableComesAfterTheListing)
{
    const std::vector<std::string> extended = ListingWithExtras(report, {false, true, false, 0.5L});
    ASSERT_EQ(extended.size(), report.Listing.size() + 5);
    EXPECT_TRUE(std::equal(report.Listing.begin(), report.Listing.end(), extended.begin()));
    const std::vector<std::string> table(extended.begin() + static_cast<std::ptrdiff_t>(report.Listing.size()),
                                         extended.end());
    const std::vector<std::string> expected = {
        "",
        "Residuals, observed - fitted (\"): RA*cos(Dec), Dec",
        "09/01/2011 00:00:00  500  +0.00  +0.00",
        "10/01/2011 00:00:00  500  +0.00  +0.00",
        "RMS (\"): RA*cos(Dec) 0.00  Dec 0.00  total 0.00",
    };
    EXPECT_EQ(table, expected);
}

}  // namespace
}  // namespace trasel
