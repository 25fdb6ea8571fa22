#include "observer_test_support.h"

namespace trasel {
namespace {

using testing::Record;

struct KindRow {
    const char* name;
    std::string line;
    const char* reason;  // nullptr: a position
};

TEST(LineKinds, ColumnFifteenDecides)
{
    const std::string ccd = Record("00433", "2011 10 23.34124", "06 53 03.49", "+46 43 06.6", 'C');
    std::string shortSecondLine = Record("00433", "2011 10 23.34124", "06 53 03.49", "+46 43 06.6", 's');
    shortSecondLine.pop_back();
    const KindRow rows[] = {
        {"CCD", ccd, nullptr},
        {"satellite first line", Record("00433", "2011 10 23.34124", "06 53 03.49", "+46 43 06.6", 'S'), nullptr},
        {"roving first line", Record("00433", "2011 10 23.34124", "06 53 03.49", "+46 43 06.6", 'V'), nullptr},
        {"replaced discovery", Record("00433", "2011 10 23.34124", "06 53 03.49", "+46 43 06.6", 'x'), nullptr},
        {"blank type", Record("00433", "2011 10 23.34124", "06 53 03.49", "+46 43 06.6", ' '), nullptr},
        {"satellite second line", Record("00433", "2011 10 23.34124", "06 53 03.49", "+46 43 06.6", 's'),
         "second line of a satellite record (column 15 's')"},
        {"roving second line", Record("00433", "2011 10 23.34124", "06 53 03.49", "+46 43 06.6", 'v'),
         "second line of a roving-observer record (column 15 'v')"},
        {"radar second line", Record("00433", "2011 10 23.34124", "06 53 03.49", "+46 43 06.6", 'r'),
         "second line of a radar record (column 15 'r')"},
        {"radar", Record("00433", "2011 10 23.34124", "06 53 03.49", "+46 43 06.6", 'R'),
         "radar record, no position (column 15 'R')"},
        {"79 characters are no observation at all", shortSecondLine, nullptr},
        {"empty line", "", nullptr},
    };
    for (const KindRow& row : rows) {
        SCOPED_TRACE(row.name);
        const std::optional<std::string> reason = NonPositionReason(row.line);
        if (row.reason == nullptr)
            EXPECT_FALSE(reason.has_value()) << *reason;
        else
            EXPECT_EQ(reason.value_or("(none)"), row.reason);
    }
}

TEST(LineKinds, SecondLinesOfRealRecordsAreSkipped)
{
    // (433) Eros: A line, S/s pair, V/v pair, blank lines between.
    const std::vector<std::string> lines = testing::ReadFixture("eros-two-line-records.txt");
    ASSERT_EQ(lines.size(), 8u);
    const PositionLines kept = DropNonPositions(testing::Views(lines));

    ASSERT_EQ(kept.Skipped.size(), 2u);
    EXPECT_EQ(kept.Skipped[0].LineNumber, 4u);
    EXPECT_EQ(kept.Skipped[0].Reason, "second line of a satellite record (column 15 's')");
    EXPECT_EQ(kept.Skipped[1].LineNumber, 7u);
    EXPECT_EQ(kept.Skipped[1].Reason, "second line of a roving-observer record (column 15 'v')");
    EXPECT_EQ(kept.ObservationsUsed, 3u);

    // Every line keeps its place; a skipped one is cut to its designation columns.
    ASSERT_EQ(kept.Lines.size(), lines.size());
    for (std::size_t i = 0; i < lines.size(); ++i) {
        SCOPED_TRACE(i + 1);
        if (i == 3 || i == 6)
            EXPECT_EQ(kept.Lines[i], lines[i].substr(0, 12));
        else
            EXPECT_EQ(kept.Lines[i], lines[i]);
    }
}

TEST(LineKinds, SkippedFirstLineStillGivesTheDesignation)
{
    const std::vector<std::string> lines = {
        Record("2001 RX", "2011 01 09.00000", "05 34 31.94", "+22 00 52.2", 'R'),
        Record("2001 RX", "2011 01 09.50000", "05 34 41.94", "+22 00 52.2"),
    };
    const PositionLines kept = DropNonPositions(testing::Views(lines));
    ASSERT_EQ(kept.Lines.size(), 2u);
    EXPECT_FALSE(IsObservationLine(kept.Lines[0]));
    EXPECT_EQ(ReadDesignation(kept.Lines[0]), "2001 RX");
    EXPECT_EQ(kept.ObservationsUsed, 1u);
}

TEST(LineKinds, WiseExcerptKeepsItsTwelvePositions)
{
    // 12 satellite pairs and one replaced discovery line (x), which is a position.
    const std::vector<std::string> lines = testing::ReadFixture("j4767-wise-excerpt.txt");
    const PositionLines kept = DropNonPositions(testing::Views(lines));
    EXPECT_EQ(kept.Skipped.size(), 12u);
    EXPECT_EQ(kept.ObservationsUsed, 13u);
    for (const SkippedLine& skipped : kept.Skipped) {
        // Each s line follows the S line of the same time.
        SCOPED_TRACE(skipped.LineNumber);
        ASSERT_GE(skipped.LineNumber, 2u);
        const std::string& first = lines[skipped.LineNumber - 2];
        const std::string& second = lines[skipped.LineNumber - 1];
        EXPECT_EQ(first[14], 'S');
        EXPECT_EQ(first.substr(15, 15), second.substr(15, 15));
    }
}

}  // namespace
}  // namespace trasel
