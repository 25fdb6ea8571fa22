// CalculateEphemeris on fuzzed lines and setting texts. The first line of
// the input picks the step unit and the time separator; the next four are
// the start date, start time, step and count texts (a count above 300 is
// passed over, to keep a run short); the rest are the input box's lines.
// Checked: the message or the error, and what the result box holds after
// each failure; on success the listing's exact shape.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ephemeris/ephemeris.h"
#include "fuzz/fuzz_support.h"
#include "fuzz/listing_shape.h"

using namespace trasel;

namespace {

class RecordingBox : public ResultBox {
public:
    std::vector<std::string> Lines;
    int Clears = 0;
    bool AppendBeforeClear = false;
    void Clear() override
    {
        ++Clears;
        Lines.clear();
    }
    void Append(std::string_view line) override
    {
        AppendBeforeClear = AppendBeforeClear || Clears == 0;
        Lines.emplace_back(line);
    }
};

class RecordingDialog : public MessageDialog {
public:
    std::vector<std::string> Messages;
    void ShowMessage(std::string_view text) override { Messages.emplace_back(text); }
};

std::vector<std::string_view> SplitLines(std::string_view text)
{
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        lines.push_back(text.substr(0, end));
        text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
    }
    return lines;
}

template <typename Conversion>
bool Converts(Conversion conversion)
{
    try {
        conversion();
        return true;
    } catch (const TraselError&) {
        return false;
    }
}

bool IsRefusal(std::string_view message)
{
    for (const std::string_view kind : {"integer value", "floating point value", "date", "time"}) {
        const std::string tail = "' is not a valid " + std::string(kind);
        if (message.size() >= tail.size() + 1 && message.front() == '\'' && message.ends_with(tail))
            return true;
    }
    return false;
}

bool AllObservationsRead(const std::vector<std::string_view>& lines)
{
    for (const std::string_view line : lines) {
        if (IsObservationLine(line) && !Converts([&] { ReadObservation(line); }))
            return false;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size)
{
    const std::vector<std::string_view> all = SplitLines({reinterpret_cast<const char*>(bytes), size});
    if (all.size() < 5 || all[0].empty())
        return -1;
    fuzz::PinClock();
    const char timeSeparator = (all[0][0] & 4) != 0 ? '.' : ':';
    RegionalSettings regional;
    regional.TimeSeparator = timeSeparator;
    Settings() = regional;
    FixProgramSettings();

    RunSettings settings;
    settings.Unit = (all[0][0] & 3) == 0 ? StepUnit::Days : (all[0][0] & 3) == 1 ? StepUnit::Minutes : StepUnit::Hours;
    settings.StartDate = all[1];
    settings.StartTime = all[2];
    settings.Step = all[3];
    settings.Count = all[4];
    std::optional<std::int32_t> count;
    try {
        count = TextToInteger(settings.Count);
    } catch (const EConvertError&) {
    }
    if (count && *count > 300)
        return -1;
    const std::vector<std::string_view> lines(all.begin() + 5, all.end());

    std::size_t observationLines = 0;
    for (const std::string_view line : lines)
        observationLines += IsObservationLine(line) ? 1 : 0;

    RecordingBox box;
    box.Lines = {"the previous listing"};
    RecordingDialog dialog;
    std::optional<std::string> failure;
    try {
        CalculateEphemeris(lines, settings, box, dialog);
    } catch (const std::exception& error) {
        fuzz::RequireNamedError(error);
        failure = error.what();
    }

    fuzz::Require(!box.AppendBeforeClear && box.Clears <= 1, "the box is written before it is cleared");
    if (observationLines < 2) {
        fuzz::Require(!failure && dialog.Messages.size() == 1 && dialog.Messages[0] == kTooFewObservationsMessage,
                      "fewer than two observations without the message");
        fuzz::Require(box.Clears == 0, "the box changed after the two-observation message");
        return 0;
    }
    fuzz::Require(dialog.Messages.empty(), "the message shown with two observations or more");

    // Steps up to the settings: the box keeps the previous listing.
    if (box.Clears == 0) {
        fuzz::Require(failure.has_value(), "a run ended without clearing the box");
        // A NUL byte cuts what() short, and two texts alike up to it cannot
        // be told apart; a record's field may also hold a setting's text.
        // With every record read and the texts distinct, the first bad
        // setting in the order date, time, step is the one reported,
        // unless the fit failed before the settings were read.
        const bool distinct = (settings.StartDate + settings.StartTime + settings.Step).find('\0') == std::string::npos;
        if (distinct && AllObservationsRead(lines)) {
            std::string expected;
            if (!Converts([&] { TextToDate(settings.StartDate); }))
                expected = fuzz::RefusalMessage(settings.StartDate, "date");
            else if (!Converts([&] { TextToTime(settings.StartTime); }))
                expected = fuzz::RefusalMessage(settings.StartTime, "time");
            else if (!Converts([&] { TextToInteger(settings.Step); }))
                expected = fuzz::RefusalMessage(settings.Step, "integer value");
            if (IsRefusal(*failure))
                fuzz::Require(*failure == expected, "a setting's error out of order", *failure);
        }
        return 0;
    }
    if (failure && IsRefusal(*failure))
        fuzz::Require(!count && *failure == fuzz::RefusalMessage(settings.Count, "integer value"),
                      "a refusal after clearing that is not the count's", *failure);

    const std::string designation = ReadDesignation(lines.front());
    // After clearing: the speed line and an empty line come first.
    if (box.Lines.empty()) {
        fuzz::Require(failure.has_value(), "an empty listing");
        return 0;  // the speed itself failed (a floating-point error)
    }
    fuzz::Require(fuzz::IsSpeedLine(box.Lines[0]), "speed line", box.Lines[0]);
    fuzz::Require(box.Lines.size() >= 2 && box.Lines[1].empty(), "no empty line after the speed line");

    if (!count) {
        fuzz::Require(failure == fuzz::RefusalMessage(settings.Count, "integer value"), "bad count not reported");
        fuzz::Require(box.Lines.size() == 2, "a bad count leaves more than the speed line and the empty line");
        return 0;
    }
    const std::size_t rows = *count >= 0 ? static_cast<std::size_t>(*count) + 1 : 0;
    std::size_t listed = 0;
    while (2 + listed < box.Lines.size() && listed < rows) {
        fuzz::Require(fuzz::IsRow(box.Lines[2 + listed], designation, timeSeparator), "row", box.Lines[2 + listed]);
        ++listed;
    }
    if (failure) {
        fuzz::Require(box.Lines.size() == 2 + listed && listed < rows, "a failed row left more than the rows before it");
        fuzz::Require(*failure == "Date outside the years 1 to 9999" || !IsRefusal(*failure), "row failure", *failure);
        return 0;
    }
    fuzz::Require(box.Lines.size() == rows + 5, "listing length");
    fuzz::Require(box.Lines[rows + 2].empty() && box.Lines[rows + 3] == kProgramCaption &&
                      box.Lines[rows + 4] == kProjectWebAddress,
                  "closing lines");
    return 0;
}
