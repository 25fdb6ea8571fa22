#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "tests/support/pinned_settings.h"
#include "textconv/textconv.h"

namespace trasel {
namespace {

// Expected values were rounded by hand from exact rationals: 64-bit
// significand, ties to even, smallest subnormal 2^-16445.
class TextToDecimalTest : public testing_support::PinnedSettingsTest {};

std::string RefusalOf(std::string_view text)
{
    return testing_support::RefusalOf(TextToDecimal, text);
}

struct AcceptedRow {
    const char* name;
    std::string text;
    long double expected;
};

void ExpectBitsEqual(long double actual, long double expected)
{
    EXPECT_EQ(actual, expected) << std::hexfloat << actual << " != " << expected;
    EXPECT_EQ(std::signbit(actual), std::signbit(expected));
}

TEST_F(TextToDecimalTest, ReadsTheGrammar)
{
    const AcceptedRow rows[] = {
        {"integer", "17", 17.0L},
        {"fraction", "2.5", 2.5L},
        {"spaces around", "   -2.5   ", -2.5L},
        {"plus sign", "+0.25", 0.25L},
        {"separator alone", ".", 0.0L},
        {"minus and separator", "-.", -0.0L},
        {"minus zero keeps its sign", "-0", -0.0L},
        {"digits then separator", "5.", 5.0L},
        {"separator then digits", ".5", 0.5L},
        {"exponent", "1.5e3", 1500.0L},
        {"capital exponent with sign", "25E-2", 0.25L},
        {"exponent with plus", ".5e+1", 5.0L},
        {"exponent letter alone", "1e", 1.0L},
        {"exponent letter and sign alone", "1e+", 1.0L},
        {"exponent letter and minus alone", "7E-", 7.0L},
        {"separator and exponent only", ".e5", 0.0L},
        {"leading zeros", "000123.5000", 123.5L},
    };
    for (const AcceptedRow& row : rows) {
        SCOPED_TRACE(row.name);
        ExpectBitsEqual(TextToDecimal(row.text), row.expected);
    }
}

TEST_F(TextToDecimalTest, RoundsCorrectlyToExtended)
{
    const AcceptedRow rows[] = {
        {"one tenth", "0.1", 0xc.ccccccccccccccdp-7L},
        {"12345.6", "12345.6", 0x1.81ccccccccccccccp+13L},
        {"tie 1 + 2^-64 goes to even", "1.0000000000000000000542101086242752217003726400434970855712890625", 1.0L},
        {"just above the tie rounds up",
         "1.00000000000000000005421010862427522170037264004349708557128906250000000000000000000001",
         0x1.0000000000000002p+0L},
        {"just below the tie rounds down", "1.0000000000000000000542101086242752217003726400434970855712890624999", 1.0L},
        {"tie 1 + 3*2^-64 goes to even", "1.0000000000000000001626303258728256651011179201304912567138671875",
         0x1.0000000000000004p+0L},
        {"a thousand zeros then the point moves back", "1" + std::string(1000, '0') + "e-1000", 1.0L},
        {"fraction zeros then a large exponent", "0." + std::string(5000, '0') + "1e5000", 0xc.ccccccccccccccdp-7L},
        {"1e4932", "1e4932", 0x1.ae596552b8fded9ap+16383L},
        {"just below the overflow threshold", "1.189731495357231765053511e4932", 0x1.fffffffffffffffep+16383L},
        {"smallest subnormal", "3.6451995318824746025e-4951", 0x1p-16445L},
        {"two smallest subnormals", "5.5e-4951", 0x1p-16444L},
        {"half the smallest subnormal goes to zero", "1.8225997659412373012e-4951", 0.0L},
        {"just above half the smallest subnormal", "1.8225997659412373013e-4951", 0x1p-16445L},
        {"huge negative exponent is zero", "1e-99999999999999999999", 0.0L},
        {"huge negative exponent keeps the sign", "-1e-99999999999999999999", -0.0L},
        {"huge exponent of zero", "0e99999999999999999999", 0.0L},
    };
    for (const AcceptedRow& row : rows) {
        SCOPED_TRACE(row.name);
        ExpectBitsEqual(TextToDecimal(row.text), row.expected);
    }
}

TEST_F(TextToDecimalTest, RefusesWithTheTextAsPassed)
{
    const std::string rows[] = {
        "",
        "   ",
        "-",
        "+",
        "e5",
        "-e5",
        "--1",
        "- 1",
        "1,5",
        "1 000",
        "1.5.",
        "1e5.",
        "1e5e5",
        "1 e5",
        "1e--5",
        "\t1",
        "1\t",
        "0x10",
        "$10",
        "inf",
        "nan",
        "1.5 x",
        "\xB0" "1",
        "1e99999999999999999999",
        "-1e99999999999999999999",
        "1e4933",
        "1.189731495357231765053512e4932",
    };
    for (const std::string& text : rows) {
        SCOPED_TRACE(text);
        EXPECT_EQ(RefusalOf(text), "'" + text + "' is not a valid floating point value");
    }
    EXPECT_EQ(RefusalOf(" 1,5 "), "' 1,5 ' is not a valid floating point value");
}

TEST_F(TextToDecimalTest, ReadsOnlyTheSeparatorInForce)
{
    Settings().DecimalSeparator = ',';
    ExpectBitsEqual(TextToDecimal("1,5"), 1.5L);
    ExpectBitsEqual(TextToDecimal("  -0,25e1  "), -2.5L);
    ExpectBitsEqual(TextToDecimal(",1"), 0xc.ccccccccccccccdp-7L);
    EXPECT_EQ(RefusalOf("1.5"), "'1.5' is not a valid floating point value");
}

}  // namespace
}  // namespace trasel
