// The runs of decimal digits in a text, with their values, for the targets
// that check a date or a time against the numbers written in it.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace trasel::fuzz {

struct DigitRun {
    std::int64_t Value = 0;  // capped, so a long run cannot overflow
    int Digits = 0;
};

inline std::vector<DigitRun> DigitRuns(std::string_view text)
{
    std::vector<DigitRun> runs;
    bool inRun = false;
    for (const char c : text) {
        if (c >= '0' && c <= '9') {
            if (!inRun)
                runs.emplace_back();
            inRun = true;
            DigitRun& run = runs.back();
            run.Value = run.Value > 1'000'000'000 ? run.Value : run.Value * 10 + (c - '0');
            ++run.Digits;
        } else {
            inRun = false;
        }
    }
    return runs;
}

}  // namespace trasel::fuzz
