// The observer's options of trasel-cli, through the built program.
#include "cli_runner.h"
#include "observer_test_support.h"

#include <nlohmann/json.hpp>

namespace trasel {
namespace {

using testing::Record;

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
        lines.push_back(text.substr(start, end - start));
    EXPECT_EQ(start, text.size()) << "text without a final line break";
    return lines;
}

const std::string kSynopsis =
    "Usage: trasel-cli [--date DD/MM/YYYY] [--time HH:MM:SS] [--step NN]\n"
    "                  [--unit days|hours|minutes] [--count NNN] [FILE]\n"
    "Try 'trasel-cli --help' for more information.\n";

class ObserverCli : public testing::CliTest {
protected:
    std::vector<std::string> Fixture(const std::string& name, std::size_t from = 0, std::size_t to = SIZE_MAX)
    {
        const std::vector<std::string> all = testing::ReadFixture(name);
        return {all.begin() + static_cast<std::ptrdiff_t>(from),
                all.begin() + static_cast<std::ptrdiff_t>(std::min(to, all.size()))};
    }
};

TEST_F(ObserverCli, NewColumnsOnlyExtendTheRowsOfThePlainListing)
{
    const std::string input = WriteInput("23662.obs", Fixture("tracklets-23662-65558.obs", 0, 6));
    const std::vector<std::string> settings = {"--date", "13/11/2025", "--time", "18:00:00", input};
    const testing::CliResult plain = Cli(settings);
    ASSERT_EQ(plain.Status, 0);
    const std::vector<std::string> plainLines = Lines(plain.Out);
    ASSERT_EQ(plainLines.size(), 49u + 5u);

    std::vector<std::string> arguments = {"--rates", "--uncertainty"};
    arguments.insert(arguments.end(), settings.begin(), settings.end());
    const testing::CliResult extended = Cli(arguments);
    EXPECT_EQ(extended.Status, 0);
    EXPECT_EQ(extended.Err, "");
    const std::vector<std::string> lines = Lines(extended.Out);
    ASSERT_EQ(lines.size(), plainLines.size());
    for (std::size_t i = 0; i < lines.size(); ++i) {
        SCOPED_TRACE(i);
        if (i >= 2 && i < 51)
            EXPECT_EQ(lines[i].rfind(plainLines[i] + "  ", 0), 0u) << lines[i];
        else
            EXPECT_EQ(lines[i], plainLines[i]);
    }
    // Rates from reference_extras.py; the first row 3.7 h after the last observation.
    EXPECT_EQ(lines[2].substr(plainLines[2].size()), "  -0.63  -0.23  249.5  0.33  0.33");

    arguments = {"--residuals"};
    arguments.insert(arguments.end(), settings.begin(), settings.end());
    const testing::CliResult residuals = Cli(arguments);
    EXPECT_EQ(residuals.Status, 0);
    EXPECT_EQ(residuals.Out.rfind(plain.Out, 0), 0u);
    EXPECT_EQ(residuals.Out.substr(plain.Out.size()),
              "\nResiduals, observed - fitted (\"): RA*cos(Dec), Dec\n"
              "13/11/2025 14:08:06  D29  -0.03  -0.15\n"
              "13/11/2025 14:28:27  D29  -0.04  +0.11\n"
              "13/11/2025 14:48:49  D29  +0.10  +0.06\n"
              "13/11/2025 17:10:45  D29  -0.05  +0.04\n"
              "13/11/2025 17:31:06  D29  -0.06  -0.01\n"
              "13/11/2025 17:51:28  D29  +0.08  -0.05\n"
              "RMS (\"): RA*cos(Dec) 0.06  Dec 0.08  total 0.10\n");
}

TEST_F(ObserverCli, RatesAndPositionAngleOfSimpleMotions)
{
    // Two records a day apart; 1 deg/day is 2.5 "/min.
    const struct {
        const char* name;
        const char* ra1;
        const char* dec1;
        const char* ra2;
        const char* dec2;
        const char* columns;
    } rows[] = {
        {"east", "00 00 00.00", "+00 00 00.0", "00 04 00.00", "+00 00 00.0", "  +2.50  +0.00  90.0"},
        {"west", "00 04 00.00", "+00 00 00.0", "00 00 00.00", "+00 00 00.0", "  -2.50  +0.00  270.0"},
        {"west across 0h", "00 02 00.00", "+00 00 00.0", "23 58 00.00", "+00 00 00.0", "  -2.50  +0.00  270.0"},
        {"north", "10 00 00.00", "+00 00 00.0", "10 00 00.00", "+01 00 00.0", "  +0.00  +2.50  0.0"},
        {"south", "10 00 00.00", "+10 00 00.0", "10 00 00.00", "+09 36 00.0", "  +0.00  -1.00  180.0"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const std::string input = WriteInput("two.obs", {Record("2011 AB", "2011 01 09.00000", row.ra1, row.dec1),
                                                         Record("2011 AB", "2011 01 10.00000", row.ra2, row.dec2)});
        const testing::CliResult plain = Cli({"--date", "09/01/2011", "--count", "002", input});
        const testing::CliResult rates = Cli({"--date", "09/01/2011", "--count", "002", "--rates", input});
        EXPECT_EQ(rates.Status, 0);
        const std::vector<std::string> plainLines = Lines(plain.Out), lines = Lines(rates.Out);
        ASSERT_EQ(lines.size(), 8u);
        for (std::size_t i = 2; i <= 4; ++i)
            EXPECT_EQ(lines[i], plainLines[i] + row.columns);
    }
}

TEST_F(ObserverCli, TwoObservationsFitWithZeroResidualsAndTheFloor)
{
    const std::string input = WriteInput("two.obs", {Record("2011 AB", "2011 01 09.00000", "00 00 00.00", "+00 00 00.0"),
                                                     Record("2011 AB", "2011 01 10.00000", "00 04 00.00", "+00 00 00.0")});
    // Rows at w = 0, 0.5, 1 day: 0.5 sqrt(1/2 + (w - 1/2)^2 / (1/2)) = 0.50, 0.35, 0.50.
    const testing::CliResult result =
        Cli({"--date", "09/01/2011", "--step", "12", "--count", "002", "--uncertainty", "--residuals", input});
    EXPECT_EQ(result.Status, 0);
    const std::vector<std::string> lines = Lines(result.Out);
    ASSERT_EQ(lines.size(), 8u + 5u);
    EXPECT_EQ(lines[2].substr(lines[2].size() - 12), "  0.50  0.50");
    EXPECT_EQ(lines[3].substr(lines[3].size() - 12), "  0.35  0.35");
    EXPECT_EQ(lines[4].substr(lines[4].size() - 12), "  0.50  0.50");
    EXPECT_EQ(lines[10], "09/01/2011 00:00:00  500  +0.00  +0.00");
    EXPECT_EQ(lines[11], "10/01/2011 00:00:00  500  +0.00  +0.00");
    EXPECT_EQ(lines[12], "RMS (\"): RA*cos(Dec) 0.00  Dec 0.00  total 0.00");
}

TEST_F(ObserverCli, UncertaintyFromTheScatterOfARealTracklet)
{
    // (65558) with --sigma 0.05; expected from reference_extras.py.
    const std::string input = WriteInput("65558.obs", Fixture("tracklets-23662-65558.obs", 6));
    const testing::CliResult result = Cli({"--date", "14/11/2025", "--step", "06", "--count", "002", "--uncertainty",
                                           "--sigma", "0.05", input});
    EXPECT_EQ(result.Status, 0);
    const std::vector<std::string> lines = Lines(result.Out);
    ASSERT_EQ(lines.size(), 8u);
    const char* expected[] = {"  0.27  0.82", "  0.47  1.42", "  0.66  2.02"};
    for (std::size_t k = 0; k < 3; ++k)
        EXPECT_EQ(lines[k + 2].substr(lines[k + 2].size() - 12), expected[k]) << lines[k + 2];
}

TEST_F(ObserverCli, LongArcAcrossZeroHoursWarnsOfNonLinearMotion)
{
    // (3666) Holman over two weeks; reference_extras.py.
    const std::string input = WriteInput("holman.obs", Fixture("holman-0h-crossing.txt"));
    const testing::CliResult result = Cli({"--date", "06/09/2003", "--unit", "days", "--count", "002", "--rates",
                                           "--uncertainty", "--residuals", input});
    EXPECT_EQ(result.Status, 0);
    const std::vector<std::string> lines = Lines(result.Out);
    ASSERT_EQ(lines.size(), 8u + 2u + 23u + 2u);
    const char* columns[] = {"  -0.35  -0.18  242.7  40.86  14.08", "  -0.35  -0.18  242.7  44.08  15.19",
                             "  -0.35  -0.18  242.7  47.35  16.32"};
    for (std::size_t k = 0; k < 3; ++k) {
        const std::string& row = lines[k + 2];
        EXPECT_EQ(row.substr(row.size() - std::string(columns[k]).size()), columns[k]) << row;
    }
    EXPECT_EQ(lines[33], "RMS (\"): RA*cos(Dec) 93.07  Dec 32.05  total 98.43");
    EXPECT_EQ(lines[34], kNonLinearWarning);
}

TEST_F(ObserverCli, SkippingSecondLinesOfRealRecords)
{
    const std::vector<std::string> eros = Fixture("eros-two-line-records.txt");
    const std::string input = WriteInput("eros.obs", eros);
    const testing::CliResult refused = Cli({"--date", "01/01/2020", input});
    EXPECT_EQ(refused.Status, 2);
    EXPECT_EQ(refused.Out, "");
    EXPECT_EQ(refused.Err, "trasel-cli: '1 ' is not a valid integer value\n");

    const testing::CliResult skipped = Cli({"--date", "01/01/2020", "--skip-non-positions", input});
    EXPECT_EQ(skipped.Status, 0);
    EXPECT_EQ(skipped.Err,
              "trasel-cli: line 4 skipped: second line of a satellite record (column 15 's')\n"
              "trasel-cli: line 7 skipped: second line of a roving-observer record (column 15 'v')\n"
              "trasel-cli: 3 observations used\n");
    const std::string positions = WriteInput("positions.obs", {eros[0], eros[2], eros[5]});
    EXPECT_EQ(skipped.Out, Cli({"--date", "01/01/2020", positions}).Out);
}

TEST_F(ObserverCli, SkippingRadarRecords)
{
    const std::vector<std::string> lines = {
        Record("2011 AB", "2011 01 09.00000", "00 00 00.00", "+00 00 00.0", 'R'),
        Record("2011 AB", "2011 01 09.00000", "1  00 00.00", "+00 00 00.0", 'r'),
        Record("2011 AB", "2011 01 09.00000", "00 00 00.00", "+00 00 00.0"),
        Record("2011 AB", "2011 01 10.00000", "00 04 00.00", "+00 00 00.0"),
    };
    const testing::CliResult result =
        Cli({"--date", "09/01/2011", "--count", "000", "--skip-non-positions", WriteInput("radar.obs", lines)});
    EXPECT_EQ(result.Status, 0);
    EXPECT_EQ(result.Err,
              "trasel-cli: line 1 skipped: radar record, no position (column 15 'R')\n"
              "trasel-cli: line 2 skipped: second line of a radar record (column 15 'r')\n"
              "trasel-cli: 2 observations used\n");
    EXPECT_EQ(Lines(result.Out)[2].substr(0, 30), "2011 AB  09/01/2011 00:00:00  ");
}

TEST_F(ObserverCli, InterleavedObjectsGiveTheListingsOfEachAlone)
{
    const std::vector<std::string> first = Fixture("tracklets-23662-65558.obs", 0, 6);
    const std::vector<std::string> second = Fixture("tracklets-23662-65558.obs", 6);
    std::vector<std::string> interleaved = {"COD D29"};
    for (std::size_t i = 0; i < 6; ++i) {
        interleaved.push_back(first[i]);
        interleaved.push_back(second[i]);
    }
    const std::vector<std::string> settings = {"--date", "14/11/2025", "--count", "012"};
    std::vector<std::string> arguments = settings;
    arguments.push_back("--each-object");
    arguments.push_back(WriteInput("both.obs", interleaved));
    const testing::CliResult each = Cli(arguments);
    EXPECT_EQ(each.Status, 0);
    EXPECT_EQ(each.Err, "");

    arguments = settings;
    arguments.push_back(WriteInput("first.obs", first));
    const testing::CliResult alone1 = Cli(arguments);
    arguments.back() = WriteInput("second.obs", second);
    const testing::CliResult alone2 = Cli(arguments);
    EXPECT_EQ(each.Out, alone1.Out + "\n" + alone2.Out);
}

TEST_F(ObserverCli, ObjectWithOneObservationIsNamedWithStatusOne)
{
    const std::vector<std::string> wise = Fixture("j4767-wise-excerpt.txt");
    const testing::CliResult result =
        Cli({"--date", "28/03/2010", "--skip-non-positions", "--each-object", WriteInput("wise.obs", wise)});
    EXPECT_EQ(result.Status, 1);
    EXPECT_NE(result.Err.find("trasel-cli: 13 observations used\n"
                              "trasel-cli: j4767: Se necesitan al menos dos observaciones\n"),
              std::string::npos)
        << result.Err;
    std::vector<std::string> positions;
    for (const std::string& line : wise)
        if (line.substr(0, 12) == "j4767K10F61M" && line[14] != 's')
            positions.push_back(line);
    EXPECT_EQ(result.Out, Cli({"--date", "28/03/2010", WriteInput("alone.obs", positions)}).Out);
}

TEST_F(ObserverCli, JsonDocumentHoldsTheListingsTexts)
{
    const std::vector<std::string> file = Fixture("tracklets-23662-65558.obs");
    const std::string input = WriteInput("both.obs", file);
    const testing::CliResult result = Cli({"--date", "14/11/2025", "--count", "003", "--each-object", "--format",
                                           "json", "--rates", "--residuals", "--uncertainty", input});
    EXPECT_EQ(result.Status, 0);
    EXPECT_EQ(result.Err, "");
    const nlohmann::json document = nlohmann::json::parse(result.Out);
    ASSERT_EQ(document["objects"].size(), 2u);

    const testing::CliResult plain =
        Cli({"--date", "14/11/2025", "--count", "003", WriteInput("first.obs", {file.begin(), file.begin() + 6})});
    const std::vector<std::string> rows = Lines(plain.Out);
    const nlohmann::json& object = document["objects"][0];
    EXPECT_EQ(object["designation"], "23662");
    EXPECT_EQ(object["observations"], 6);
    ASSERT_EQ(object["rows"].size(), 4u);
    for (std::size_t k = 0; k < 4; ++k) {
        const nlohmann::json& row = object["rows"][k];
        EXPECT_EQ("23662  " + row["timeText"].get<std::string>() + "  " + row["raText"].get<std::string>() + "  " +
                      row["decText"].get<std::string>(),
                  rows[k + 2]);
    }
    EXPECT_EQ(object["rows"][0]["time"], "2025-11-14T00:00:00.000Z");
    EXPECT_EQ(object["residuals"]["observations"].size(), 6u);
    EXPECT_EQ(object["residuals"]["linear"], true);
    EXPECT_TRUE(object["rows"][3].contains("uncertainty"));

    const testing::CliResult tooFew = Cli({"--date", "14/11/2025", "--format", "json", WriteInput("one.obs", {file[0]})});
    EXPECT_EQ(tooFew.Status, 1);
    EXPECT_EQ(tooFew.Out, "");
    EXPECT_EQ(tooFew.Err, "Se necesitan al menos dos observaciones\n");

    const testing::CliResult badCount = Cli({"--date", "14/11/2025", "--count", "x", "--format", "json", input});
    EXPECT_EQ(badCount.Status, 2);
    EXPECT_EQ(badCount.Out, "");
    EXPECT_EQ(badCount.Err, "trasel-cli: 'x' is not a valid integer value\n");
}

TEST_F(ObserverCli, ChartsBesideAnUnchangedListing)
{
    const std::string input = WriteInput("both.obs", Fixture("tracklets-23662-65558.obs"));
    const std::string chart = (folder / "track.svg").string();
    const testing::CliResult result = Cli({"--date", "14/11/2025", "--uncertainty", "--chart", chart, input});
    EXPECT_EQ(result.Status, 0);
    const std::string svg = testing::ReadWholeFile(chart);
    EXPECT_EQ(svg.rfind("<?xml", 0), 0u);
    EXPECT_NE(svg.find("<ellipse"), std::string::npos);

    // The chart changes nothing on standard output.
    const testing::CliResult plain = Cli({"--date", "14/11/2025", input});
    const testing::CliResult charted = Cli({"--date", "14/11/2025", "--chart", chart, input});
    EXPECT_EQ(charted.Out, plain.Out);

    const testing::CliResult each =
        Cli({"--date", "14/11/2025", "--each-object", "--chart", (folder / "each.svg").string(), input});
    EXPECT_EQ(each.Status, 0);
    EXPECT_NE(testing::ReadWholeFile(folder / "each-1.svg").find("<title>23662</title>"), std::string::npos);
    EXPECT_NE(testing::ReadWholeFile(folder / "each-2.svg").find("<title>65558</title>"), std::string::npos);

    const testing::CliResult unwritable =
        Cli({"--date", "14/11/2025", "--chart", (folder / "no" / "such.svg").string(), input});
    EXPECT_EQ(unwritable.Status, 2);
    EXPECT_EQ(unwritable.Out, plain.Out);
    EXPECT_NE(unwritable.Err.find("trasel-cli: cannot write the chart '"), std::string::npos);
}

TEST_F(ObserverCli, BadValuesAndOptions)
{
    const std::string input = WriteInput("both.obs", Fixture("tracklets-23662-65558.obs"));
    const struct {
        const char* name;
        std::vector<std::string> arguments;
        int status;
        std::string err;
    } rows[] = {
        {"sigma not a number", {"--uncertainty", "--sigma", "abc"}, 2,
         "trasel-cli: 'abc' is not a valid floating point value\n"},
        {"sigma zero", {"--uncertainty", "--sigma=0"}, 2, "trasel-cli: '0' is not a valid sigma (arcseconds above 0)\n"},
        {"flag with a value", {"--rates=1"}, 64, "trasel-cli: option '--rates' takes no value\n" + kSynopsis},
        {"unknown format", {"--format", "xml"}, 64, "trasel-cli: unknown format 'xml' (text or json)\n" + kSynopsis},
        {"format without value", {"--format"}, 64, "trasel-cli: option '--format' needs a value\n" + kSynopsis},
        {"empty chart name", {"--chart="}, 64, "trasel-cli: option '--chart' needs a file name\n" + kSynopsis},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        std::vector<std::string> arguments = {"--date", "14/11/2025"};
        if (row.status != 64)
            arguments.push_back(input);
        arguments.insert(arguments.end(), row.arguments.begin(), row.arguments.end());
        const testing::CliResult result = Cli(arguments);
        EXPECT_EQ(result.Status, row.status);
        EXPECT_EQ(result.Out, "");
        EXPECT_EQ(result.Err, row.err);
    }
}

TEST_F(ObserverCli, HelpDescribesEveryOption)
{
    const testing::CliResult help = Cli({"--help"});
    EXPECT_EQ(help.Status, 0);
    for (const char* option : {"--skip-non-positions", "--each-object", "--rates", "--residuals", "--uncertainty",
                               "--sigma ARCSEC", "--format text|json", "--chart FILE.svg"})
        EXPECT_NE(help.Out.find(option), std::string::npos) << option;
}

}  // namespace
}  // namespace trasel
