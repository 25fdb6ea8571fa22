#include "cli/observer/observer.h"

#include <optional>

namespace trasel {

std::vector<std::string> ListingWithExtras(const ObjectReport& report, const ObserverExtras& extras)
{
    std::vector<std::string> lines = report.Listing;
    std::optional<ResidualSummary> residuals;
    std::optional<FitSpread> spread;
    if (extras.Residuals || extras.Uncertainty)
        residuals = ResidualsOf(report.Track);
    if (extras.Uncertainty)
        spread = EstimateSpread(report.Track, *residuals, extras.Sigma);

    // The rows stand from the third line on, k = 0 first.
    for (const ListingRow& row : report.Rows) {
        std::string& line = lines[static_cast<std::size_t>(row.Index) + 2];
        if (extras.Rates)
            line += "  " + RatesColumns(RatesAt(report.Track.Fit, row.Position.Declination));
        if (extras.Uncertainty)
            line += "  " + UncertaintyColumns(UncertaintyAt(*spread, row.Offset, row.Position.Declination));
    }
    if (extras.Residuals) {
        std::vector<std::string> table = ResidualTable(*residuals);
        lines.insert(lines.end(), table.begin(), table.end());
    }
    return lines;
}

}  // namespace trasel
