// Where trasel-cli sends the run: the result box is standard output, the
// message dialog is standard error.
#pragma once

#include <string_view>

#include "ephemeris/ephemeris.h"

namespace trasel::cli {

// Writes each appended line to standard output as it comes, ended by "\n",
// bytes as they are. The run clears the box once, before its first line,
// so nothing written is ever withdrawn and printing at once shows what the
// box would hold, even after a failure part-way; a long listing streams
// instead of piling up in memory.
class StandardOutputBox : public ResultBox {
public:
    void Clear() override {}
    void Append(std::string_view line) override;
    // Flushes; false when standard output could not take everything.
    bool Finish();
};

// Writes the message and "\n" to standard error, and remembers it was shown.
class StandardErrorDialog : public MessageDialog {
public:
    void ShowMessage(std::string_view text) override;
    bool Shown() const { return shown_; }

private:
    bool shown_ = false;
};

}  // namespace trasel::cli
