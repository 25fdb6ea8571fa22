// trasel-cli: the ephemeris calculation of the Trasel window for scripts and
// for observation records kept in files.
#include <cstdio>
#include <exception>
#include <string>
#include <string_view>
#include <vector>

#include "cli/exit_codes.h"
#include "cli/input_lines.h"
#include "cli/options.h"
#include "cli/standard_streams.h"
#include "ephemeris/ephemeris.h"

using namespace trasel;
using namespace trasel::cli;

namespace {

int Fail(StandardOutputBox& box, std::string_view message)
{
    box.Finish();  // the part of the listing written so far comes first
    std::fprintf(stderr, "trasel-cli: %.*s\n", static_cast<int>(message.size()), message.data());
    return kExitRunFailed;
}

// The settings as the window holds them at start: today's date written after
// the program's date settings are fixed, midnight with the locale's separator.
RunSettings SettingsFrom(const CommandLine& commandLine)
{
    const std::string separator(1, Settings().TimeSeparator);
    RunSettings settings;
    settings.StartDate = commandLine.Date ? *commandLine.Date : FormatDateTime("dd/mm/yyyy", LocalNow());
    settings.StartTime = commandLine.Time ? *commandLine.Time : "00" + separator + "00" + separator + "00";
    settings.Step = commandLine.Step;
    settings.Count = commandLine.Count;
    settings.Unit = commandLine.Unit;
    return settings;
}

// The exit status of a run with the observer's options.
int ExitFor(ObserverOutcome outcome)
{
    switch (outcome) {
    case ObserverOutcome::Listed:
        return kExitListed;
    case ObserverOutcome::TooFewObservations:
        return kExitTooFewObservations;
    case ObserverOutcome::Failed:
        break;
    }
    return kExitRunFailed;
}

}  // namespace

int main(int argc, char** argv)
{
    const std::vector<std::string_view> arguments(argv + (argc > 0 ? 1 : 0), argv + argc);
    CommandLine commandLine;
    try {
        commandLine = ParseCommandLine(arguments);
    } catch (const UsageError& error) {
        std::fprintf(stderr, "trasel-cli: %s\n%.*s", error.what(), static_cast<int>(UsageSynopsis().size()),
                     UsageSynopsis().data());
        return kExitUsage;
    }
    if (commandLine.Help) {
        std::fwrite(HelpText().data(), 1, HelpText().size(), stdout);
        return std::fflush(stdout) == 0 ? kExitListed : kExitRunFailed;
    }

    // As the window starts: the user's locale, then the program's three values.
    LoadSettingsFromUserLocale();
    FixProgramSettings();

    static char outputBuffer[1 << 16];
    std::setvbuf(stdout, outputBuffer, _IOFBF, sizeof outputBuffer);
    StandardOutputBox resultBox;
    StandardErrorDialog dialog;
    try {
        const RunSettings settings = SettingsFrom(commandLine);
        const InputText input(commandLine.InputPath);
        const std::vector<std::string_view> lines = SplitLines(input.Text());
        if (commandLine.Observer.Any())
            return ExitFor(RunObserver(lines, settings, commandLine.Observer, stdout, stderr));
        CalculateEphemeris(lines, settings, resultBox, dialog);
    } catch (const std::exception& error) {
        return Fail(resultBox, error.what());
    }
    if (dialog.Shown())
        return kExitTooFewObservations;
    if (!resultBox.Finish())
        return Fail(resultBox, "cannot write standard output");
    return kExitListed;
}
