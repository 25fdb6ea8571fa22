// Internals shared by the files of the observer library; not for callers.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "cli/observer/observer.h"

namespace trasel::detail {

// The program's 8-bit ANSI texts as UTF-8, each byte above 127 taken as its
// Latin-1 character: "\xB0" becomes "\xC2\xB0".
std::string Latin1ToUtf8(std::string_view text);

// A point of the sky on the plane of the chart, in arcseconds from the
// centre: east and north.
struct PlanePoint {
    long double East;
    long double North;
};

// The azimuthal equidistant projection about a centre: distances from the
// centre are true, and near it east and north are the local directions.
// 1 degree due north of the centre is (0, 3600).
PlanePoint ProjectOnSky(const SkyPosition& centre, const SkyPosition& point);

// The largest 1, 2 or 5 times a power of ten (1 at least) not above limit:
// 740 gives 500, 19.9 gives 10, 0.3 gives 1.
long double NiceLength(long double limit);

// Every how many rows a time label stands so that rows 0..rows-1 get at
// most maxLabels of them: the smallest of 1, 2, 3, 4, 5, 6, 10, 12, 15, 20,
// 24, 30, 48, 60, then 100, 200, 500, 1000... 49 rows (two days hourly)
// with 9 labels give 6: a label every six hours.
std::int64_t LabelStride(std::int64_t rows, std::int64_t maxLabels);

}  // namespace trasel::detail
