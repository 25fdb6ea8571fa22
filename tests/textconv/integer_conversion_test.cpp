#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "tests/support/pinned_settings.h"
#include "textconv/textconv.h"

namespace trasel {
namespace {

// The message TextToInteger refuses a text with, or "accepted".
std::string RefusalOf(std::string_view text)
{
    return testing_support::RefusalOf(TextToInteger, text);
}

TEST(TextToInteger, AcceptsDecimalAndHexadecimal)
{
    struct Row {
        const char* name;
        const char* text;
        std::int32_t expected;
    };
    const Row rows[] = {
        {"plain", "17", 17},
        {"leading zeros are decimal", "048", 48},
        {"many leading zeros", "0000000000000000000000007", 7},
        {"zero", "0", 0},
        {"plus", "+25", 25},
        {"minus", "-25", -25},
        {"minus zero", "-0", 0},
        {"leading spaces", "   12", 12},
        {"largest", "2147483647", 2147483647},
        {"smallest", "-2147483648", -2147483647 - 1},
        {"dollar hex", "$1A", 26},
        {"x hex", "x1a", 26},
        {"X hex", "X1A", 26},
        {"0x hex", "0xfF", 255},
        {"0X hex", "0X10", 16},
        {"hex after spaces", "  $10", 16},
        {"eight hex digits", "$7FFFFFFF", 2147483647},
        {"hex pattern of -1", "$FFFFFFFF", -1},
        {"hex pattern of the smallest", "$80000000", -2147483647 - 1},
        {"leading hex zeros are free", "$000000001", 1},
        {"many leading hex zeros", "0x0000000000FFFFFFFE", -2},
        {"hex zero", "$0", 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(TextToInteger(row.text), row.expected);
    }
}

TEST(TextToInteger, RefusesWithTheTextAsPassed)
{
    struct Row {
        const char* name;
        std::string text;
    };
    const Row rows[] = {
        {"empty", ""},
        {"only spaces", "   "},
        {"trailing space", "12 "},
        {"tab before", "\t12"},
        {"sign alone", "-"},
        {"space after sign", "- 1"},
        {"two signs", "+-1"},
        {"one past the largest", "2147483648"},
        {"one below the smallest", "-2147483649"},
        {"long digit run", "99999999999999999999999999999999"},
        {"decimal point", "1.0"},
        {"exponent", "1e3"},
        {"letter after digits", "12a"},
        {"prefix without digits", "$"},
        {"0x without digits", "0x"},
        {"nine significant hex digits", "$100000000"},
        {"signed hex", "-$1"},
        {"sign after prefix", "$-1"},
        {"plus before prefix", "+0x1"},
        {"not a hex digit", "$1G"},
        {"space inside hex", "$1 2"},
        {"double zero before x", "00x1"},
        {"byte above 127", "1\xB0"},
        {"control character", "\x01" "1"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(RefusalOf(row.text), "'" + row.text + "' is not a valid integer value");
    }
}

TEST(TextToInteger, MessageKeepsTheBlanks)
{
    EXPECT_EQ(RefusalOf("  12 "), "'  12 ' is not a valid integer value");
    EXPECT_THROW(TextToInteger("x"), EConvertError);
}

}  // namespace
}  // namespace trasel
