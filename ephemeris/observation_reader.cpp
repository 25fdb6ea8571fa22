#include <array>
#include <initializer_list>

#include "ephemeris/ephemeris.h"
#include "textconv/detail_short_ways.h"

namespace trasel {
namespace {

// The text of columns first..last, counted from 1 as the record layout names
// them; a short line gives what it has. A view, not a copy: the reader runs
// once per record of files with millions of them.
std::string_view Columns(std::string_view line, std::size_t first, std::size_t last)
{
    if (first > line.size())
        return {};
    return line.substr(first - 1, last - first + 1);
}

// Joins the pieces into the fixed buffer and views the result; the texts
// the reader assembles are at most 10 characters.
template <std::size_t Capacity>
std::string_view Assemble(std::array<char, Capacity>& buffer, std::initializer_list<std::string_view> pieces)
{
    std::size_t length = 0;
    for (const std::string_view piece : pieces) {
        piece.copy(buffer.data() + length, piece.size());
        length += piece.size();
    }
    return {buffer.data(), length};
}

// "0." and columns 27-31, the text the day fraction is converted from,
// written straight into its buffer: "0.50000".
std::string_view DayFractionText(std::string_view line, std::array<char, 7>& buffer)
{
    const std::string_view digits = Columns(line, 27, 31);
    buffer[0] = '0';
    buffer[1] = '.';
    std::size_t length = 2;
    for (const char c : digits)
        buffer[length++] = c;
    return {buffer.data(), length};
}

// A field of two digits is the number they write, as the integer conversion
// reads it; any other text goes through the conversion, which reads it or
// refuses it quoting the field.
std::int32_t ReadInteger(std::string_view field)
{
    if (field.size() == 2 && field[0] >= '0' && field[0] <= '9' && field[1] >= '0' && field[1] <= '9')
        return (field[0] - '0') * 10 + (field[1] - '0');
    return TextToInteger(field);
}

// Columns 24-25, 21-22 and 16-19 as the date conversion reads "DD/MM/YYYY";
// the plain digits of a valid date are read in place, anything else goes
// through the conversion with the assembled text.
DateTimeValue ReadDate(std::string_view line)
{
    const std::string_view day = Columns(line, 24, 25);
    const std::string_view month = Columns(line, 21, 22);
    const std::string_view year = Columns(line, 16, 19);
    DateTimeValue date = 0.0;
    if (detail::TryPlainDate(day, month, year, date))
        return date;
    std::array<char, 10> dateText;
    return TextToDate(Assemble(dateText, {day, "/", month, "/", year}));
}

}  // namespace

bool IsObservationLine(std::string_view line)
{
    return line.size() >= 80;
}

// One statement per conversion: the fields are converted in this order, so a
// line with several bad fields reports the first of them.
Observation ReadObservation(std::string_view line)
{
    Observation observation{};

    // The day fraction stays extended until it is added to the date:
    // "0.50000" and 2011 01 09 give 40552.5.
    std::array<char, 7> fractionText;
    const long double dayFraction = TextToDecimal(DayFractionText(line, fractionText));
    const DateTimeValue day = ReadDate(line);
    observation.Time = StoreDouble(day + dayFraction);

    // Hours + minutes/60 + seconds/3600 in extended, stored, then times 15
    // stored again: 23 59 60.00 is 24 hours, exactly 360 degrees.
    const std::int32_t raHours = ReadInteger(Columns(line, 33, 34));
    const std::int32_t raMinutes = ReadInteger(Columns(line, 36, 37));
    const long double raPartial = raHours + raMinutes / 60.0L;
    const long double raSeconds = TextToDecimal(Columns(line, 39, 43));
    const double raInHours = StoreDouble(raPartial + raSeconds / 3600.0L);
    observation.RightAscension = StoreDouble(raInHours * 15.0L);

    const std::int32_t decDegrees = ReadInteger(Columns(line, 46, 47));
    const std::int32_t decMinutes = ReadInteger(Columns(line, 49, 50));
    const long double decPartial = decDegrees + decMinutes / 60.0L;
    const long double decSeconds = TextToDecimal(Columns(line, 52, 55));
    observation.Declination = StoreDouble(decPartial + decSeconds / 3600.0L);

    // Only "-" in column 45 makes the declination negative; "-00 30 00.0" is -0.5.
    if (line.size() >= 45 && line[44] == '-')
        observation.Declination = -observation.Declination;
    return observation;
}

std::string ReadDesignation(std::string_view firstLine)
{
    return Trim(Substring(firstLine, 1, 12));
}

}  // namespace trasel
