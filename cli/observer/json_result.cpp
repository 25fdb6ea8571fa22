#include "cli/observer/detail.h"

#include <cmath>
#include <optional>

#include <nlohmann/json.hpp>

namespace trasel {
namespace {

using nlohmann::ordered_json;

using detail::Latin1ToUtf8;

// The right ascension as the listing shows it: within 0 to 360 degrees.
double ReducedRightAscension(double degrees)
{
    const double reduced = std::fmod(degrees, 360.0);
    return reduced < 0 ? (reduced + 360.0 == 360.0 ? 0.0 : reduced + 360.0) : reduced;
}

double Number(long double value) { return static_cast<double>(value); }

ordered_json ObjectJson(const ObjectReport& report, const ObserverExtras& extras)
{
    const FittedTrack& track = report.Track;
    const MotionFit& fit = track.Fit;
    std::optional<ResidualSummary> residuals;
    std::optional<FitSpread> spread;
    if (extras.Residuals || extras.Uncertainty)
        residuals = ResidualsOf(track);
    if (extras.Uncertainty)
        spread = EstimateSpread(track, *residuals, extras.Sigma);

    ordered_json object;
    object["designation"] = Latin1ToUtf8(track.Designation);
    object["observations"] = track.Observations.size();
    object["fit"] = {{"timeOrigin", IsoDateTime(fit.TimeOrigin)}, {"raSlope", fit.RaSlope},
                     {"raIntercept", fit.RaIntercept}, {"decSlope", fit.DecSlope},
                     {"decIntercept", fit.DecIntercept}};
    object["speed"] = {{"arcsecPerMinute", report.Speed}, {"text", FormatNumber("0.00", report.Speed)}};
    object["start"] = IsoDateTime(report.Schedule.Start);
    object["stepDays"] = report.Schedule.Step;
    object["count"] = report.Schedule.Count;

    ordered_json rows = ordered_json::array();
    for (const ListingRow& row : report.Rows) {
        ordered_json item{{"time", IsoDateTime(row.Time)},
                          {"timeText", Latin1ToUtf8(row.TimeText)},
                          {"ra", ReducedRightAscension(row.Position.RightAscension)},
                          {"dec", row.Position.Declination},
                          {"raText", Latin1ToUtf8(row.RaText)},
                          {"decText", Latin1ToUtf8(row.DecText)}};
        if (extras.Rates) {
            const MotionRates rates = RatesAt(fit, row.Position.Declination);
            item["rates"] = {{"raCosDec", Number(rates.RaCosDec)},
                             {"dec", Number(rates.Dec)},
                             {"positionAngle", Number(rates.PositionAngle)}};
        }
        if (extras.Uncertainty) {
            const PositionUncertainty sigma = UncertaintyAt(*spread, row.Offset, row.Position.Declination);
            item["uncertainty"] = {{"raCosDec", Number(sigma.RaCosDec)}, {"dec", Number(sigma.Dec)}};
        }
        rows.push_back(std::move(item));
    }
    object["rows"] = std::move(rows);

    if (extras.Residuals) {
        ordered_json list = ordered_json::array();
        for (const Residual& residual : residuals->Residuals)
            list.push_back({{"time", IsoDateTime(residual.Time)},
                            {"station", Latin1ToUtf8(Trim(residual.Station))},
                            {"raCosDec", Number(residual.RaCosDec)},
                            {"dec", Number(residual.Dec)}});
        object["residuals"] = {{"observations", std::move(list)},
                               {"rmsRaCosDec", Number(residuals->RmsRaCosDec)},
                               {"rmsDec", Number(residuals->RmsDec)},
                               {"rmsTotal", Number(residuals->RmsTotal)},
                               {"linear", residuals->RmsTotal <= kLinearRmsLimit}};
    }
    if (extras.Uncertainty)
        object["uncertainty"] = {{"sigmaFloor", Number(extras.Sigma)},
                                 {"sigmaRaCosDec", Number(spread->SigmaRaCosDec)},
                                 {"sigmaDec", Number(spread->SigmaDec)}};
    return object;
}

}  // namespace

std::string JsonDocument(std::span<const ObjectReport> reports, const ObserverExtras& extras, bool eachObject)
{
    ordered_json document;
    if (eachObject) {
        document["objects"] = ordered_json::array();
        for (const ObjectReport& report : reports)
            document["objects"].push_back(ObjectJson(report, extras));
    } else if (!reports.empty()) {
        document = ObjectJson(reports.front(), extras);
    }
    return document.dump(2) + "\n";
}

}  // namespace trasel
