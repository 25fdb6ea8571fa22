// A report made by hand, for the outputs' tests: one degree a day eastward at
// dec 10, across 0h of right ascension.
#pragma once

#include "observer_test_support.h"

namespace trasel::testing {

inline ObjectReport HandReport(std::string designation)
{
    ObjectReport report{};
    report.Track.Designation = std::move(designation);
    report.Track.Observations = {{40552.0, 359.75, 10.0}, {40553.0, 360.75, 10.0}};
    report.Track.Stations = {"500", "G96"};
    report.Track.Fit = {40552.0, 1.0, 359.75, 0.0, 10.0};
    report.Schedule = {40553.0, 0.5, 1};
    report.Speed = 2.46;
    report.Rows = {{0, 1.0, 40553.0, {360.75, 10.0}, "10/01/2011 00:00:00", "00 03 00.0", "+10 00 00"},
                   {1, 1.5, 40553.5, {361.25, 10.0}, "10/01/2011 12:00:00", "00 05 00.0", "+10 00 00"}};
    report.Listing = {"Velocidad aparente: 2.46 \"/min", "", "row 0", "row 1", "", "Trasel", "web"};
    return report;
}

}  // namespace trasel::testing
