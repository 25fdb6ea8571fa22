#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "tests/support/pinned_settings.h"
#include "textconv/textconv.h"

namespace trasel {
namespace {

// Every expected text below was worked out by hand or with exact rational
// arithmetic (18 significant digits of the exact binary value, then the
// pattern's last place, halves up).

class NumberFormatTest : public testing_support::PinnedSettingsTest {};

struct FormatRow {
    const char* name;
    const char* pattern;
    long double value;
    const char* expected;
};

void ExpectRows(const FormatRow* begin, const FormatRow* end)
{
    for (const FormatRow* row = begin; row != end; ++row) {
        SCOPED_TRACE(row->name);
        EXPECT_EQ(FormatNumber(row->pattern, row->value), row->expected);
    }
}

template <std::size_t N>
void ExpectRows(const FormatRow (&rows)[N])
{
    ExpectRows(rows, rows + N);
}

TEST_F(NumberFormatTest, ExamplesOfTheComments)
{
    const FormatRow rows[] = {
        {"0.125 rounds up", "0.00", 0.125L, "0.13"},
        {"a longer integer part is written in full", "00 ", 123, "123 "},
    };
    ExpectRows(rows);
}

// Ties are exact binary values here, so rounding half to even would differ.
TEST_F(NumberFormatTest, HalvesGoAwayFromZeroAtTheLastPlace)
{
    const FormatRow rows[] = {
        {"00 ", "00 ", 2.5L, "03 "},
        {"00h ", "00h ", 7.5L, "08h "},
        {"00m ", "00m ", 0.5L, "01m "},
        {"00.0", "00.0", 0.25L, "00.3"},
        {"00s", "00s", 4.5L, "05s"},
        {"00.00s", "00.00s", 1.125L, "01.13s"},
        {"00", "00", 58.5L, "59"},
        {"degree sign", "00\xB0 ", 22.5L, "23\xB0 "},
        {"00.00", "00.00", 0.375L, "00.38"},
        {"negative half", "0.00", -0.125L, "-0.13"},
        {"negative half to a whole", "00", -0.5L, "-01"},
    };
    ExpectRows(rows);
}

TEST_F(NumberFormatTest, RoundsAtTheLastPlaceWithCarry)
{
    const FormatRow rows[] = {
        {"seconds 59.95 (double) reach 60.0", "00.0", 59.95, "60.0"},
        {"99.5 gains a digit", "00", 99.5L, "100"},
        {"59.995 reach 60.00s", "00.00s", 59.995L, "60.00s"},
        {"dropped digit 4 rounds down", "00.0", 31.94999L, "31.9"},
        {"dropped digits 49 round down", "0.00", 0.1249L, "0.12"},
        {"a value just above the half", "0.00", 0x1.0000000000001p-3, "0.13"},
    };
    ExpectRows(rows);
}

// The rounding works on the 18-digit text, not on the binary value: these
// values lie a hair below the half, yet their 18 digits end in ...5000.
TEST_F(NumberFormatTest, RoundsTheEighteenDigitTextNotTheBinaryValue)
{
    const FormatRow rows[] = {
        // 0.125 - 2^-67 = 0.12499999999999999999322..., 18 digits 0.125000000000000000
        {"nearest extended of 0.12499999999999999999", "0.00", 0x1.fffffffffffffffep-4L, "0.13"},
        // 0.125 - 2^-60 = 0.12499999999999999913..., 18 digits 0.124999999999999999
        {"0.125 - 2^-60 stays below", "0.00", 0x1.ffffffffffffffp-4L, "0.12"},
        // 1.005L is 1.005 - 4.3e-21; 18 digits give 1.00500000000000000
        {"1.005 as extended", "0.00", 1.005L, "1.01"},
        // the double 1.005 is 1.00499999999999989..., 18 digits 1.00499999999999989
        {"1.005 as double", "0.00", 1.005, "1.00"},
        {"0.005 as extended", "0.00", 0.005L, "0.01"},
        {"9.995 as extended carries", "0.00", 9.995L, "10.00"},
    };
    ExpectRows(rows);
}

TEST_F(NumberFormatTest, PadsToTheIntegerPlaces)
{
    const FormatRow rows[] = {
        {"one digit padded", "00 ", 5, "05 "},
        {"zero", "00", 0, "00"},
        {"zero with decimals", "0.00", 0, "0.00"},
        {"decimals padded", "0.00", 1.5L, "1.50"},
        {"digits cut at the last place", "00.00", 3.14159L, "03.14"},
        {"a fraction below the first place", "00", 0.06L, "00"},
        {"a fraction rounding to the first place", "00", 0.6L, "01"},
        {"no integer place writes no zero", ".00", 0.5L, ".50"},
        {"tiny value", "0.00", 1e-4000L, "0.00"},
    };
    ExpectRows(rows);
}

TEST_F(NumberFormatTest, WholeNumbersKeepEighteenDigits)
{
    const FormatRow rows[] = {
        {"18 digits exactly", "00", 123456789012345678.0L, "123456789012345678"},
        {"2^63 - 1: the 19th digit after 18-digit rounding is zero", "00", 9223372036854775807.0L,
         "9223372036854775810"},
        {"1e20 in full", "00", 1e20L, "100000000000000000000"},
        {"1e18 with decimals", "0.00", 1e18L, "1000000000000000000.00"},
    };
    ExpectRows(rows);
}

TEST_F(NumberFormatTest, MinusOnlyWhenTheRoundedValueIsNotZero)
{
    const FormatRow rows[] = {
        {"-0.001 rounds to zero", "0.00", -0.001L, "0.00"},
        {"-0.0049 rounds to zero", "0.00", -0.0049L, "0.00"},
        {"-0.005 rounds away", "0.00", -0.005L, "-0.01"},
        {"-0.4 with no decimals", "00", -0.4L, "00"},
        {"negative whole", "00 ", -5, "-05 "},
        {"negative zero", "00", -0.0L, "00"},
        {"negative zero with decimals", "0.00", -0.0L, "0.00"},
        {"minus before literal text", "'x'00", -5, "-x05"},
    };
    ExpectRows(rows);
}

TEST_F(NumberFormatTest, QuotedTextIsLiteral)
{
    const FormatRow rows[] = {
        {"apostrophes", "00'h'", 5, "05h"},
        {"double quotes", "00\"s\"", 5, "05s"},
        {"quoted digits and point before the number", "'0.'00", 7, "0.07"},
        {"quoted digits after the number", "00'0.0'", 7, "070.0"},
        {"a quote left open runs to the end", "00'0", 7, "070"},
    };
    ExpectRows(rows);
}

TEST_F(NumberFormatTest, WritesTheDecimalSeparatorInForce)
{
    Settings().DecimalSeparator = ',';
    const FormatRow rows[] = {
        {"0.00", "0.00", 1.5L, "1,50"},
        {"00.0", "00.0", 31.94L, "31,9"},
        {"00.00s", "00.00s", 59.995L, "60,00s"},
        {"no decimals, no separator", "00 ", 5, "05 "},
        {"a quoted point stays a point", "00'.'", 5, "05."},
    };
    ExpectRows(rows);
}

TEST_F(NumberFormatTest, RefusesInfinityAndNaN)
{
    const long double values[] = {std::numeric_limits<long double>::infinity(),
                                  -std::numeric_limits<long double>::infinity(),
                                  std::numeric_limits<long double>::quiet_NaN()};
    for (const long double value : values) {
        SCOPED_TRACE(static_cast<double>(value));
        EXPECT_THROW(FormatNumber("0.00", value), EInvalidOp);
    }
}

}  // namespace
}  // namespace trasel
