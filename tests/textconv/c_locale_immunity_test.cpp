#include <gtest/gtest.h>

#include <clocale>
#include <string>

#include "anglemath/umath.h"
#include "tests/support/pinned_settings.h"
#include "textconv/textconv.h"

namespace trasel {
namespace {

// The C library's global locale set to one with a "," decimal mark (as
// QApplication sets it from the environment), and put back afterwards.
// scripts/install-deps.sh generates de_DE.UTF-8.
class CommaLocaleTest : public testing_support::PinnedSettingsTest {
protected:
    void SetUp() override
    {
        testing_support::PinnedSettingsTest::SetUp();
        for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "nl_NL.UTF-8"}) {
            if (std::setlocale(LC_ALL, name) != nullptr)
                return;
        }
        GTEST_SKIP() << "no locale with a comma decimal mark is installed (scripts/install-deps.sh makes de_DE.UTF-8)";
    }
    void TearDown() override
    {
        std::setlocale(LC_ALL, "C");
        testing_support::PinnedSettingsTest::TearDown();
    }
};

TEST_F(CommaLocaleTest, TheLocaleReallyWritesACommaInTheCLibrary)
{
    char text[16];
    std::snprintf(text, sizeof text, "%.1f", 0.5);
    EXPECT_STREQ(text, "0,5");
}

// Expected bits rounded by hand from the exact rationals (64-bit significand,
// ties to even); the long one goes the general way, through the C library.
TEST_F(CommaLocaleTest, DecimalConversionKeepsTheProgramSeparator)
{
    const struct {
        const char* name;
        const char* text;
        long double expected;
    } rows[] = {
        {"day fraction", "0.50000", 0.5L},
        {"seconds", "31.72", 0xfdc28f5c28f5c28fp-59L},
        {"exponent", "12.345e0", 0xc5851eb851eb851fp-60L},
        {"26 digits, the general way", "0.1000000000000000000000001", 0xcccccccccccccccdp-67L},
        {"beyond 10^27, the general way", "1e30", 1e30L},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(TextToDecimal(row.text), row.expected);
    }
    EXPECT_THROW(TextToDecimal("0,5"), EConvertError);
}

TEST_F(CommaLocaleTest, FormattingKeepsTheProgramSeparator)
{
    const struct {
        const char* name;
        const char* pattern;
        long double value;
        const char* expected;
    } rows[] = {
        {"halves away from zero", "0.00", 0.125L, "0.13"},
        {"seconds of right ascension", "00.0", 31.25L, "31.3"},
        {"speed", "0.00", 2.5L, "2.50"},
        {"whole seconds", "00", 7.5L, "08"},
        {"long integer part", "00 ", 123.0L, "123 "},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(FormatNumber(row.pattern, row.value), row.expected);
    }
    // 09/01/2011 12:00 is day 40552.5.
    EXPECT_EQ(FormatDateTime("dd/mm/yyyy hh:mm:ss", 40552.5), "09/01/2011 12:00:00");
    // 83.63308333 degrees, the angle unit's own example.
    EXPECT_EQ(RAToText(1, static_cast<double>(83.63308333 * kDegToRad)), "05 34 31.9");
}

TEST_F(CommaLocaleTest, DatesAndTimesAreRead)
{
    EXPECT_EQ(TextToDate("09/01/2011"), 40552.0);
    EXPECT_EQ(TextToTime("12:00:00"), 0.5);
    EXPECT_EQ(TextToInteger("048"), 48);
}

}  // namespace
}  // namespace trasel
