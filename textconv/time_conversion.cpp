#include <cstdint>

#include "textconv/detail_text_scanner.h"
#include "textconv/textconv.h"

namespace trasel {
namespace {

enum class Marker { None, Morning, Afternoon };

// Compares ASCII letters without regard to case; other bytes must match exactly.
bool StartsWithIgnoringCase(std::string_view text, std::string_view word)
{
    if (word.empty() || text.size() < word.size())
        return false;
    for (std::size_t i = 0; i < word.size(); ++i) {
        if (detail::AsciiLower(text[i]) != detail::AsciiLower(word[i]))
            return false;
    }
    return true;
}

// Takes a morning or afternoon marker after any spaces: the settings' texts
// or "AM"/"PM". Where several match, the longest is taken.
Marker TakeMarker(std::string_view& rest, const RegionalSettings& settings)
{
    detail::SkipSpaces(rest);
    const struct {
        std::string_view Text;
        Marker Kind;
    } candidates[] = {
        {settings.TimeAMString, Marker::Morning},
        {settings.TimePMString, Marker::Afternoon},
        {"AM", Marker::Morning},
        {"PM", Marker::Afternoon},
    };
    Marker found = Marker::None;
    std::size_t length = 0;
    for (const auto& candidate : candidates) {
        if (candidate.Text.size() > length && StartsWithIgnoringCase(rest, candidate.Text)) {
            found = candidate.Kind;
            length = candidate.Text.size();
        }
    }
    rest.remove_prefix(length);
    return found;
}

}  // namespace

DateTimeValue TextToTime(std::string_view text)
{
    const RegionalSettings& settings = Settings();
    std::string_view rest = text;

    Marker marker = TakeMarker(rest, settings);
    detail::ScannedNumber hour, minutes, seconds, milliseconds;
    if (!detail::TakeNumber(rest, hour))
        detail::RefuseText(text, "time");
    if (detail::TakeChar(rest, settings.TimeSeparator)) {
        if (!detail::TakeNumber(rest, minutes))
            detail::RefuseText(text, "time");
        if (detail::TakeChar(rest, settings.TimeSeparator)) {
            if (!detail::TakeNumber(rest, seconds))
                detail::RefuseText(text, "time");
            // A whole number of milliseconds: "1:02:03.4" is 4 ms, not 400.
            if (detail::TakeChar(rest, settings.DecimalSeparator) && !detail::TakeNumber(rest, milliseconds))
                detail::RefuseText(text, "time");
        }
    }
    if (marker == Marker::None)
        marker = TakeMarker(rest, settings);
    detail::SkipSpaces(rest);
    if (!rest.empty())
        detail::RefuseText(text, "time");

    // With a marker the hour runs 1..12: "12 AM" is 0 h, "12 PM" is 12 h, "1 PM" is 13 h.
    int hours = hour.Value;
    if (marker != Marker::None) {
        if (hours < 1 || hours > 12)
            detail::RefuseText(text, "time");
        hours %= 12;
        if (marker == Marker::Afternoon)
            hours += 12;
    }
    if (hours > 23 || minutes.Value > 59 || seconds.Value > 59 || milliseconds.Value > 999)
        detail::RefuseText(text, "time");

    // The count of milliseconds is exact; one division in extended precision,
    // then one rounding to double where the value is stored.
    const std::int64_t totalMilliseconds = hours * 3600000LL + minutes.Value * 60000LL + seconds.Value * 1000LL +
                                           milliseconds.Value;
    return StoreDouble(static_cast<long double>(totalMilliseconds) / 86400000.0L);
}

}  // namespace trasel
