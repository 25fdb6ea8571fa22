// Text conversions, formatting, regional settings and the error types.
//
// Every number the calculation reads from a text, and every number it writes
// into the listing, passes through the routines declared here. They read the
// process-wide regional settings at every call.
#pragma once

#include <cmath>
#include <cstdint>
#include <functional>
#include <limits>
#include <locale>
#include <stdexcept>
#include <string>
#include <string_view>

static_assert(std::numeric_limits<long double>::digits == 64,
              "Trasel needs the 80-bit extended format as long double");

namespace trasel {

// ---------------------------------------------------------------- errors
// Every failure of the program is one of these, carrying the message that
// the user is shown. Nothing in the core catches them.

class TraselError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A text that a conversion refuses; the message quotes the text as passed.
class EConvertError : public TraselError {
public:
    using TraselError::TraselError;
};

// 0/0 and every other invalid operation, truncation outside int64 included.
class EInvalidOp : public TraselError {
public:
    EInvalidOp() : TraselError("Invalid floating point operation") {}
};

// A non-zero value divided by zero.
class EZeroDivide : public TraselError {
public:
    EZeroDivide() : TraselError("Floating point division by zero") {}
};

// A result too large for its destination.
class EOverflow : public TraselError {
public:
    EOverflow() : TraselError("Floating point overflow") {}
};

// ------------------------------------------------- checked floating point
// No calculation may produce an infinity or a NaN. Rather than unmask the
// x87 exceptions (whose traps fire at the next FPU instruction, far from the
// cause, and differ between optimisation levels), each place where one of
// these conditions can arise calls a helper that checks it and throws.

// Rounds an extended value to double where a quantity is stored.
// Throws EOverflow when the rounded value does not fit a double
// (1e309L -> EOverflow; 0x1.fffffffffffff7p+1023L rounds to DBL_MAX and fits).
// A NaN (which checked arithmetic never produces) throws EInvalidOp.
// Inline: a record takes ten stores, and a call passes the extended value
// through memory.
inline double StoreDouble(long double value)
{
    if (std::isnan(value))
        throw EInvalidOp();
    const double stored = static_cast<double>(value);
    if (std::isinf(stored))
        throw EOverflow();
    return stored;
}

// num / den in extended precision: den == 0 throws EZeroDivide, or
// EInvalidOp when num is 0 as well.
long double Divide(long double num, long double den);

// The whole part toward zero as int64; outside [-2^63, 2^63) or NaN it
// throws EInvalidOp.
std::int64_t TruncToInt64(long double value);

// ------------------------------------------------------ regional settings

struct RegionalSettings {
    char DecimalSeparator = '.';
    char DateSeparator = '/';
    std::string ShortDateFormat = "m/d/yy";
    char TimeSeparator = ':';
    std::string TimeAMString = "am";
    std::string TimePMString = "pm";
};

// The process-wide settings that every conversion reads at every call.
// Before anything loads them they hold the fallbacks above.
RegionalSettings& Settings();

// Reads the settings a locale gives: the decimal point of its numpunct, the
// date and time separators and the day/month/year order from its date and
// time formats, the AM/PM strings. Where the locale gives none, the
// fallback of RegionalSettings stands.
RegionalSettings SettingsFromLocale(const std::locale& locale);

// Settings() := SettingsFromLocale of the user's locale (the environment's).
void LoadSettingsFromUserLocale();

// The three values the program fixes for the whole run: decimal separator
// ".", date separator "/", short date format "dd/mm/yyyy". The time
// separator and the AM/PM strings keep the locale's.
void FixProgramSettings();

// ------------------------------------------------------------ date values

// Days since 30 December 1899 00:00 local time; the fraction is the time of
// day. Every value is decoded linearly: its date is the floor of the value
// and its time of day the remainder (-0.75 is 29/12/1899 06:00, -1.25 is
// 28/12/1899 18:00). Dates run from 1 January 1 to 31 December 9999 in the
// proleptic Gregorian calendar.
using DateTimeValue = double;

struct CivilDate {
    int Year;
    int Month;
    int Day;
};

bool IsLeapYear(int year);
int DaysInMonth(int year, int month);

// The day number (days since 30/12/1899) of a date; false when the year is
// outside 1..9999, the month outside 1..12 or the day not in that month.
bool TryEncodeDate(int year, int month, int day, std::int64_t& dayNumber);

// The date of a day number; years outside 1..9999 come out as computed by
// the proleptic calendar (callers check the range).
CivilDate DecodeDayNumber(std::int64_t dayNumber);

// The local clock, as a DateTimeValue with milliseconds. Tests pin it with
// SetLocalClockForTesting; an empty function restores the real clock.
DateTimeValue LocalNow();
void SetLocalClockForTesting(std::function<DateTimeValue()> clock);

// ------------------------------------------------------- text conversions
// Each refuses a text with EConvertError, whose message quotes the text
// exactly as it was passed, blanks included.

// Text to int32: leading spaces; then an optional "+" or "-" directly before
// decimal digits, or one of "$", "x", "X", "0x", "0X" before hexadecimal
// digits (at most eight significant, read as a two's-complement pattern).
// Nothing may follow the digits. "048" is 48, "$FFFFFFFF" is -1.
// Message: "'%s' is not a valid integer value".
std::int32_t TextToInteger(std::string_view text);

// Text to the correctly rounded extended value: leading spaces, optional
// sign, digits, optional decimal separator and digits, optional "E"/"e" with
// an optional sign and digits (a bare exponent letter is exponent 0),
// trailing spaces. "." is 0; "5." and ".5" are accepted. Values beyond the
// extended range are refused; tiny ones become subnormal or zero.
// Message: "'%s' is not a valid floating point value".
long double TextToDecimal(std::string_view text);

// Text to the DateTimeValue of that day at 00:00, in the order of the short
// date format. Message: "'%s' is not a valid date".
DateTimeValue TextToDate(std::string_view text);

// Text to a fraction of a day. Message: "'%s' is not a valid time".
DateTimeValue TextToTime(std::string_view text);

// ------------------------------------------------------------- formatting

// Writes a value by a number pattern such as "00 ", "00.0", "0.00", "00s"
// or "00\xB0 ". The value is first expressed with 18 significant digits
// (round to nearest), then rounded at the pattern's last place with halves
// away from zero; "0" places before the "." set the least number of integer
// digits; "." is written as the decimal separator; other characters are
// copied; "'" and '"' delimit literal text. A "-" is written only when the
// rounded value is not zero.
// FormatNumber("0.00", 0.125L) == "0.13"; FormatNumber("00 ", 123) == "123 ".
std::string FormatNumber(std::string_view pattern, long double value);

// Writes a DateTimeValue by "dd/mm/yyyy" or "dd/mm/yyyy hh:mm:ss": the value
// is turned into whole milliseconds (halves to even), the seconds are the
// whole seconds of that count (leftover milliseconds dropped). "/" is the
// date separator and ":" the time separator in force. A date outside the
// years 1..9999 throws EConvertError.
std::string FormatDateTime(std::string_view pattern, DateTimeValue value);

// ------------------------------------------------------------- text tools

// Removes leading and trailing characters with codes 0..32.
std::string Trim(std::string_view text);

// Characters from position (counted from 1); never fails: a position of 0 or
// less counts as 1, past the end or a negative count gives "".
std::string Substring(std::string_view text, std::int64_t position, std::int64_t count);

}  // namespace trasel
