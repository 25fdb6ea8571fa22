// In-process timings of the calculation, without the file and the output:
// one record read, and whole runs over growing inputs (the time per line
// must stay flat).
#include <benchmark/benchmark.h>

#include <string>
#include <string_view>
#include <vector>

#include "bench/record_generator.h"
#include "ephemeris/ephemeris.h"

namespace {

using namespace trasel;

class DiscardingBox : public ResultBox {
public:
    void Clear() override {}
    void Append(std::string_view line) override { benchmark::DoNotOptimize(line.data()); }
};

class DiscardingDialog : public MessageDialog {
public:
    void ShowMessage(std::string_view) override {}
};

void ReadOneObservation(benchmark::State& state)
{
    FixProgramSettings();
    const std::string line = bench::Record(12345);
    for (auto _ : state)
        benchmark::DoNotOptimize(ReadObservation(line));
}
BENCHMARK(ReadOneObservation);

void WholeRun(benchmark::State& state)
{
    FixProgramSettings();
    std::vector<std::string> records;
    for (std::int64_t i = 0; i < state.range(0); ++i)
        records.push_back(bench::Record(static_cast<std::uint64_t>(i)));
    const std::vector<std::string_view> lines(records.begin(), records.end());
    const RunSettings settings{"14/11/2025", "00:00:00", "01", "999", StepUnit::Hours};
    DiscardingBox box;
    DiscardingDialog dialog;
    for (auto _ : state)
        CalculateEphemeris(lines, settings, box, dialog);
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(WholeRun)->Arg(250000)->Arg(500000)->Arg(1000000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
