#include "anglemath/umath.h"

#include <cmath>

#include "textconv/textconv.h"

namespace trasel {

namespace {

// Beyond 65,536 turns the step-by-step loop would take too long (and for an
// angle whose last bit is worth more than 2pi it would never finish), so such
// angles are reduced by an exact remainder instead. 65,536 is a power of two,
// so this bound is exact.
constexpr long double kLoopLimit = 65536.0L * kTwoPi;

// The literal reduction: subtract 2pi while the angle is above 2pi, then add
// 2pi while it is below 0, each step rounded in extended precision. The comparisons
// are strict, so 2pi stays 2pi, 4pi comes back as 2pi (4pi - 2pi is exact),
// -2pi gives 0, and -1e-30 gives 2pi because -1e-30 + 2pi rounds to 2pi.
long double ReduceStepByStep(long double angle)
{
    while (angle > kTwoPi)
        angle -= kTwoPi;
    while (angle < 0.0L)
        angle += kTwoPi;
    return angle;
}

// fmodl is exact: r = angle - n*2pi with the whole n = trunc(angle / 2pi)
// and |r| < 2pi, carrying the sign of the angle. A negative r is lifted by
// one 2pi (which may round to 2pi, as in the loop). A whole number of turns
// gives 2pi when positive and 0 when negative, the ends the loop keeps.
//
// Why the two paths agree where it matters: each loop step rounds by at most
// half an ulp, and below the limit (4.1e5 < 2^19) an ulp is at most 2^-45, so
// after at most 65,536 steps the loop ends within 65,536 * 2^-46 = 2^-30 rad
// (2e-4 arcseconds), measured around the circle, of the exact remainder this
// path returns: a hair below 2pi there may be a hair above 0 here. Both
// results lie in [0, 2pi]; the angles of a listing stay far below the limit.
long double ReduceByRemainder(long double angle)
{
    const long double remainder = std::fmod(angle, kTwoPi);
    if (remainder == 0.0L)
        return angle > 0.0L ? kTwoPi : 0.0L;
    if (remainder < 0.0L)
        return remainder + kTwoPi;
    return remainder;
}

}  // namespace

long double NormalizeAngle(long double angle)
{
    // Checked arithmetic never hands over an infinity or a NaN; if one came,
    // neither path could give a meaningful turn.
    if (!std::isfinite(angle))
        throw EInvalidOp();
    if (std::fabs(angle) <= kLoopLimit)
        return ReduceStepByStep(angle);
    return ReduceByRemainder(angle);
}

long double CosDeg(long double degrees)
{
    if (!std::isfinite(degrees))
        throw EInvalidOp();
    const long double radians = degrees * kDegToRad;
    // The x87 cosine cannot reduce an argument of 2^63 or more; such a
    // cosine is 0 here.
    if (std::fabs(radians) >= 0x1p63L)
        return 0.0L;
    return std::cos(radians);
}

}  // namespace trasel
