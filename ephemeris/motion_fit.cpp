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

namespace detail {

MotionSums::MotionSums(double timeOrigin, double firstRightAscension)
    : timeOrigin_(timeOrigin), firstRightAscension_(firstRightAscension)
{
}

// Each sum is one extended expression stored to double, operands in this
// order: alpha*t + sum, not sum + alpha*t.
void MotionSums::Add(const Observation& observation)
{
    const double ra = UnwrapRightAscension(observation.RightAscension, firstRightAscension_);
    const double dec = observation.Declination;
    const double t = StoreDouble(static_cast<long double>(observation.Time) - timeOrigin_);
    sumT_ = StoreDouble(static_cast<long double>(sumT_) + t);
    sumRa_ = StoreDouble(static_cast<long double>(sumRa_) + ra);
    sumRaT_ = StoreDouble(static_cast<long double>(ra) * t + sumRaT_);
    sumTT_ = StoreDouble(static_cast<long double>(t) * t + sumTT_);
    sumDec_ = StoreDouble(static_cast<long double>(sumDec_) + dec);
    sumDecT_ = StoreDouble(static_cast<long double>(dec) * t + sumDecT_);
    ++n_;
}

// b = (n*Sxt - St*Sx) / (n*Stt - St*St) and a = Sx/n - (b*St)/n, each
// product rounded in extended before the difference; all times equal makes
// the denominator 0 and Divide raises the error.
MotionFit MotionSums::Fit() const
{
    const long double count = static_cast<long double>(n_);
    const long double denominator = count * sumTT_ - static_cast<long double>(sumT_) * sumT_;

    MotionFit fit{};
    fit.TimeOrigin = timeOrigin_;
    fit.RaSlope = StoreDouble(Divide(count * sumRaT_ - static_cast<long double>(sumT_) * sumRa_, denominator));
    fit.RaIntercept = StoreDouble(sumRa_ / count - static_cast<long double>(fit.RaSlope) * sumT_ / count);
    fit.DecSlope = StoreDouble(Divide(count * sumDecT_ - static_cast<long double>(sumT_) * sumDec_, denominator));
    fit.DecIntercept = StoreDouble(sumDec_ / count - static_cast<long double>(fit.DecSlope) * sumT_ / count);
    return fit;
}

}  // namespace detail

MotionFit FitMotion(double timeOrigin, std::span<const Observation> observations)
{
    detail::MotionSums sums(timeOrigin, observations.empty() ? 0.0 : observations.front().RightAscension);
    for (const Observation& observation : observations)
        sums.Add(observation);
    return sums.Fit();
}

}  // namespace trasel
