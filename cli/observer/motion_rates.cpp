#include "cli/observer/observer.h"

#include <cmath>

#include "anglemath/umath.h"

namespace trasel {
namespace {

// Degrees per day to arcseconds per minute: 3600 / 1440.
constexpr long double kDegreesPerDayToArcsecPerMinute = 2.5L;

}  // namespace

MotionRates RatesAt(const MotionFit& fit, double declination)
{
    MotionRates rates{};
    rates.RaCosDec = fit.RaSlope * CosDeg(declination) * kDegreesPerDayToArcsecPerMinute;
    rates.Dec = fit.DecSlope * kDegreesPerDayToArcsecPerMinute;
    // East of north: north is 0, east (right ascension growing) is 90. An
    // object at rest gets 0.
    if (rates.RaCosDec != 0 || rates.Dec != 0) {
        rates.PositionAngle = std::atan2(rates.RaCosDec, rates.Dec) * kRadToDeg;
        if (rates.PositionAngle < 0)
            rates.PositionAngle += 360.0L;
        if (rates.PositionAngle >= 360.0L)
            rates.PositionAngle = 0;
    }
    return rates;
}

std::string SignedText(long double value)
{
    // FormatNumber writes "-" only for a value that does not round to zero,
    // so -0.004 is "+0.00" and -0.005 is "-0.01".
    std::string text = FormatNumber("0.00", value);
    return text.front() == '-' ? text : "+" + text;
}

std::string RatesColumns(const MotionRates& rates)
{
    // One decimal rounds 359.95 and above up to 360.0, which is north: 0.0.
    std::string angle = FormatNumber("0.0", rates.PositionAngle);
    if (angle == "360.0")
        angle = "0.0";
    return SignedText(rates.RaCosDec) + "  " + SignedText(rates.Dec) + "  " + angle;
}

}  // namespace trasel
