// The exit statuses of trasel-cli, in one place.
#pragma once

namespace trasel::cli {

enum ExitCode : int {
    kExitListed = 0,               // the whole listing was written (or --help)
    kExitTooFewObservations = 1,   // fewer than two observation lines: the message, no listing
    kExitRunFailed = 2,            // an error ended the run, or the input or output failed
    kExitUsage = 64,               // a bad option or a missing value (EX_USAGE of sysexits.h)
};

}  // namespace trasel::cli
