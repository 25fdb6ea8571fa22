#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>

#include "textconv/detail_short_ways.h"
#include "textconv/textconv.h"

namespace trasel {
namespace {

bool SameBits(long double a, long double b)
{
    return std::memcmp(&a, &b, 10) == 0;
}

// The short way must take the text and give the general way's bits.
void ExpectShortEqualsGeneral(const std::string& text, char separator = '.')
{
    long double shortValue = -1.0L;
    ASSERT_TRUE(detail::TryShortDecimal(text, separator, shortValue)) << text;
    const long double generalValue = detail::GeneralTextToDecimal(text, separator);
    ASSERT_TRUE(SameBits(shortValue, generalValue))
        << text << ": " << std::hexfloat << shortValue << " != " << generalValue;
}

// Expected bits rounded by hand from the exact rationals (64-bit
// significand, ties to even).
TEST(DecimalShortPathTest, RoundsOnceToNearest)
{
    const struct {
        const char* name;
        const char* text;
        long double expected;
    } rows[] = {
        {"smallest day fraction", "0.00001", 0xa7c5ac471b478423p-80L},
        {"largest day fraction", "0.99999", 0xffff583a53b8e4b8p-64L},
        {"a third of a day", "0.33333", 0xaaaa3ad18d25edd0p-65L},
        {"half a day", "0.50000", 0.5L},
        {"seconds just below a minute", "59.99", 0xeff5c28f5c28f5c3p-58L},
        {"a tenth", "0.1", 0xcccccccccccccccdp-67L},
        {"exponent", "1.5e3", 1500.0L},
        {"minus zero", "-0.0", -0.0L},
        {"nineteen digits", "9999999999999999999", 9999999999999999999.0L},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        long double value = 0.0L;
        ASSERT_TRUE(detail::TryShortDecimal(row.text, '.', value));
        EXPECT_TRUE(SameBits(value, row.expected)) << std::hexfloat << value << " != " << row.expected;
        EXPECT_TRUE(SameBits(TextToDecimal(row.text), row.expected));
    }
}

// What the short way declines goes the general way: refusals, more than 19
// significant digits, scales beyond 10^27.
TEST(DecimalShortPathTest, DeclinesWhatItCannotDecideExactly)
{
    const struct {
        const char* name;
        const char* text;
    } rows[] = {
        {"twenty significant digits", "12345678901234567890"},
        {"twenty digits after leading zeros", "0.00012345678901234567890"},
        {"scale beyond 10^27", "1e28"},
        {"scale below 10^-27", "0.0000000000000000000000000001"},
        {"huge exponent", "1e99999"},
        {"comma", "1,5"},
        {"tab", "1.5\t"},
        {"nothing", ""},
        {"sign alone", "-"},
        {"two signs", "+-1"},
        {"blank inside", "1 .5"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        long double value = 7.0L;
        EXPECT_FALSE(detail::TryShortDecimal(row.text, '.', value));
        EXPECT_EQ(value, 7.0L);
    }
}

// Every day fraction an observation record can hold: "0.00000".."0.99999".
TEST(DecimalShortPathTest, EqualsGeneralOnEveryDayFraction)
{
    char text[8];
    for (int fraction = 0; fraction < 100000; ++fraction) {
        std::snprintf(text, sizeof text, "0.%05d", fraction);
        ExpectShortEqualsGeneral(text);
    }
}

// Every seconds field of right ascension ("SS.dd") and of declination
// ("SS.d"), with "." and with ",", and with a blank for a leading zero.
TEST(DecimalShortPathTest, EqualsGeneralOnEverySecondsField)
{
    char text[8];
    for (int hundredths = 0; hundredths < 6000; ++hundredths) {
        for (const char separator : {'.', ','}) {
            std::snprintf(text, sizeof text, "%02d%c%02d", hundredths / 100, separator, hundredths % 100);
            ExpectShortEqualsGeneral(text, separator);
            std::snprintf(text, sizeof text, "%2d%c%02d", hundredths / 100, separator, hundredths % 100);
            ExpectShortEqualsGeneral(text, separator);
        }
    }
    for (int tenths = 0; tenths < 600; ++tenths) {
        std::snprintf(text, sizeof text, "%02d.%d", tenths / 10, tenths % 10);
        ExpectShortEqualsGeneral(text);
    }
}

// Random decimals of 1 to 19 significant digits with the point anywhere,
// signs, blanks and exponents: the short way must take each one whose
// scale stays within 10^-27..10^27, and give the general way's bits.
TEST(DecimalShortPathTest, EqualsGeneralOnRandomDecimals)
{
    std::mt19937_64 random(20261211);
    auto uniform = [&](int first, int last) { return std::uniform_int_distribution<int>(first, last)(random); };
    int taken = 0;
    for (int i = 0; i < 400000; ++i) {
        std::string digits;
        const int count = uniform(1, 19);
        for (int d = 0; d < count; ++d)
            digits += static_cast<char>('0' + uniform(d == 0 ? 1 : 0, 9));
        const int point = uniform(0, count);
        std::string text(static_cast<std::size_t>(uniform(0, 2)), ' ');
        text += "+- "[uniform(0, 2)] == ' ' ? "" : std::string(1, "+-"[uniform(0, 1)]);
        text += std::string(static_cast<std::size_t>(uniform(0, 3)), '0');
        text += digits.substr(0, static_cast<std::size_t>(point)) + "." + digits.substr(static_cast<std::size_t>(point));
        int exponent = 0;
        if (uniform(0, 1) == 1) {
            exponent = uniform(-30, 30);
            text += (uniform(0, 1) == 1 ? "e" : "E") + std::to_string(exponent);
        }
        const int scale = exponent - (count - point);
        long double value = 0.0L;
        const bool shortWay = detail::TryShortDecimal(text, '.', value);
        ASSERT_EQ(shortWay, scale >= -27 && scale <= 27) << text;
        if (shortWay) {
            ++taken;
            ASSERT_TRUE(SameBits(value, detail::GeneralTextToDecimal(text, '.'))) << text;
        }
    }
    EXPECT_GT(taken, 300000);
}

// The record's date columns read in place give what TextToDate gives for
// the assembled "DD/MM/YYYY" under the program's settings, for years from
// 0000 to 9999, months 00..13 and days 00..32: the same day number, or both
// refuse (and the reader then lets TextToDate report it).
TEST(DateShortPathTest, EqualsTheConversionOnEveryRecordDate)
{
    Settings() = RegionalSettings{};
    FixProgramSettings();
    char day[3], month[3], year[5];
    char text[11];
    int taken = 0;
    // Every year near the ends of the range and around 1900, 2000 and 2100
    // (the leap rules), every 13th year elsewhere.
    auto nextYear = [](int y) { return (y < 30 || (y >= 1895 && y < 2105) || y >= 9970) ? y + 1 : y + 13; };
    for (int y = 0; y <= 9999; y = nextYear(y)) {
        std::snprintf(year, sizeof year, "%04d", y);
        for (int m = 0; m <= 13; ++m) {
            std::snprintf(month, sizeof month, "%02d", m);
            for (int d = 0; d <= 32; ++d) {
                std::snprintf(day, sizeof day, "%02d", d);
                std::snprintf(text, sizeof text, "%s/%s/%s", day, month, year);
                DateTimeValue plain = -1.0;
                const bool shortWay = detail::TryPlainDate(day, month, year, plain);
                bool converts = true;
                DateTimeValue converted = -1.0;
                try {
                    converted = TextToDate(text);
                } catch (const EConvertError&) {
                    converts = false;
                }
                ASSERT_EQ(shortWay, converts) << text;
                if (shortWay) {
                    ++taken;
                    ASSERT_EQ(plain, converted) << text;
                }
            }
        }
    }
    EXPECT_GT(taken, 100000);
    Settings() = RegionalSettings{};
}

// Worked by hand: 09/01/2011 is day 40552 (the reader's example); 01/01/0001
// is day -693593. Under another separator or order the short way declines,
// and so do blanks or letters in the columns.
TEST(DateShortPathTest, ReadsOnlyThePlainFormUnderTheProgramSettings)
{
    Settings() = RegionalSettings{};
    FixProgramSettings();
    DateTimeValue value = -1.0;
    ASSERT_TRUE(detail::TryPlainDate("09", "01", "2011", value));
    EXPECT_EQ(value, 40552.0);
    ASSERT_TRUE(detail::TryPlainDate("01", "01", "0001", value));
    EXPECT_EQ(value, -693593.0);

    const struct {
        const char* name;
        const char* day;
        const char* month;
        const char* year;
    } declined[] = {
        {"blank for a leading zero", " 9", "01", "2011"},
        {"letter in the year", "09", "01", "2O11"},
        {"short year", "09", "01", "11"},
        {"day 31 of February", "31", "02", "2011"},
    };
    for (const auto& row : declined) {
        SCOPED_TRACE(row.name);
        value = -1.0;
        EXPECT_FALSE(detail::TryPlainDate(row.day, row.month, row.year, value));
        EXPECT_EQ(value, -1.0);
    }
    Settings().DateSeparator = '.';
    EXPECT_FALSE(detail::TryPlainDate("09", "01", "2011", value));
    Settings().DateSeparator = '/';
    Settings().ShortDateFormat = "mm/dd/yyyy";
    EXPECT_FALSE(detail::TryPlainDate("09", "01", "2011", value));
    Settings() = RegionalSettings{};
}

}  // namespace
}  // namespace trasel
