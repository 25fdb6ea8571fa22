#include "cli/options.h"

namespace trasel::cli {
namespace {

constexpr std::string_view kSynopsis =
    "Usage: trasel-cli [--date DD/MM/YYYY] [--time HH:MM:SS] [--step NN]\n"
    "                  [--unit days|hours|minutes] [--count NNN] [FILE]\n"
    "Try 'trasel-cli --help' for more information.\n";

constexpr std::string_view kHelp =
    "Usage: trasel-cli [options] [FILE]\n"
    "\n"
    "Fits a straight line to the right ascension and to the declination of the\n"
    "observation records in FILE (80-column records, one per line; with no FILE\n"
    "or with \"-\", standard input) and lists the apparent speed and the\n"
    "predicted positions, exactly as the Trasel window lists them.\n"
    "Lines shorter than 80 characters are skipped; LF and CRLF line ends alike.\n"
    "\n"
    "Options (each value is read as the window reads its field):\n"
    "  --date DD/MM/YYYY           start date (default: today)\n"
    "  --time HH:MM:SS             start time (default: 00:00:00, with the\n"
    "                              locale's time separator)\n"
    "  --step NN                   step between rows (default: 01)\n"
    "  --unit days|hours|minutes   unit of the step (default: hours)\n"
    "  --count NNN                 number of steps; count + 1 rows (default: 048)\n"
    "  --help                      show this text and exit\n"
    "\n"
    "The listing goes to standard output, one line per line.\n"
    "Exit status: 0 listed; 1 fewer than two observations (the message goes to\n"
    "standard error); 2 an error ended the run (\"trasel-cli: \" and the message on\n"
    "standard error, after the part of the listing written before it) or the\n"
    "input could not be read; 64 a bad option or a missing value.\n";

StepUnit ParseUnit(std::string_view value)
{
    if (value == "days")
        return StepUnit::Days;
    if (value == "hours")
        return StepUnit::Hours;
    if (value == "minutes")
        return StepUnit::Minutes;
    throw UsageError("unknown unit '" + std::string(value) + "' (days, hours or minutes)");
}

}  // namespace

CommandLine ParseCommandLine(std::span<const std::string_view> arguments)
{
    CommandLine commandLine;
    bool fileGiven = false;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string_view argument = arguments[i];
        const bool isOption = !optionsEnded && argument.size() > 1 && argument.front() == '-';
        if (!isOption) {
            if (fileGiven)
                throw UsageError("more than one input file: '" + std::string(argument) + "'");
            commandLine.InputPath = std::string(argument);
            fileGiven = true;
            continue;
        }
        if (argument == "--") {
            optionsEnded = true;
            continue;
        }
        if (argument == "--help" || argument == "-h") {
            commandLine.Help = true;
            return commandLine;
        }

        // "--name=value" or "--name value".
        const std::size_t equals = argument.find('=');
        const std::string_view name = argument.substr(0, equals);
        std::string value;
        const bool known = name == "--date" || name == "--time" || name == "--step" || name == "--unit" || name == "--count";
        if (!known)
            throw UsageError("unknown option '" + std::string(name) + "'");
        if (equals != std::string_view::npos) {
            value = std::string(argument.substr(equals + 1));
        } else {
            if (i + 1 == arguments.size())
                throw UsageError("option '" + std::string(name) + "' needs a value");
            value = std::string(arguments[++i]);
        }

        if (name == "--date")
            commandLine.Date = value;
        else if (name == "--time")
            commandLine.Time = value;
        else if (name == "--step")
            commandLine.Step = value;
        else if (name == "--count")
            commandLine.Count = value;
        else
            commandLine.Unit = ParseUnit(value);
    }
    return commandLine;
}

std::string_view UsageSynopsis()
{
    return kSynopsis;
}

std::string_view HelpText()
{
    return kHelp;
}

}  // namespace trasel::cli
