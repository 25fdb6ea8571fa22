#include "cli/observer/observer.h"

#include <algorithm>
#include <cmath>

#include "anglemath/umath.h"

namespace trasel {

FitSpread EstimateSpread(const FittedTrack& track, const ResidualSummary& residuals, long double sigmaFloor)
{
    FitSpread spread{};
    const std::size_t n = track.Observations.size();
    spread.Count = n;
    long double sumRa = 0, sumDec = 0, sumCos = 0, sumT = 0;
    for (const Residual& residual : residuals.Residuals) {
        sumRa += residual.RaCosDec * residual.RaCosDec;
        sumDec += residual.Dec * residual.Dec;
    }
    for (const Observation& observation : track.Observations) {
        sumCos += CosDeg(observation.Declination);
        sumT += StoreDouble(static_cast<long double>(observation.Time) - track.Fit.TimeOrigin);
    }
    // Two parameters per line leave n - 2 degrees of freedom; two
    // observations fit exactly and say nothing of the scatter.
    if (n > 2) {
        const long double freedom = static_cast<long double>(n - 2);
        spread.SigmaRaCosDec = std::sqrt(sumRa / freedom);
        spread.SigmaDec = std::sqrt(sumDec / freedom);
    }
    spread.SigmaRaCosDec = std::max(spread.SigmaRaCosDec, sigmaFloor);
    spread.SigmaDec = std::max(spread.SigmaDec, sigmaFloor);

    const long double count = static_cast<long double>(n);
    spread.MeanCosDec = Divide(sumCos, count);
    spread.MeanTime = Divide(sumT, count);
    for (const Observation& observation : track.Observations) {
        const long double t = StoreDouble(static_cast<long double>(observation.Time) - track.Fit.TimeOrigin);
        spread.TimeScatter += (t - spread.MeanTime) * (t - spread.MeanTime);
    }
    return spread;
}

PositionUncertainty UncertaintyAt(const FitSpread& spread, double offset, double declination)
{
    // Variance of a + b*w for a least-squares line: sigma^2 (1/n + (w - mean)^2 / scatter).
    // Two observations at t = 0 and 1, predicted at w = 2: sqrt(1/2 + 2.25/0.5) = sqrt(5).
    const long double away = static_cast<long double>(offset) - spread.MeanTime;
    const long double factor =
        std::sqrt(1.0L / static_cast<long double>(spread.Count) + Divide(away * away, spread.TimeScatter));
    // The scatter of the right ascension, in degrees of RA, is the one on the
    // sky over the observations' cos(dec); at the row it is seen at the row's.
    const long double raScale = Divide(CosDeg(declination), spread.MeanCosDec);
    return {spread.SigmaRaCosDec * factor * raScale, spread.SigmaDec * factor};
}

std::string UncertaintyColumns(const PositionUncertainty& uncertainty)
{
    return FormatNumber("0.00", uncertainty.RaCosDec) + "  " + FormatNumber("0.00", uncertainty.Dec);
}

long double ReadSigma(std::string_view text)
{
    // Half a turn is already more than any astrometry could be off.
    constexpr long double kLargestSigma = 648000.0L;
    const long double sigma = TextToDecimal(text);
    if (!(sigma > 0 && sigma <= kLargestSigma))
        throw EConvertError("'" + std::string(text) + "' is not a valid sigma (arcseconds above 0)");
    return sigma;
}

}  // namespace trasel
