// Runs the built trasel-cli as a separate process and keeps its exit status,
// standard output and standard error.
#pragma once

#include <gtest/gtest.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern char** environ;

namespace trasel::testing {

struct CliResult {
    int Status = -1;
    std::string Out;
    std::string Err;
};

inline std::string ReadWholeFile(const std::filesystem::path& path)
{
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// A scratch folder of one test, removed with it.
class CliTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string pattern = ::testing::TempDir() + "trasel-observer-cli-XXXXXX";
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        folder = pattern;
    }
    void TearDown() override { std::filesystem::remove_all(folder); }

    std::string WriteInput(const std::string& name, const std::vector<std::string>& lines)
    {
        std::ofstream file(folder / name, std::ios::binary);
        for (const std::string& line : lines)
            file << line << "\n";
        return (folder / name).string();
    }

    // trasel-cli with these arguments, in the "C" locale, standard input empty.
    CliResult Cli(std::vector<std::string> arguments)
    {
        arguments.insert(arguments.begin(), TRASEL_CLI_PATH);
        std::vector<char*> argv;
        for (std::string& argument : arguments)
            argv.push_back(argument.data());
        argv.push_back(nullptr);
        std::vector<std::string> variables = {"LC_ALL=C"};
        for (char** entry = environ; *entry != nullptr; ++entry)
            if (std::string(*entry).rfind("LC_", 0) != 0 && std::string(*entry).rfind("LANG", 0) != 0)
                variables.emplace_back(*entry);
        std::vector<char*> envp;
        for (std::string& variable : variables)
            envp.push_back(variable.data());
        envp.push_back(nullptr);

        const std::string outPath = (folder / "stdout").string(), errPath = (folder / "stderr").string();
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
        posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        pid_t pid = 0;
        const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), envp.data());
        posix_spawn_file_actions_destroy(&actions);
        CliResult result;
        EXPECT_EQ(spawned, 0) << "cannot start " << argv[0];
        if (spawned != 0)
            return result;
        int status = 0;
        waitpid(pid, &status, 0);
        result.Status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        result.Out = ReadWholeFile(outPath);
        result.Err = ReadWholeFile(errPath);
        return result;
    }

    std::filesystem::path folder;
};

}  // namespace trasel::testing
