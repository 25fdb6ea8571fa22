#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <locale>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>

#include "textconv/textconv.h"

namespace trasel {
namespace {

// A locale's number punctuation with a chosen decimal point.
class FakeNumpunct : public std::numpunct<char> {
public:
    explicit FakeNumpunct(char point) : point_(point) {}

protected:
    char do_decimal_point() const override { return point_; }

private:
    char point_;
};

// A locale's time formatting that answers "%x", "%X" and "%p" with fixed texts.
class FakeTimePut : public std::time_put<char> {
public:
    FakeTimePut(std::string date, std::string time, std::string am, std::string pm)
        : date_(std::move(date)), time_(std::move(time)), am_(std::move(am)), pm_(std::move(pm))
    {
    }

protected:
    iter_type do_put(iter_type out, std::ios_base&, char, const std::tm* moment, char format, char) const override
    {
        const std::string& text = format == 'x' ? date_ : format == 'X' ? time_ : moment->tm_hour < 12 ? am_ : pm_;
        return std::copy(text.begin(), text.end(), out);
    }

private:
    std::string date_, time_, am_, pm_;
};

std::locale FakeLocale(char point, std::string date, std::string time, std::string am, std::string pm)
{
    const std::locale withPoint(std::locale::classic(), new FakeNumpunct(point));
    return std::locale(withPoint, new FakeTimePut(std::move(date), std::move(time), std::move(am), std::move(pm)));
}

void ExpectSettings(const RegionalSettings& actual, const RegionalSettings& expected)
{
    EXPECT_EQ(actual.DecimalSeparator, expected.DecimalSeparator);
    EXPECT_EQ(actual.DateSeparator, expected.DateSeparator);
    EXPECT_EQ(actual.ShortDateFormat, expected.ShortDateFormat);
    EXPECT_EQ(actual.TimeSeparator, expected.TimeSeparator);
    EXPECT_EQ(actual.TimeAMString, expected.TimeAMString);
    EXPECT_EQ(actual.TimePMString, expected.TimePMString);
}

// The "C" locale: "%x" is "11/22/33", "%X" "13:44:55", "%p" "AM"/"PM".
const RegionalSettings kClassicSettings{'.', '/', "mm/dd/yy", ':', "AM", "PM"};

class RegionalSettingsTest : public ::testing::Test {
protected:
    void SetUp() override { saved_ = Settings(); }
    void TearDown() override { Settings() = saved_; }

private:
    RegionalSettings saved_;
};

TEST_F(RegionalSettingsTest, ReadsTheClassicLocale)
{
    ExpectSettings(SettingsFromLocale(std::locale::classic()), kClassicSettings);
}

TEST_F(RegionalSettingsTest, ReadsWhatALocaleFormats)
{
    struct Row {
        const char* name;
        char point;
        const char* date;  // 22/11/2033 by "%x"
        const char* time;  // 13:44:55 by "%X"
        const char* am;
        const char* pm;
        RegionalSettings expected;
    };
    const Row rows[] = {
        {"German", ',', "22.11.2033", "13:44:55", "", "", {',', '.', "dd.mm.yyyy", ':', "am", "pm"}},
        {"United States", '.', "11/22/2033", "01:44:55 PM", "AM", "PM", {'.', '/', "mm/dd/yyyy", ':', "AM", "PM"}},
        {"ISO dates, dotted times", '.', "2033-11-22", "13.44.55", "", "", {'.', '-', "yyyy-mm-dd", '.', "am", "pm"}},
        {"Hungarian spaced dots", ',', "2033. 11. 22.", "13:44:55", "de.", "du.", {',', '.', "yyyy.mm.dd", ':', "de.", "du."}},
        {"two-digit year, day first", '.', "22/11/33", "13:44:55", "a.m.", "p.m.", {'.', '/', "dd/mm/yy", ':', "a.m.", "p.m."}},
        // Letters and multi-byte characters between the numbers are no separators.
        {"Korean-like", '.', "2033\xEB\x85\x84 11\xEC\x9B\x94 22\xEC\x9D\xBC", "13\xEC\x8B\x9C 44\xEB\xB6\x84",
         "\xEC\x98\xA4\xEC\xA0\x84", "\xEC\x98\xA4\xED\x9B\x84",
         {'.', '/', "yyyy/mm/dd", ':', "\xEC\x98\xA4\xEC\xA0\x84", "\xEC\x98\xA4\xED\x9B\x84"}},
        {"French Canadian time", ',', "2033-11-22", "13 h 44 min 55 s", "", "", {',', '-', "yyyy-mm-dd", ':', "am", "pm"}},
        {"nothing usable", '\xC2', "", "", "", "", {'.', '/', "m/d/yy", ':', "am", "pm"}},
        {"day and month not found", '.', "33/2033/1", "13:44", "", "", {'.', '/', "m/d/yy", ':', "am", "pm"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        ExpectSettings(SettingsFromLocale(FakeLocale(row.point, row.date, row.time, row.am, row.pm)), row.expected);
    }
}

TEST_F(RegionalSettingsTest, ReadsAnInstalledGermanLocale)
{
    std::optional<std::locale> german;
    for (const char* name : {"de_DE.UTF-8", "de_DE.utf8"}) {
        try {
            german = std::locale(name);
            break;
        } catch (const std::runtime_error&) {
        }
    }
    if (!german)
        GTEST_SKIP() << "no de_DE locale installed";
    ExpectSettings(SettingsFromLocale(*german), {',', '.', "dd.mm.yyyy", ':', "am", "pm"});
}

// Sets an environment variable for one test and puts the old value back.
class ScopedEnvironment {
public:
    ScopedEnvironment(const char* name, const char* value) : name_(name)
    {
        if (const char* old = std::getenv(name))
            old_ = old;
        setenv(name, value, 1);
    }
    ~ScopedEnvironment()
    {
        if (old_)
            setenv(name_, old_->c_str(), 1);
        else
            unsetenv(name_);
    }

private:
    const char* name_;
    std::optional<std::string> old_;
};

TEST_F(RegionalSettingsTest, LoadsTheUserLocale)
{
    {
        ScopedEnvironment locale("LC_ALL", "C");
        Settings() = RegionalSettings{',', '.', "yyyy-mm-dd", '.', "x", "y"};
        LoadSettingsFromUserLocale();
        ExpectSettings(Settings(), kClassicSettings);
    }
    {
        ScopedEnvironment locale("LC_ALL", "xx_XX.no-such-locale");
        Settings() = RegionalSettings{',', '.', "yyyy-mm-dd", '.', "x", "y"};
        LoadSettingsFromUserLocale();
        ExpectSettings(Settings(), kClassicSettings);
    }
}

TEST_F(RegionalSettingsTest, FixesThreeValuesAndKeepsTheOthers)
{
    Settings() = RegionalSettings{',', '.', "yyyy-mm-dd", '.', "vorm.", "nachm."};
    FixProgramSettings();
    ExpectSettings(Settings(), {'.', '/', "dd/mm/yyyy", '.', "vorm.", "nachm."});
}

TEST_F(RegionalSettingsTest, FixedSettingsReadTheProgramsTextsUnderAnyLocale)
{
    // A locale with decimal ",", date separator "." and day-first dates.
    Settings() = SettingsFromLocale(FakeLocale(',', "22.11.2033", "13.44.55", "", ""));
    EXPECT_THROW(TextToDecimal("0.5"), EConvertError);
    FixProgramSettings();
    EXPECT_EQ(TextToDecimal("0.5"), 0.5L);
    EXPECT_EQ(TextToDate("09/01/2011"), 40552);
    EXPECT_EQ(TextToTime("21.30.00"), 0x1.caaaaaaaaaaabp-1);
}

}  // namespace
}  // namespace trasel
