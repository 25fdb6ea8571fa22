// Deterministic observation records for the benchmarks: record i of one
// slowly moving object, 80 columns, one every 1e-5 day from 2025-11-01.
#pragma once

#include <cstdint>
#include <string>

namespace trasel::bench {

// The same text for the same index on every run and every machine.
std::string Record(std::uint64_t index);

}  // namespace trasel::bench
