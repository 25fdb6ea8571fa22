// Any bytes through the decimal conversion, under "." and under ",": a
// finite value equal, bit for bit, to the C library's correctly rounded
// reading of the same number written with "."; or EConvertError quoting
// the text.
#include <cerrno>
#include <clocale>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

#include "fuzz/fuzz_support.h"

using namespace trasel;

namespace {

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// The grammar checked apart from the conversion; the number rewritten with
// "." for strtold (in the "C" locale, which a fuzzer process never leaves).
std::optional<std::string> ExpectedText(std::string_view text, char separator)
{
    std::size_t at = 0;
    while (at < text.size() && text[at] == ' ')
        ++at;
    std::string number;
    if (at < text.size() && (text[at] == '+' || text[at] == '-'))
        number += text[at++];
    bool mantissa = false;
    while (at < text.size() && IsDigit(text[at])) {
        number += text[at++];
        mantissa = true;
    }
    if (at < text.size() && text[at] == separator) {
        number += '.';
        ++at;
        mantissa = true;
        while (at < text.size() && IsDigit(text[at]))
            number += text[at++];
    }
    if (!mantissa)
        return std::nullopt;
    if (number.back() == '.')
        number += '0';  // "." and "-." are 0; "5." is 5
    if (at < text.size() && (text[at] == 'e' || text[at] == 'E')) {
        ++at;
        std::string exponent = "e";
        if (at < text.size() && (text[at] == '+' || text[at] == '-'))
            exponent += text[at++];
        std::size_t digits = 0;
        while (at < text.size() && IsDigit(text[at])) {
            exponent += text[at++];
            ++digits;
        }
        if (digits > 0)
            number += exponent;
    }
    while (at < text.size() && text[at] == ' ')
        ++at;
    if (at != text.size())
        return std::nullopt;
    return number;
}

bool SameBits(long double a, long double b)
{
    return std::memcmp(&a, &b, 10) == 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return -1;
    const bool comma = (data[0] & 1) != 0;
    fuzz::UseSettings(comma);
    const std::string_view text(reinterpret_cast<const char*>(data) + 1, size - 1);
    const std::optional<std::string> expected = ExpectedText(text, comma ? ',' : '.');

    std::optional<long double> reference;
    if (expected) {
        errno = 0;
        const long double value = std::strtold(expected->c_str(), nullptr);
        if (!(errno == ERANGE && std::isinf(value)))
            reference = value;
    }
    try {
        const long double value = TextToDecimal(text);
        fuzz::RequireFinite(value, text);
        fuzz::Require(reference.has_value(), "decimal accepted outside the grammar or range", text);
        fuzz::Require(SameBits(value, *reference), "decimal value differs from strtold", text);
    } catch (const std::exception& error) {
        fuzz::RequireNamedError(error);
        fuzz::Require(typeid(error) == typeid(EConvertError), "decimal failure type", error.what());
        fuzz::Require(error.what() == fuzz::RefusalMessage(text, "floating point value"), "decimal message", error.what());
        fuzz::Require(!reference.has_value(), "decimal refused inside the grammar and range", text);
    }
    return 0;
}
