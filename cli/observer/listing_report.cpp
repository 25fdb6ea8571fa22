#include "cli/observer/observer.h"

namespace trasel {
namespace {

constexpr std::string_view kFieldGap = "  ";

// Splits "designation  time  ra  dec" into its three texts after the
// designation; none of them holds two blanks in a row.
void ReadRowTexts(std::string_view row, const std::string& designation, ListingRow& target)
{
    const std::string prefix = designation + std::string(kFieldGap);
    if (row.substr(0, prefix.size()) != prefix)
        throw TraselError("listing row without its designation: " + std::string(row));
    std::string_view rest = row.substr(prefix.size());
    const std::size_t timeEnd = rest.find(kFieldGap);
    const std::size_t raEnd = timeEnd == std::string_view::npos ? timeEnd : rest.find(kFieldGap, timeEnd + 2);
    if (raEnd == std::string_view::npos || rest.find(kFieldGap, raEnd + 2) != std::string_view::npos)
        throw TraselError("listing row not of four fields: " + std::string(row));
    target.TimeText = rest.substr(0, timeEnd);
    target.RaText = rest.substr(timeEnd + 2, raEnd - timeEnd - 2);
    target.DecText = rest.substr(raEnd + 2);
}

}  // namespace

ObjectReport MakeReport(std::span<const std::string_view> lines, const RunSettings& settings,
                        std::vector<std::string> listing)
{
    ObjectReport report{ReadTrack(lines), ReadSchedule(settings), 0.0, {}, std::move(listing)};
    report.Speed = ApparentSpeed(report.Schedule, report.Track.Fit);

    // A complete listing: speed, empty line, count + 1 rows, three closing lines.
    const std::int64_t rows = report.Schedule.Count < 0 ? 0 : std::int64_t{report.Schedule.Count} + 1;
    if (static_cast<std::int64_t>(report.Listing.size()) != rows + 5)
        throw TraselError("the listing is not complete");
    report.Rows.reserve(static_cast<std::size_t>(rows));
    for (std::int64_t k = 0; k < rows; ++k) {
        ListingRow row;
        row.Index = k;
        row.Offset = RowOffset(report.Schedule, report.Track.Fit, k);
        row.Time = RowTime(report.Schedule, k);
        row.Position = PositionAt(report.Track.Fit, row.Offset);
        ReadRowTexts(report.Listing[static_cast<std::size_t>(k) + 2], report.Track.Designation, row);
        report.Rows.push_back(std::move(row));
    }
    return report;
}

}  // namespace trasel
