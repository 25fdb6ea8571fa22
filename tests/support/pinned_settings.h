// A test fixture that runs under the program's own regional settings and
// gives back, afterwards, whatever the test changed in them or in the clock.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "textconv/textconv.h"

namespace trasel::testing_support {

// ".", "/", "dd/mm/yyyy" as the program fixes them, with the fallbacks ":"
// and "am"/"pm" for what it leaves to the locale; the real clock.
class PinnedSettingsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        saved_ = Settings();
        Settings() = RegionalSettings{};
        FixProgramSettings();
    }
    void TearDown() override
    {
        Settings() = saved_;
        SetLocalClockForTesting({});
    }

private:
    RegionalSettings saved_;
};

// The message with which a conversion refuses a text, or "accepted".
template <typename Conversion>
std::string RefusalOf(Conversion convert, std::string_view text)
{
    try {
        convert(text);
    } catch (const EConvertError& error) {
        return error.what();
    }
    return "accepted";
}

}  // namespace trasel::testing_support
