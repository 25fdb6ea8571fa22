// Any bytes through the time conversion under ":" with "." and "am"/"pm",
// and under "." with "," and "vorm."/"nachm.": an accepted text gives
// exactly (h*3600000 + m*60000 + s*1000 + ms) / 86400000 of the numbers
// written, the marker applied, below one day; a refused one EConvertError
// quoting it.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz/digit_runs.h"
#include "fuzz/fuzz_support.h"

using namespace trasel;

namespace {

bool ContainsIgnoringCase(std::string_view text, std::string_view word)
{
    for (std::size_t at = 0; at + word.size() <= text.size(); ++at) {
        bool same = true;
        for (std::size_t i = 0; i < word.size() && same; ++i) {
            char c = text[at + i];
            if (c >= 'A' && c <= 'Z')
                c = static_cast<char>(c - 'A' + 'a');
            same = c == word[i];
        }
        if (same)
            return true;
    }
    return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return -1;
    fuzz::UseSettings((data[0] & 1) != 0);
    const std::string_view text(reinterpret_cast<const char*>(data) + 1, size - 1);
    DateTimeValue value = 0;
    try {
        value = TextToTime(text);
    } catch (const std::exception& error) {
        fuzz::RequireNamedError(error);
        fuzz::Require(typeid(error) == typeid(EConvertError), "time failure type", error.what());
        fuzz::Require(error.what() == fuzz::RefusalMessage(text, "time"), "time message", error.what());
        return 0;
    }
    fuzz::RequireFinite(value, text);
    fuzz::Require(value >= 0 && value < 1, "time outside one day", text);

    const std::vector<fuzz::DigitRun> runs = fuzz::DigitRuns(text);
    fuzz::Require(!runs.empty() && runs.size() <= 4, "time accepted with other than 1 to 4 numbers", text);
    std::int64_t parts[4] = {0, 0, 0, 0};
    for (std::size_t i = 0; i < runs.size(); ++i)
        parts[i] = runs[i].Value;
    // The markers: "AM"/"PM" and the settings' own ("vorm."/"nachm." under ",").
    const RegionalSettings& settings = Settings();
    std::string morningText = settings.TimeAMString, afternoonText = settings.TimePMString;
    for (std::string* marker : {&morningText, &afternoonText}) {
        for (char& c : *marker)
            c = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    }
    const bool afternoon = ContainsIgnoringCase(text, "pm") || ContainsIgnoringCase(text, afternoonText);
    const bool morning = ContainsIgnoringCase(text, "am") || ContainsIgnoringCase(text, morningText);
    if (afternoon || morning) {
        fuzz::Require(parts[0] >= 1 && parts[0] <= 12, "marked hour outside 1..12", text);
        parts[0] = parts[0] % 12 + (afternoon ? 12 : 0);
    }
    fuzz::Require(parts[0] <= 23 && parts[1] <= 59 && parts[2] <= 59 && parts[3] <= 999, "field out of range", text);
    const std::int64_t total = parts[0] * 3600000 + parts[1] * 60000 + parts[2] * 1000 + parts[3];
    fuzz::Require(value == StoreDouble(static_cast<long double>(total) / 86400000.0L), "time value", text);
    return 0;
}
