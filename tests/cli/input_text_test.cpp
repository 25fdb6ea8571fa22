#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "cli/input_lines.h"

namespace trasel::cli {
namespace {

std::string WriteTemporaryFile(const std::string& bytes)
{
    char path[] = "/tmp/trasel-input-XXXXXX";
    const int descriptor = mkstemp(path);
    EXPECT_GE(descriptor, 0);
    std::FILE* file = fdopen(descriptor, "wb");
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
    return path;
}

// A regular file is read whole into one buffer, whatever its size: the
// last byte of a file of 200,001 bytes is there (no mapping, no page limit).
TEST(InputTextTest, ReadsRegularFilesWhole)
{
    const struct {
        const char* name;
        std::string bytes;
    } rows[] = {
        {"empty", ""},
        {"one line without a line break", "abc"},
        {"CRLF lines", "a\r\nb\r\n"},
        {"larger than any read chunk", std::string(200000, 'x') + "y"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const std::string path = WriteTemporaryFile(row.bytes);
        const InputText input(path);
        EXPECT_EQ(input.Text(), row.bytes);
        std::remove(path.c_str());
    }
}

// A file whose size the system reports as 0 although it has bytes (the
// kernel's /proc files) is read to its end, not taken as empty.
TEST(InputTextTest, ReadsToTheEndWhateverTheSizeSays)
{
    const InputText input("/proc/self/status");
    EXPECT_NE(input.Text().find("Name:"), std::string_view::npos);
    EXPECT_EQ(input.Text().back(), '\n');
}

TEST(InputTextTest, NamesAFileThatCannotBeOpened)
{
    try {
        const InputText input("/nonexistent/records.obs");
        FAIL() << "no error";
    } catch (const InputError& error) {
        EXPECT_STREQ(error.what(), "cannot open '/nonexistent/records.obs': No such file or directory");
    }
}

}  // namespace
}  // namespace trasel::cli
