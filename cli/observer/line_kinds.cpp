#include "cli/observer/observer.h"

namespace trasel {

std::optional<std::string> NonPositionReason(std::string_view line)
{
    if (!IsObservationLine(line))
        return std::nullopt;
    // Column 15 is the record's observation type.
    switch (line[14]) {
    case 's':
        return "second line of a satellite record (column 15 's')";
    case 'v':
        return "second line of a roving-observer record (column 15 'v')";
    case 'r':
        return "second line of a radar record (column 15 'r')";
    case 'R':
        return "radar record, no position (column 15 'R')";
    default:
        return std::nullopt;
    }
}

PositionLines DropNonPositions(std::span<const std::string_view> lines)
{
    // Cutting a skipped line to the designation columns keeps the line list
    // (and with it the designation of line 0) as it was, minus the line.
    constexpr std::size_t kDesignationColumns = 12;
    PositionLines result;
    result.Lines.reserve(lines.size());
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string_view line = lines[i];
        if (std::optional<std::string> reason = NonPositionReason(line)) {
            result.Lines.push_back(line.substr(0, kDesignationColumns));
            result.Skipped.push_back({i + 1, std::move(*reason)});
            continue;
        }
        result.Lines.push_back(line);
        if (IsObservationLine(line))
            ++result.ObservationsUsed;
    }
    return result;
}

}  // namespace trasel
