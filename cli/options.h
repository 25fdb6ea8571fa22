// The command line of trasel-cli: trasel-cli [options] [FILE].
#pragma once

#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>

#include "cli/observer/observer.h"
#include "ephemeris/ephemeris.h"

namespace trasel::cli {

// A command line that cannot be run; the message names what is wrong.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct CommandLine {
    std::string InputPath = "-";      // "-": standard input
    std::optional<std::string> Date;  // absent: today
    std::optional<std::string> Time;  // absent: midnight with the time separator in force
    std::string Step = "01";
    std::string Count = "048";
    StepUnit Unit = StepUnit::Hours;
    bool Help = false;
    ObserverOptions Observer;         // --skip-non-positions, --each-object, --rates, ...
};

// Options as "--name value" or "--name=value", anywhere before "--"; the
// values are kept as typed, for the conversions of the run to judge.
CommandLine ParseCommandLine(std::span<const std::string_view> arguments);

// The two-line synopsis shown after a usage error, and the full --help text.
std::string_view UsageSynopsis();
std::string_view HelpText();

}  // namespace trasel::cli
