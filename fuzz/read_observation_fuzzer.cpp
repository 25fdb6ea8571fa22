// A line of 80 to 120 bytes through ReadObservation. Read, it has a finite
// time, right ascension and declination, the same as its first 80 columns
// give. Refused, the error is the first failing field's in the reading
// order (every field before it converts), quoting that field's text, or
// "Floating point overflow" for a value beyond a double.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <functional>
#include <string>
#include <string_view>

#include "ephemeris/ephemeris.h"
#include "fuzz/fuzz_support.h"

using namespace trasel;

namespace {

struct Field {
    std::string Text;
    const char* Kind;
    std::function<void(std::string_view)> Convert;
};

bool SameObservation(const Observation& a, const Observation& b)
{
    return std::memcmp(&a.Time, &b.Time, sizeof(double)) == 0 &&
           std::memcmp(&a.RightAscension, &b.RightAscension, sizeof(double)) == 0 &&
           std::memcmp(&a.Declination, &b.Declination, sizeof(double)) == 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 80)
        return -1;
    fuzz::PinClock();
    fuzz::UseSettings(false);
    const std::string_view line(reinterpret_cast<const char*>(data), size < 120 ? size : 120);
    fuzz::Require(IsObservationLine(line), "an 80-column line is not an observation line");
    auto columns = [&](std::size_t first, std::size_t last) { return std::string(line.substr(first - 1, last - first + 1)); };
    const auto integer = [](std::string_view text) { TextToInteger(text); };
    const auto decimal = [](std::string_view text) { TextToDecimal(text); };
    const auto date = [](std::string_view text) { TextToDate(text); };
    const Field fields[] = {
        {"0." + columns(27, 31), "floating point value", decimal},
        {columns(24, 25) + "/" + columns(21, 22) + "/" + columns(16, 19), "date", date},
        {columns(33, 34), "integer value", integer},
        {columns(36, 37), "integer value", integer},
        {columns(39, 43), "floating point value", decimal},
        {columns(46, 47), "integer value", integer},
        {columns(49, 50), "integer value", integer},
        {columns(52, 55), "floating point value", decimal},
    };

    Observation observation{};
    try {
        observation = ReadObservation(line);
    } catch (const std::exception& error) {
        fuzz::RequireNamedError(error);
        const std::string_view message = error.what();
        if (typeid(error) == typeid(EOverflow))
            return 0;
        fuzz::Require(typeid(error) == typeid(EConvertError), "reader failure type", message);
        for (const Field& field : fields) {
            if (message == fuzz::RefusalMessage(field.Text, field.Kind))
                return 0;
            try {
                field.Convert(field.Text);
            } catch (const EConvertError&) {
                fuzz::Broken("an earlier field fails but another is reported", message);
            }
        }
        fuzz::Broken("a refusal that quotes no field", message);
    }
    fuzz::RequireFinite(observation.Time, "Time");
    fuzz::RequireFinite(observation.RightAscension, "RightAscension");
    fuzz::RequireFinite(observation.Declination, "Declination");
    for (const Field& field : fields)
        field.Convert(field.Text);  // a read line has every field valid
    if (line.size() > 80)
        fuzz::Require(SameObservation(observation, ReadObservation(line.substr(0, 80))), "columns after 80 change the reading");
    return 0;
}
