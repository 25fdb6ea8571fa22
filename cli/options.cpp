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
    "Observer's options (without them the listing is exactly the window's):\n"
    "  --skip-non-positions        pass over second lines of two-line records\n"
    "                              (s, v or r in column 15) and radar records (R),\n"
    "                              each reported on standard error with the count\n"
    "                              of observations used\n"
    "  --each-object               one listing per designation (columns 1-12), in\n"
    "                              order of first appearance, each with its own fit,\n"
    "                              separated by one empty line\n"
    "  --rates                     add to each row the motion in RA*cos(Dec) and in\n"
    "                              Dec (\"/min) and its position angle (degrees east\n"
    "                              of north)\n"
    "  --residuals                 after the listing, each observation's residual\n"
    "                              against the fit (\") and their RMS\n"
    "  --uncertainty               add to each row the 1-sigma uncertainty (\") of\n"
    "                              the predicted position in RA*cos(Dec) and Dec\n"
    "  --sigma ARCSEC              assumed astrometric error, the least sigma per\n"
    "                              observation (default: 0.5)\n"
    "  --format text|json          json: the whole result as one JSON document\n"
    "  --chart FILE.svg            write a chart of the sky around the track; with\n"
    "                              --each-object FILE-1.svg, FILE-2.svg, ...\n"
    "\n"
    "The listing goes to standard output, one line per line.\n"
    "Exit status: 0 listed; 1 fewer than two observations (the message goes to\n"
    "standard error; with --each-object, an object named there, the others\n"
    "listed); 2 an error ended the run (\"trasel-cli: \" and the message on\n"
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

// True for json; text is the listing.
bool ParseFormat(std::string_view value)
{
    if (value == "json" || value == "text")
        return value == "json";
    throw UsageError("unknown format '" + std::string(value) + "' (text or json)");
}

std::string ParseChartPath(std::string_view value)
{
    if (value.empty())
        throw UsageError("option '--chart' needs a file name");
    return std::string(value);
}

// The observer's options that take no value; false for any other argument.
bool SetObserverFlag(std::string_view name, ObserverOptions& options)
{
    bool* const flag = name == "--skip-non-positions" ? &options.SkipNonPositions
                       : name == "--each-object"      ? &options.EachObject
                       : name == "--rates"            ? &options.Extras.Rates
                       : name == "--residuals"        ? &options.Extras.Residuals
                       : name == "--uncertainty"      ? &options.Extras.Uncertainty
                                                      : nullptr;
    if (flag != nullptr)
        *flag = true;
    return flag != nullptr;
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
        if (SetObserverFlag(name, commandLine.Observer)) {
            if (equals != std::string_view::npos)
                throw UsageError("option '" + std::string(name) + "' takes no value");
            continue;
        }
        std::string value;
        const bool known = name == "--date" || name == "--time" || name == "--step" || name == "--unit" ||
                           name == "--count" || name == "--sigma" || name == "--format" || name == "--chart";
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
        else if (name == "--sigma")
            commandLine.Observer.Sigma = value;  // read by the run, as the other values
        else if (name == "--format")
            commandLine.Observer.Json = ParseFormat(value);
        else if (name == "--chart")
            commandLine.Observer.ChartPath = ParseChartPath(value);
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
