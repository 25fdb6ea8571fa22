#include "bench/record_generator.h"

#include <cinttypes>
#include <cstdio>

#include "textconv/textconv.h"

namespace trasel::bench {
namespace {

constexpr std::int64_t kFirstDay = 45962;                                 // 01/11/2025
constexpr std::int64_t kRaStart = 2 * 360000 + 57 * 6000 + 217;           // 02 57 02.17 in 0.01 s
constexpr std::int64_t kRaTurn = 24 * 360000;
constexpr std::int64_t kDecStart = (22 * 3600 + 27 * 60 + 31) * 10;       // +22 27 31.0 in 0.1"

}  // namespace

std::string Record(std::uint64_t index)
{
    const auto tick = static_cast<std::int64_t>(index);  // in 1e-5 day
    const CivilDate date = DecodeDayNumber(kFirstDay + tick / 100000);
    // A few hundredths of scatter from a hash of the index: -4..3.
    const std::uint64_t hash = (index + 1) * 0x9E3779B97F4A7C15ull;
    const std::int64_t jitter = static_cast<std::int64_t>(hash >> 61) - 4;
    // The RA falls 0.04 s of time and the Dec 0.3" a minute.
    const std::int64_t ra = ((kRaStart - tick * 576 / 10000 + jitter) % kRaTurn + kRaTurn) % kRaTurn;
    const std::int64_t signedDec = kDecStart - tick * 432 / 10000 + jitter;
    const std::int64_t dec = signedDec < 0 ? -signedDec : signedDec;

    char line[160];  // 81 in practice; room for any int64 the format could meet
    std::snprintf(line, sizeof line,
                  "     K21V32W  C%04d %02d %02d.%05" PRId64 " %02" PRId64 " %02" PRId64 " %02" PRId64
                  ".%02" PRId64 " %c%02" PRId64 " %02" PRId64 " %02" PRId64 ".%01" PRId64 "          20.5 RV~9JkpD29",
                  date.Year, date.Month, date.Day, tick % 100000, ra / 360000, ra / 6000 % 60, ra / 100 % 60, ra % 100,
                  signedDec < 0 ? '-' : '+', dec / 36000, dec / 600 % 60, dec / 10 % 60, dec % 10);
    return line;
}

}  // namespace trasel::bench
