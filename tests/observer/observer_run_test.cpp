#include "observer_test_support.h"

#include <cstdio>
#include <filesystem>

#include <nlohmann/json.hpp>

namespace trasel {
namespace {

using testing::Record;

// Standard output and standard error of one run, caught in temporary files.
struct RunResult {
    ObserverOutcome Outcome;
    std::string Out, Err;
};

std::string ReadBack(std::FILE* file)
{
    std::rewind(file);
    std::string text;
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, file)) > 0;)
        text.append(buffer, n);
    std::fclose(file);
    return text;
}

RunResult RunWith(const std::vector<std::string>& lines, const ObserverOptions& options,
              const RunSettings& settings = testing::MakeRunSettings("13/11/2025", "18:00:00", "01", StepUnit::Hours, "003"))
{
    testing::PinSettings();
    std::FILE* out = std::tmpfile();
    std::FILE* err = std::tmpfile();
    const std::vector<std::string_view> views = testing::Views(lines);
    const ObserverOutcome outcome = RunObserver(views, settings, options, out, err);
    return {outcome, ReadBack(out), ReadBack(err)};
}

// The plain listing of these lines, one "\n" after each line.
std::string PlainListing(const std::vector<std::string>& lines, const RunSettings& settings)
{
    testing::PinSettings();
    ListingCapture listing;
    testing::NoDialog dialog;
    CalculateEphemeris(testing::Views(lines), settings, listing, dialog);
    std::string text;
    for (const std::string& line : listing.Lines)
        text += line + "\n";
    return text;
}

const RunSettings kThreeHours = testing::MakeRunSettings("13/11/2025", "18:00:00", "01", StepUnit::Hours, "003");

ObserverOptions Options(void (*set)(ObserverOptions&))
{
    ObserverOptions options;
    set(options);
    return options;
}

TEST(ObserverRun, SkipsSecondLinesAndSaysSo)
{
    const std::vector<std::string> lines = testing::ReadFixture("eros-two-line-records.txt");
    const RunResult result = RunWith(lines, Options([](ObserverOptions& o) { o.SkipNonPositions = true; }));
    EXPECT_EQ(result.Outcome, ObserverOutcome::Listed);
    EXPECT_EQ(result.Err,
              "trasel-cli: line 4 skipped: second line of a satellite record (column 15 's')\n"
              "trasel-cli: line 7 skipped: second line of a roving-observer record (column 15 'v')\n"
              "trasel-cli: 3 observations used\n");
    const std::vector<std::string> positions = {lines[0], lines[2], lines[5]};
    EXPECT_EQ(result.Out, PlainListing(positions, kThreeHours));
}

TEST(ObserverRun, WithoutSkippingASecondLineStopsTheRunAsBefore)
{
    const std::vector<std::string> lines = testing::ReadFixture("eros-two-line-records.txt");
    const RunResult result = RunWith(lines, Options([](ObserverOptions& o) { o.Extras.Rates = true; }));
    EXPECT_EQ(result.Outcome, ObserverOutcome::Failed);
    EXPECT_EQ(result.Out, "");
    EXPECT_EQ(result.Err.rfind("trasel-cli: '", 0), 0u) << result.Err;
    EXPECT_NE(result.Err.find("is not a valid"), std::string::npos) << result.Err;
}

TEST(ObserverRun, InterleavedObjectsGiveTheListingsOfEachAlone)
{
    const std::vector<std::string> file = testing::ReadFixture("tracklets-23662-65558.obs");
    const std::vector<std::string> first(file.begin(), file.begin() + 6), second(file.begin() + 6, file.end());
    std::vector<std::string> interleaved;
    for (std::size_t i = 0; i < 6; ++i) {
        interleaved.push_back(second[i]);
        interleaved.push_back(first[i]);
    }
    const RunResult result = RunWith(interleaved, Options([](ObserverOptions& o) { o.EachObject = true; }));
    EXPECT_EQ(result.Outcome, ObserverOutcome::Listed);
    EXPECT_EQ(result.Err, "");
    EXPECT_EQ(result.Out, PlainListing(second, kThreeHours) + "\n" + PlainListing(first, kThreeHours));
}

TEST(ObserverRun, ObjectWithOneObservationIsNamedAndTheOthersListed)
{
    const std::vector<std::string> lines = testing::ReadFixture("j4767-wise-excerpt.txt");
    const RunResult result = RunWith(lines, Options([](ObserverOptions& o) {
        o.SkipNonPositions = true;
        o.EachObject = true;
    }));
    EXPECT_EQ(result.Outcome, ObserverOutcome::TooFewObservations);
    EXPECT_NE(result.Err.find("trasel-cli: 13 observations used\n"
                              "trasel-cli: j4767: Se necesitan al menos dos observaciones\n"),
              std::string::npos)
        << result.Err;
    std::vector<std::string> alone;
    for (const std::string& line : lines)
        if (line.substr(0, 12) == "j4767K10F61M" && line[14] != 's')
            alone.push_back(line);
    ASSERT_EQ(alone.size(), 12u);
    EXPECT_EQ(result.Out, PlainListing(alone, kThreeHours));
}

TEST(ObserverRun, TooFewObservationsInOneRun)
{
    const std::vector<std::string> lines = {"heading", Record("2011 AB", "2011 01 09.00000", "00 00 00.00", "+00 00 00.0")};
    const RunResult result = RunWith(lines, Options([](ObserverOptions& o) { o.Extras.Residuals = true; }));
    EXPECT_EQ(result.Outcome, ObserverOutcome::TooFewObservations);
    EXPECT_EQ(result.Out, "");
    EXPECT_EQ(result.Err, "Se necesitan al menos dos observaciones\n");
}

TEST(ObserverRun, LaterFailureLeavesWhatTheResultBoxHeld)
{
    // A bad count: the speed line and the empty line, then the error.
    const std::vector<std::string> file = testing::ReadFixture("tracklets-23662-65558.obs");
    const std::vector<std::string> lines(file.begin(), file.begin() + 6);
    const RunResult result = RunWith(lines, Options([](ObserverOptions& o) { o.Extras.Rates = true; }),
                                 testing::MakeRunSettings("13/11/2025", "18:00:00", "01", StepUnit::Hours, "4x"));
    EXPECT_EQ(result.Outcome, ObserverOutcome::Failed);
    EXPECT_EQ(result.Out, "Velocidad aparente: 0.67 \"/min\n\n");
    EXPECT_EQ(result.Err, "trasel-cli: '4x' is not a valid integer value\n");
}

TEST(ObserverRun, ErrorOfAnObjectNamesItAndEndsTheRun)
{
    // The second object has both records at one time: the fit's error.
    const std::vector<std::string> file = testing::ReadFixture("tracklets-23662-65558.obs");
    std::vector<std::string> lines(file.begin(), file.begin() + 6);
    lines.push_back(Record("2011 AB", "2011 01 09.50000", "05 34 31.94", "+22 00 52.2"));
    lines.push_back(Record("2011 AB", "2011 01 09.50000", "05 34 41.94", "+22 00 52.2"));
    lines.push_back(Record("2011 CD", "2011 01 09.50000", "05 34 31.94", "+22 00 52.2"));
    lines.push_back(Record("2011 CD", "2011 01 10.50000", "05 34 41.94", "+22 00 52.2"));
    const RunResult result = RunWith(lines, Options([](ObserverOptions& o) { o.EachObject = true; }));
    EXPECT_EQ(result.Outcome, ObserverOutcome::Failed);
    const std::vector<std::string> first(file.begin(), file.begin() + 6);
    EXPECT_EQ(result.Out, PlainListing(first, kThreeHours));
    EXPECT_EQ(result.Err, "trasel-cli: 2011 AB: Invalid floating point operation\n");
}

TEST(ObserverRun, JsonDocumentAndNothingOnFailure)
{
    const std::vector<std::string> file = testing::ReadFixture("tracklets-23662-65558.obs");
    const RunResult result = RunWith(file, Options([](ObserverOptions& o) {
        o.Json = true;
        o.EachObject = true;
        o.Extras.Rates = true;
    }));
    EXPECT_EQ(result.Outcome, ObserverOutcome::Listed);
    const nlohmann::json document = nlohmann::json::parse(result.Out);
    ASSERT_EQ(document["objects"].size(), 2u);
    EXPECT_EQ(document["objects"][0]["designation"], "23662");
    EXPECT_EQ(document["objects"][1]["designation"], "65558");
    EXPECT_EQ(document["objects"][0]["rows"].size(), 4u);
    EXPECT_EQ(document["objects"][0]["rows"][0]["timeText"], "13/11/2025 18:00:00");

    const RunResult failed = RunWith(file, Options([](ObserverOptions& o) { o.Json = true; }),
                                 testing::MakeRunSettings("13/11/2025", "18:00:00", "01", StepUnit::Hours, "4x"));
    EXPECT_EQ(failed.Outcome, ObserverOutcome::Failed);
    EXPECT_EQ(failed.Out, "");
    EXPECT_EQ(failed.Err, "trasel-cli: '4x' is not a valid integer value\n");
}

TEST(ObserverRun, ChartsWrittenAndNumberedPerObject)
{
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / "trasel-observer-run-test";
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    const std::vector<std::string> file = testing::ReadFixture("tracklets-23662-65558.obs");

    ObserverOptions options;
    options.ChartPath = (folder / "one.svg").string();
    EXPECT_EQ(RunWith(file, options).Outcome, ObserverOutcome::Listed);
    EXPECT_TRUE(std::filesystem::exists(folder / "one.svg"));

    options.ChartPath = (folder / "each.svg").string();
    options.EachObject = true;
    EXPECT_EQ(RunWith(file, options).Outcome, ObserverOutcome::Listed);
    EXPECT_TRUE(std::filesystem::exists(folder / "each-1.svg"));
    EXPECT_TRUE(std::filesystem::exists(folder / "each-2.svg"));
    EXPECT_FALSE(std::filesystem::exists(folder / "each.svg"));

    options.ChartPath = (folder / "missing" / "chart.svg").string();
    const RunResult failed = RunWith(file, options);
    EXPECT_EQ(failed.Outcome, ObserverOutcome::Failed);
    EXPECT_NE(failed.Err.find("trasel-cli: cannot write the chart '"), std::string::npos) << failed.Err;
    std::filesystem::remove_all(folder);
}

TEST(ObserverRun, BadSigmaEndsTheRunBeforeAnything)
{
    const std::vector<std::string> file = testing::ReadFixture("tracklets-23662-65558.obs");
    ObserverOptions options;
    options.Extras.Uncertainty = true;
    options.Sigma = "-1";
    const RunResult result = RunWith(file, options);
    EXPECT_EQ(result.Outcome, ObserverOutcome::Failed);
    EXPECT_EQ(result.Out, "");
    EXPECT_EQ(result.Err, "trasel-cli: '-1' is not a valid sigma (arcseconds above 0)\n");
}

TEST(ObserverRun, AnyOption)
{
    EXPECT_FALSE(ObserverOptions{}.Any());
    EXPECT_TRUE(Options([](ObserverOptions& o) { o.Extras.Uncertainty = true; }).Any());
    EXPECT_TRUE(Options([](ObserverOptions& o) { o.ChartPath = "c.svg"; }).Any());
}

}  // namespace
}  // namespace trasel
