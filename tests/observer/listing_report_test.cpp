#include "observer_test_support.h"

#include "anglemath/umath.h"

namespace trasel {
namespace {

// The report's numbers, written the way the listing writes them, must give
// the listing's own texts: the same T0, unwrap, fit, offsets and positions.
void ExpectReportMatchesListing(const ObjectReport& report)
{
    ASSERT_FALSE(report.Listing.empty());
    EXPECT_EQ(report.Listing[0], "Velocidad aparente: " + FormatNumber("0.00", report.Speed) + " \"/min");
    for (const ListingRow& row : report.Rows) {
        SCOPED_TRACE(row.Index);
        EXPECT_EQ(row.TimeText, FormatDateTime("dd/mm/yyyy hh:mm:ss", row.Time));
        EXPECT_EQ(row.RaText, RAToText(1, StoreDouble(row.Position.RightAscension * kDegToRad)));
        EXPECT_EQ(row.DecText, DecToText(1, StoreDouble(row.Position.Declination * kDegToRad)));
        EXPECT_EQ(report.Listing[static_cast<std::size_t>(row.Index) + 2],
                  report.Track.Designation + "  " + row.TimeText + "  " + row.RaText + "  " + row.DecText);
    }
}

TEST(ListingReport, RealTrackletRowsAgreeWithTheListing)
{
    testing::PinSettings();
    const std::vector<std::string> all = testing::ReadFixture("tracklets-23662-65558.obs");
    const std::vector<std::string> lines(all.begin(), all.begin() + 6);
    const ObjectReport report =
        testing::ReportFor(lines, testing::MakeRunSettings("13/11/2025", "18:00:00", "01", StepUnit::Hours, "048"));
    EXPECT_EQ(report.Track.Designation, "23662");
    ASSERT_EQ(report.Rows.size(), 49u);
    EXPECT_EQ(report.Rows[0].TimeText, "13/11/2025 18:00:00");
    EXPECT_EQ(report.Rows[48].TimeText, "15/11/2025 18:00:00");
    ExpectReportMatchesListing(report);
}

TEST(ListingReport, ZeroHoursCrossingAgreesWithTheListing)
{
    // Predicted right ascensions run below 0h: the unwrap here and in the
    // calculation must be the same for the texts to agree.
    testing::PinSettings();
    const std::vector<std::string> lines = testing::ReadFixture("holman-0h-crossing.txt");
    const ObjectReport report =
        testing::ReportFor(lines, testing::MakeRunSettings("22/08/2003", "00:00:00", "01", StepUnit::Days, "020"));
    ASSERT_EQ(report.Rows.size(), 21u);
    EXPECT_GT(report.Rows.front().Position.RightAscension, 0.0);
    EXPECT_LT(report.Rows.back().Position.RightAscension, 0.0);
    ExpectReportMatchesListing(report);
}

TEST(ListingReport, NegativeCountHasNoRows)
{
    testing::PinSettings();
    const std::vector<std::string> all = testing::ReadFixture("tracklets-23662-65558.obs");
    const std::vector<std::string> lines(all.begin(), all.begin() + 6);
    const ObjectReport report =
        testing::ReportFor(lines, testing::MakeRunSettings("13/11/2025", "18:00:00", "01", StepUnit::Hours, "-01"));
    EXPECT_TRUE(report.Rows.empty());
    EXPECT_EQ(report.Listing.size(), 5u);
}

TEST(ListingReport, IncompleteListingIsRefused)
{
    testing::PinSettings();
    const std::vector<std::string> all = testing::ReadFixture("tracklets-23662-65558.obs");
    const std::vector<std::string> lines(all.begin(), all.begin() + 6);
    const RunSettings settings = testing::MakeRunSettings("13/11/2025", "18:00:00", "01", StepUnit::Hours, "002");
    ListingCapture listing;
    testing::NoDialog dialog;
    const std::vector<std::string_view> views = testing::Views(lines);
    CalculateEphemeris(views, settings, listing, dialog);
    std::vector<std::string> partial(listing.Lines.begin(), listing.Lines.begin() + 4);
    EXPECT_THROW(MakeReport(views, settings, partial), TraselError);
    std::vector<std::string> renamed = listing.Lines;
    renamed[3] = "other" + renamed[3].substr(5);
    EXPECT_THROW(MakeReport(views, settings, renamed), TraselError);
}

}  // namespace
}  // namespace trasel
