// Helpers of the observer tests: record lines in their columns, fixtures,
// and the listing of a run as the calculation writes it.
#pragma once

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "cli/observer/observer.h"

namespace trasel::testing {

// An 80-column record: designation in columns 1-12, the type in 15, then
// date "YYYY MM DD.ddddd" (16-31), RA "HH MM SS.ss" (33-43), Dec "sDD MM SS.s"
// (45-55), a magnitude and the station in 78-80.
inline std::string Record(std::string_view designation, std::string_view date, std::string_view ra,
                          std::string_view dec, char type = 'C', std::string_view station = "500")
{
    std::string line = std::string(designation) + std::string(12 - designation.size(), ' ') + "  " + type +
                       std::string(date) + " " + std::string(ra) + " " + std::string(dec) + std::string(10, ' ') +
                       "18.5 V      " + std::string(station);
    EXPECT_EQ(line.size(), 80u) << line;
    return line;
}

// The window's fixed regional settings, whatever the machine's locale.
inline void PinSettings()
{
    Settings() = RegionalSettings{};
    FixProgramSettings();
}

inline std::vector<std::string> ReadFixture(const std::string& name)
{
    std::ifstream file(std::string(TRASEL_OBSERVER_FIXTURES) + "/" + name, std::ios::binary);
    EXPECT_TRUE(file) << name;
    std::vector<std::string> lines;
    std::string line;
    while (std::getline(file, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

inline std::vector<std::string_view> Views(const std::vector<std::string>& lines)
{
    return {lines.begin(), lines.end()};
}

inline RunSettings MakeRunSettings(std::string date, std::string time, std::string step, StepUnit unit, std::string count)
{
    return {std::move(date), std::move(time), std::move(step), std::move(count), unit};
}

class NoDialog : public MessageDialog {
public:
    void ShowMessage(std::string_view text) override { ADD_FAILURE() << "unexpected message: " << text; }
};

// The report of a complete run of the calculation over these lines.
inline ObjectReport ReportFor(const std::vector<std::string>& lines, const RunSettings& settings)
{
    const std::vector<std::string_view> views = Views(lines);
    ListingCapture listing;
    NoDialog dialog;
    CalculateEphemeris(views, settings, listing, dialog);
    return MakeReport(views, settings, std::move(listing.Lines));
}

}  // namespace trasel::testing
