#include "cli/observer/observer.h"

#include <cmath>

#include "anglemath/umath.h"

namespace trasel {
namespace {

constexpr long double kArcsecondsPerDegree = 3600.0L;

}  // namespace

ResidualSummary ResidualsOf(const FittedTrack& track)
{
    ResidualSummary summary;
    const MotionFit& fit = track.Fit;
    long double sumRa = 0, sumDec = 0;
    for (std::size_t i = 0; i < track.Observations.size(); ++i) {
        const Observation& observation = track.Observations[i];
        // t as the fit took it: Time - T0 stored as a double.
        const long double t = StoreDouble(static_cast<long double>(observation.Time) - fit.TimeOrigin);
        const long double fittedRa = t * fit.RaSlope + fit.RaIntercept;
        const long double fittedDec = t * fit.DecSlope + fit.DecIntercept;
        Residual residual{observation.Time, track.Stations[i], 0, 0};
        residual.RaCosDec =
            (observation.RightAscension - fittedRa) * CosDeg(observation.Declination) * kArcsecondsPerDegree;
        residual.Dec = (observation.Declination - fittedDec) * kArcsecondsPerDegree;
        sumRa += residual.RaCosDec * residual.RaCosDec;
        sumDec += residual.Dec * residual.Dec;
        summary.Residuals.push_back(std::move(residual));
    }
    const long double n = static_cast<long double>(summary.Residuals.size());
    summary.RmsRaCosDec = std::sqrt(Divide(sumRa, n));
    summary.RmsDec = std::sqrt(Divide(sumDec, n));
    summary.RmsTotal = std::sqrt(Divide(sumRa + sumDec, n));
    return summary;
}

std::vector<std::string> ResidualTable(const ResidualSummary& summary)
{
    std::vector<std::string> lines{"", "Residuals, observed - fitted (\"): RA*cos(Dec), Dec"};
    for (const Residual& residual : summary.Residuals)
        lines.push_back(FormatDateTime("dd/mm/yyyy hh:mm:ss", residual.Time) + "  " + residual.Station + "  " +
                        SignedText(residual.RaCosDec) + "  " + SignedText(residual.Dec));
    lines.push_back("RMS (\"): RA*cos(Dec) " + FormatNumber("0.00", summary.RmsRaCosDec) + "  Dec " +
                    FormatNumber("0.00", summary.RmsDec) + "  total " + FormatNumber("0.00", summary.RmsTotal));
    if (summary.RmsTotal > kLinearRmsLimit)
        lines.emplace_back(kNonLinearWarning);
    return lines;
}

}  // namespace trasel
