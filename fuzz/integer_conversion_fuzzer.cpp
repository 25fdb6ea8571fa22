// Any bytes through the integer conversion: a value only for the grammar,
// and then the value an independent reading gives; otherwise EConvertError
// quoting the text.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

#include "fuzz/fuzz_support.h"

using namespace trasel;

namespace {

// A second reading of the grammar, written apart from the conversion.
std::optional<std::int32_t> ExpectedInteger(std::string_view text)
{
    std::size_t at = text.find_first_not_of(' ');
    if (at == std::string_view::npos)
        return std::nullopt;
    std::string_view rest = text.substr(at);
    int base = 10;
    bool negative = false;
    if (rest.starts_with("0x") || rest.starts_with("0X")) {
        base = 16;
        rest.remove_prefix(2);
    } else if (rest.starts_with('$') || rest.starts_with('x') || rest.starts_with('X')) {
        base = 16;
        rest.remove_prefix(1);
    } else if (rest.starts_with('+') || rest.starts_with('-')) {
        negative = rest.front() == '-';
        rest.remove_prefix(1);
    }
    if (rest.empty())
        return std::nullopt;
    __int128 value = 0;
    for (const char c : rest) {
        int digit = -1;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (base == 16 && c >= 'a' && c <= 'f')
            digit = c - 'a' + 10;
        else if (base == 16 && c >= 'A' && c <= 'F')
            digit = c - 'A' + 10;
        if (digit < 0)
            return std::nullopt;
        value = value * base + digit;
        if (value > (static_cast<__int128>(1) << 33))
            return std::nullopt;
    }
    if (base == 16)
        return value <= 0xFFFFFFFF ? std::optional(static_cast<std::int32_t>(static_cast<std::uint32_t>(value)))
                                   : std::nullopt;
    if (negative)
        value = -value;
    if (value < INT32_MIN || value > INT32_MAX)
        return std::nullopt;
    return static_cast<std::int32_t>(value);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return -1;
    fuzz::UseSettings((data[0] & 1) != 0);
    const std::string_view text(reinterpret_cast<const char*>(data) + 1, size - 1);
    const std::optional<std::int32_t> expected = ExpectedInteger(text);
    try {
        const std::int32_t value = TextToInteger(text);
        fuzz::Require(expected.has_value(), "integer accepted outside the grammar", text);
        fuzz::Require(value == *expected, "integer value", text);
    } catch (const std::exception& error) {
        fuzz::RequireNamedError(error);
        fuzz::Require(typeid(error) == typeid(EConvertError), "integer failure type", error.what());
        fuzz::Require(error.what() == fuzz::RefusalMessage(text, "integer value"), "integer message", error.what());
        fuzz::Require(!expected.has_value(), "integer refused inside the grammar", text);
    }
    return 0;
}
