#include <gtest/gtest.h>

#include "textconv/textconv.h"

namespace trasel {
namespace {

TEST(Trim, RemovesBlanksAndControlCharactersAtBothEnds)
{
    EXPECT_EQ(Trim("  K11A01A    "), "K11A01A");
    EXPECT_EQ(Trim("\t\x01 a b \r\n"), "a b");
    EXPECT_EQ(Trim("            "), "");
    EXPECT_EQ(Trim(""), "");
    EXPECT_EQ(Trim("\xB0x\xB0"), "\xB0x\xB0");  // codes above 127 are kept
}

TEST(Substring, NeverFails)
{
    struct Row {
        const char* name;
        std::int64_t position, count;
        const char* expected;
    };
    const Row rows[] = {
        {"from the start", 1, 3, "abc"},
        {"middle", 2, 2, "bc"},
        {"position 0 counts as 1", 0, 2, "ab"},
        {"negative position counts as 1", -5, 1, "a"},
        {"runs past the end", 4, 100, "de"},
        {"position past the end", 6, 1, ""},
        {"negative count", 2, -1, ""},
        {"zero count", 2, 0, ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(Substring("abcde", row.position, row.count), row.expected);
    }
}

}  // namespace
}  // namespace trasel
