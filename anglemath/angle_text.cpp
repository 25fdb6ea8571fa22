#include <cmath>

#include "anglemath/sexagesimal.h"
#include "anglemath/umath.h"
#include "textconv/textconv.h"

namespace trasel {

namespace {

using detail::SexagesimalStyle;

// Added to the hours (or degrees) before truncation, so that a value the
// conversions leave a hair below a whole unit lands on it: 14.9999999999
// degrees of right ascension are 0.99999999999333 hours, 1.0000000000933
// with the nudge, whose whole hours are 1.
constexpr long double kNudge = 1e-10L;
static_assert(kNudge == 0xd.be6fecebdedd5bfp-37L, "the extended value nearest 1e-10");

constexpr SexagesimalStyle kRaStyle1{"00 ", "00 ", "", "00.0", ""};
constexpr SexagesimalStyle kRaStyle3{"00h ", "00m ", "", "00s", ""};
constexpr SexagesimalStyle kRaStyle4{"00h ", "00m ", "", "00.00s", ""};

// "\xB0" is the degree sign in the ANSI code page.
constexpr SexagesimalStyle kDecStyle1{"00 ", "00 ", "", "00", ""};
constexpr SexagesimalStyle kDecStyle3{"00\xB0 ", "00", "' ", "00", "\""};
constexpr SexagesimalStyle kDecStyle4{"00\xB0 ", "00", "' ", "00.00", "\""};

// Styles other than 1, 3 and 4 write no field.
const SexagesimalStyle* FindStyle(std::uint8_t style, const SexagesimalStyle& one,
                                  const SexagesimalStyle& three, const SexagesimalStyle& four)
{
    switch (style) {
    case 1:
        return &one;
    case 3:
        return &three;
    case 4:
        return &four;
    default:
        return nullptr;
    }
}

}  // namespace

std::string RAToText(std::uint8_t style, double rightAscension)
{
    const double reduced = StoreDouble(NormalizeAngle(rightAscension));
    const double hours = StoreDouble(reduced * kRadToDeg / 15.0L + kNudge);
    // Hours of 24 are kept: 360 degrees reads "24 00 00.0".
    const detail::SexagesimalFields fields = detail::SplitSexagesimal(hours);
    const SexagesimalStyle* fieldStyle = FindStyle(style, kRaStyle1, kRaStyle3, kRaStyle4);
    if (fieldStyle == nullptr)
        return "";
    return detail::WriteSexagesimal(*fieldStyle, fields);
}

std::string DecToText(std::uint8_t style, double declination)
{
    if (!std::isfinite(declination))
        throw EInvalidOp();
    // The sign is taken after the nudge: -1e-12 degrees reads "+00 00 00",
    // and -10 degrees becomes 9.9999999999 in magnitude (written "-10 00 00"
    // by the carry of the seconds).
    const double degrees = StoreDouble(declination * kRadToDeg + kNudge);
    const std::string sign = degrees >= 0.0 ? "+" : "-";
    const detail::SexagesimalFields fields = detail::SplitSexagesimal(std::fabs(degrees));
    const SexagesimalStyle* fieldStyle = FindStyle(style, kDecStyle1, kDecStyle3, kDecStyle4);
    if (fieldStyle == nullptr)
        return sign;
    return sign + detail::WriteSexagesimal(*fieldStyle, fields);
}

}  // namespace trasel
