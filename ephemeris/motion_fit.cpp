#include <cmath>
#include <cstdint>

#include "ephemeris/ephemeris.h"

namespace trasel {

double UnwrapRightAscension(double rightAscension, double reference)
{
    // A track that stays within half a turn keeps its values bit for bit.
    const long double offset = static_cast<long double>(rightAscension) - reference;
    if (offset > -180.0L && offset <= 180.0L)
        return rightAscension;

    // fmod is exact, so the whole turns come off without rounding and
    // without a loop, even from 1e300 degrees. Then whole turns are added
    // back until the value lands in (reference - 180, reference + 180]:
    // 359.5 against 0.5 gives -0.5, 0.5 against 359.5 gives 360.5.
    const long double withinTurn = std::fmod(static_cast<long double>(rightAscension), 360.0L);
    long double turns = std::floor((reference + 180.0L - withinTurn) / 360.0L);
    // The division may round onto a whole number: one turn either way fixes it.
    const long double moved = withinTurn + 360.0L * turns;
    if (moved > reference + 180.0L)
        turns -= 1.0L;
    else if (moved <= reference - 180.0L)
        turns += 1.0L;
    return StoreDouble(withinTurn + 360.0L * turns);
}

MotionFit FitMotion(double timeOrigin, std::span<const Observation> observations)
{
    const double firstRightAscension = observations.empty() ? 0.0 : observations.front().RightAscension;

    // Each sum is one extended expression stored to double, operands in this
    // order: alpha*t + sum, not sum + alpha*t.
    std::int64_t n = 0;
    double sumT = 0.0, sumTT = 0.0;
    double sumRa = 0.0, sumRaT = 0.0;
    double sumDec = 0.0, sumDecT = 0.0;
    for (const Observation& observation : observations) {
        const double ra = UnwrapRightAscension(observation.RightAscension, firstRightAscension);
        const double dec = observation.Declination;
        const double t = StoreDouble(static_cast<long double>(observation.Time) - timeOrigin);
        sumT = StoreDouble(static_cast<long double>(sumT) + t);
        sumRa = StoreDouble(static_cast<long double>(sumRa) + ra);
        sumRaT = StoreDouble(static_cast<long double>(ra) * t + sumRaT);
        sumTT = StoreDouble(static_cast<long double>(t) * t + sumTT);
        sumDec = StoreDouble(static_cast<long double>(sumDec) + dec);
        sumDecT = StoreDouble(static_cast<long double>(dec) * t + sumDecT);
        ++n;
    }

    // b = (n*Sxt - St*Sx) / (n*Stt - St*St) and a = Sx/n - (b*St)/n, each
    // product rounded in extended before the difference; all times equal
    // makes the denominator 0 and Divide raises the error.
    const long double count = static_cast<long double>(n);
    const long double denominator = count * sumTT - static_cast<long double>(sumT) * sumT;

    MotionFit fit{};
    fit.TimeOrigin = timeOrigin;
    fit.RaSlope = StoreDouble(Divide(count * sumRaT - static_cast<long double>(sumT) * sumRa, denominator));
    fit.RaIntercept = StoreDouble(sumRa / count - static_cast<long double>(fit.RaSlope) * sumT / count);
    fit.DecSlope = StoreDouble(Divide(count * sumDecT - static_cast<long double>(sumT) * sumDec, denominator));
    fit.DecIntercept = StoreDouble(sumDec / count - static_cast<long double>(fit.DecSlope) * sumT / count);
    return fit;
}

}  // namespace trasel
