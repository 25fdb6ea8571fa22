// What every fuzz target checks about a failure, and how it reports a
// broken invariant: loudly, by aborting, so libFuzzer keeps the input.
#pragma once

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <typeinfo>

#include "textconv/textconv.h"

namespace trasel::fuzz {

[[noreturn]] inline void Broken(std::string_view what, std::string_view detail = {})
{
    std::fprintf(stderr, "invariant broken: %.*s [%.*s]\n", static_cast<int>(what.size()), what.data(),
                 static_cast<int>(detail.size()), detail.data());
    std::abort();
}

inline void Require(bool holds, std::string_view what, std::string_view detail = {})
{
    if (!holds)
        Broken(what, detail);
}

// "'<text>' is not a valid <kind>", the text exactly as passed, as what()
// gives it: a C string, so a text with a NUL byte shows up to that byte.
inline std::string RefusalMessage(std::string_view text, std::string_view kind)
{
    const std::string message = "'" + std::string(text) + "' is not a valid " + std::string(kind);
    return message.substr(0, message.find('\0'));
}

// The program's errors are exactly these four types (no subclass of them,
// nothing else) with their fixed texts; a conversion error's own text is
// checked by the caller, which knows what was converted.
inline void RequireNamedError(const std::exception& error)
{
    const std::type_info& type = typeid(error);
    const std::string_view message = error.what();
    if (type == typeid(EInvalidOp))
        Require(message == "Invalid floating point operation", "EInvalidOp text", message);
    else if (type == typeid(EZeroDivide))
        Require(message == "Floating point division by zero", "EZeroDivide text", message);
    else if (type == typeid(EOverflow))
        Require(message == "Floating point overflow", "EOverflow text", message);
    else if (type != typeid(EConvertError))
        Broken("an error outside the four named types", message);
}

inline void RequireFinite(long double value, std::string_view what)
{
    Require(std::isfinite(value), "a non-finite stored value", what);
}

// The two regional settings a conversion is fuzzed under: the program's
// fixed ones, and a locale with "," as the decimal mark and "." between the
// parts of a date and of a time.
inline void UseSettings(bool commaLocale)
{
    RegionalSettings settings;
    if (commaLocale) {
        settings.DecimalSeparator = ',';
        settings.DateSeparator = '.';
        settings.ShortDateFormat = "dd.MM.yyyy";
        settings.TimeSeparator = '.';
        settings.TimeAMString = "vorm.";
        settings.TimePMString = "nachm.";
    }
    Settings() = settings;
    if (!commaLocale)
        FixProgramSettings();
}

// Pins the clock, so that two-number dates and two-digit years do not
// depend on the day the fuzzer runs: 13/11/2025 12:00.
inline void PinClock()
{
    static const bool pinned = [] {
        SetLocalClockForTesting([] { return 45974.5; });
        return true;
    }();
    (void)pinned;
}

}  // namespace trasel::fuzz
