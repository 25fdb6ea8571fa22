// trasel-cli run as a separate process: exit status, standard output and
// standard error, byte for byte.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <ctime>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "tests/ephemeris/k21v32w_fixture.h"

extern char** environ;

namespace {

// Expected listings: tests/ephemeris/reference_listing.py.

struct Outcome {
    int status = -1;
    std::string out;
    std::string err;
};

std::string ReadFile(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

class TraselCli : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string pattern = ::testing::TempDir() + "trasel-cli-XXXXXX";
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        dir_ = pattern;
    }
    void TearDown() override
    {
        for (const char* name : {"/in", "/out", "/err"})
            std::remove((dir_ + name).c_str());
        rmdir(dir_.c_str());
    }

    // Writes the bytes of the input file, and returns its path.
    std::string Input(const std::string& bytes)
    {
        const std::string path = dir_ + "/in";
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }

    // Runs trasel-cli with the arguments, standard input from stdinPath, in
    // the "C" locale (time separator ":").
    Outcome Run(const std::vector<std::string>& arguments, const std::string& stdinPath = "/dev/null")
    {
        std::vector<std::string> words = {TRASEL_CLI_PATH};
        words.insert(words.end(), arguments.begin(), arguments.end());
        std::vector<char*> argv;
        for (std::string& word : words)
            argv.push_back(word.data());
        argv.push_back(nullptr);

        std::vector<std::string> variables = {"LC_ALL=C"};
        for (char** entry = environ; *entry != nullptr; ++entry) {
            const std::string variable = *entry;
            if (variable.rfind("LC_", 0) != 0 && variable.rfind("LANG", 0) != 0)
                variables.push_back(variable);
        }
        std::vector<char*> envp;
        for (std::string& variable : variables)
            envp.push_back(variable.data());
        envp.push_back(nullptr);

        const std::string outPath = dir_ + "/out";
        const std::string errPath = dir_ + "/err";
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 0, stdinPath.c_str(), O_RDONLY, 0);
        posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        pid_t child = 0;
        const int spawned = posix_spawn(&child, argv[0], &actions, nullptr, argv.data(), envp.data());
        posix_spawn_file_actions_destroy(&actions);
        Outcome outcome;
        if (spawned != 0) {
            ADD_FAILURE() << "cannot start " << argv[0];
            return outcome;
        }
        int waitStatus = 0;
        waitpid(child, &waitStatus, 0);
        outcome.status = WIFEXITED(waitStatus) ? WEXITSTATUS(waitStatus) : -1;
        outcome.out = ReadFile(outPath);
        outcome.err = ReadFile(errPath);
        return outcome;
    }

    std::string dir_;
};

std::string Joined(const std::vector<std::string>& lines, const std::string& end)
{
    std::string text;
    for (const std::string& line : lines)
        text += line + end;
    return text;
}

std::vector<std::string> FixtureLines()
{
    return {trasel::testdata::kK21V32W.begin(), trasel::testdata::kK21V32W.end()};
}

std::string InitialListing()
{
    return Joined({trasel::testdata::kK21V32WInitialListing.begin(), trasel::testdata::kK21V32WInitialListing.end()},
                  "\n");
}

const std::string kClosing = "\nTrasel (09/01/2011-b)\nhttps://trasel.example.org/\n";
const std::string kSynopsis =
    "Usage: trasel-cli [--date DD/MM/YYYY] [--time HH:MM:SS] [--step NN]\n"
    "                  [--unit days|hours|minutes] [--count NNN] [FILE]\n"
    "Try 'trasel-cli --help' for more information.\n";

TEST_F(TraselCli, ListsAFileTheWayTheWindowDoes)
{
    std::vector<std::string> longLines = FixtureLines();
    for (std::string& line : longLines)
        line += "   past column 80";
    struct Row {
        const char* name;
        std::string input;
        std::vector<std::string> arguments;  // "IN" stands for the input file
        bool viaStdin;
    };
    const Row rows[] = {
        {"CRLF line ends, file named", Joined(FixtureLines(), "\r\n"), {"--date", "14/11/2025", "IN"}, false},
        {"LF, no final line break, standard input", Joined(FixtureLines(), "\n").substr(0, 5 * 81 - 1),
         {"--date=14/11/2025"}, true},
        {"\"-\" is standard input", Joined(FixtureLines(), "\n"), {"--date", "14/11/2025", "-"}, true},
        {"the window's defaults spelled out", Joined(FixtureLines(), "\n"),
         {"IN", "--date", "14/11/2025", "--time", "00:00:00", "--step", "01", "--unit", "hours", "--count", "048"}, false},
        {"lines longer than 80 are read from their first 80 columns", Joined(longLines, "\n"),
         {"--date", "14/11/2025", "IN"}, false},
        {"blank and short lines between records are skipped", Joined(FixtureLines(), "\n\n") + "short\n",
         {"--date", "14/11/2025", "IN"}, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const std::string path = Input(row.input);
        std::vector<std::string> arguments = row.arguments;
        for (std::string& argument : arguments)
            if (argument == "IN")
                argument = path;
        const Outcome outcome = Run(arguments, row.viaStdin ? path : "/dev/null");
        EXPECT_EQ(outcome.status, 0);
        EXPECT_EQ(outcome.out, InitialListing());
        EXPECT_EQ(outcome.err, "");
    }
}

TEST_F(TraselCli, PassesEachSettingToTheRun)
{
    struct Row {
        const char* name;
        std::string input;
        std::vector<std::string> arguments;
        std::string out;
    };
    const std::string speed = "Velocidad aparente: 0.63 \"/min\n\n";
    const Row rows[] = {
        {"time, step, unit and count",
         Joined(FixtureLines(), "\n"),
         {"--date", "14/11/2025", "--time", "06:30:00", "--step", "05", "--unit", "minutes", "--count", "003"},
         speed +
             "K21V32W  14/11/2025 06:30:00  02 56 18.9  +22 26 37\n"
             "K21V32W  14/11/2025 06:35:00  02 56 18.7  +22 26 36\n"
             "K21V32W  14/11/2025 06:40:00  02 56 18.5  +22 26 36\n"
             "K21V32W  14/11/2025 06:45:00  02 56 18.3  +22 26 36\n" + kClosing},
        {"days",
         Joined(FixtureLines(), "\n"),
         {"--date", "14/11/2025", "--time", "06:30:00", "--unit", "days", "--count", "002"},
         speed +
             "K21V32W  14/11/2025 06:30:00  02 56 18.9  +22 26 37\n"
             "K21V32W  15/11/2025 06:30:00  02 55 14.2  +22 25 15\n"
             "K21V32W  16/11/2025 06:30:00  02 54 09.4  +22 23 53\n" + kClosing},
        {"a heading line names the rows",
         "Heading\n" + Joined(FixtureLines(), "\n"),
         {"--date", "14/11/2025", "--unit", "days", "--count", "000"},
         speed + "Heading  14/11/2025 00:00:00  02 56 36.5  +22 26 59\n" + kClosing},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const Outcome outcome = Run(row.arguments, Input(row.input));
        EXPECT_EQ(outcome.status, 0);
        EXPECT_EQ(outcome.out, row.out);
        EXPECT_EQ(outcome.err, "");
    }
}

TEST_F(TraselCli, FailuresGoToStandardErrorWithTheirStatus)
{
    const std::string fixture = Joined(FixtureLines(), "\n");
    const std::string missing = dir_ + "/no such file.obs";
    struct Row {
        const char* name;
        std::string input;
        std::vector<std::string> arguments;
        int status;
        std::string out;
        std::string err;
    };
    const Row rows[] = {
        {"one observation line", "Heading\n" + FixtureLines()[0] + "\n\n", {}, 1, "",
         "Se necesitan al menos dos observaciones\n"},
        {"empty input", "", {}, 1, "", "Se necesitan al menos dos observaciones\n"},
        {"bad count: after the speed line and the empty line", fixture, {"--date", "14/11/2025", "--count", "abc"}, 2,
         "Velocidad aparente: 0.63 \"/min\n\n", "trasel-cli: 'abc' is not a valid integer value\n"},
        {"bad start date: nothing listed", fixture, {"--date", "31/02/2025"}, 2, "",
         "trasel-cli: '31/02/2025' is not a valid date\n"},
        {"a record that does not convert", FixtureLines()[0] + "\n" + FixtureLines()[1].substr(0, 32) + "1 " +
                                                FixtureLines()[1].substr(34) + "\n",
         {"--date", "14/11/2025"}, 2, "", "trasel-cli: '1 ' is not a valid integer value\n"},
        {"a file that cannot be opened", "", {missing}, 2, "",
         "trasel-cli: cannot open '" + missing + "': No such file or directory\n"},
        {"unknown option", fixture, {"--colour"}, 64, "", "trasel-cli: unknown option '--colour'\n" + kSynopsis},
        {"missing value", fixture, {"--count"}, 64, "", "trasel-cli: option '--count' needs a value\n" + kSynopsis},
        {"unknown unit", fixture, {"--unit", "weeks"}, 64, "",
         "trasel-cli: unknown unit 'weeks' (days, hours or minutes)\n" + kSynopsis},
        {"two files", fixture, {"a.obs", "b.obs"}, 64, "", "trasel-cli: more than one input file: 'b.obs'\n" + kSynopsis},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const Outcome outcome = Run(row.arguments, Input(row.input));
        EXPECT_EQ(outcome.status, row.status);
        EXPECT_EQ(outcome.out, row.out);
        EXPECT_EQ(outcome.err, row.err);
    }
}

TEST_F(TraselCli, HelpExplainsEveryOption)
{
    const Outcome outcome = Run({"--help"});
    EXPECT_EQ(outcome.status, 0);
    EXPECT_EQ(outcome.err, "");
    EXPECT_EQ(outcome.out.rfind("Usage: trasel-cli [options] [FILE]\n", 0), 0u);
    for (const char* option : {"--date DD/MM/YYYY", "--time HH:MM:SS", "--step NN", "--unit days|hours|minutes",
                               "--count NNN", "--help", "standard input", "Exit status"}) {
        SCOPED_TRACE(option);
        EXPECT_NE(outcome.out.find(option), std::string::npos);
    }
}

// Without --date the start is today at 00:00:00, as the window opens.
TEST_F(TraselCli, DefaultStartIsTodayAtMidnight)
{
    auto today = [] {
        const std::time_t now = std::time(nullptr);
        char text[16];
        std::strftime(text, sizeof text, "%d/%m/%Y", std::localtime(&now));
        return std::string(text);
    };
    const std::string before = today();
    const Outcome outcome = Run({"--count", "000", "--step", "00"}, Input(Joined(FixtureLines(), "\n")));
    const std::string after = today();
    EXPECT_EQ(outcome.status, 0);
    const std::string rowStart = "\n\nK21V32W  ";
    const std::size_t row = outcome.out.find(rowStart);
    ASSERT_NE(row, std::string::npos) << outcome.out;
    const std::string when = outcome.out.substr(row + rowStart.size(), 19);
    EXPECT_TRUE(when == before + " 00:00:00" || when == after + " 00:00:00") << when;
}

}  // namespace
