// Any bytes through the date conversion, day first under "/" and under ".":
// an accepted text gives a whole day number inside the years 1..9999 whose
// day, month and year are the numbers written (a short year in the hundred
// years around the pinned clock's 2025, a missing year 2025), and that
// formats and reads back to itself; a refused one EConvertError quoting it.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz/digit_runs.h"
#include "fuzz/fuzz_support.h"

using namespace trasel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return -1;
    fuzz::PinClock();
    fuzz::UseSettings((data[0] & 1) != 0);
    const std::string_view text(reinterpret_cast<const char*>(data) + 1, size - 1);
    DateTimeValue value = 0;
    try {
        value = TextToDate(text);
    } catch (const std::exception& error) {
        fuzz::RequireNamedError(error);
        fuzz::Require(typeid(error) == typeid(EConvertError), "date failure type", error.what());
        fuzz::Require(error.what() == fuzz::RefusalMessage(text, "date"), "date message", error.what());
        return 0;
    }
    fuzz::RequireFinite(value, text);
    fuzz::Require(value == std::floor(value), "a date with a time of day", text);
    const CivilDate date = DecodeDayNumber(static_cast<std::int64_t>(value));
    fuzz::Require(date.Year >= 1 && date.Year <= 9999, "date outside the years 1..9999", text);

    const std::vector<fuzz::DigitRun> runs = fuzz::DigitRuns(text);
    fuzz::Require(runs.size() == 2 || runs.size() == 3, "date accepted with other than 2 or 3 numbers", text);
    fuzz::Require(date.Day == runs[0].Value && date.Month == runs[1].Value, "day or month not as written", text);
    if (runs.size() == 2) {
        fuzz::Require(date.Year == 2025, "missing year not the current one", text);
    } else if (runs[2].Digits > 2) {
        fuzz::Require(date.Year == runs[2].Value, "year not as written", text);
    } else {
        fuzz::Require(date.Year >= 1975 && date.Year <= 2074 && date.Year % 100 == runs[2].Value,
                      "two-digit year outside the window", text);
    }

    const std::string written = FormatDateTime("dd/mm/yyyy", value);
    fuzz::Require(TextToDate(written) == value, "date does not read back", written);
    return 0;
}
