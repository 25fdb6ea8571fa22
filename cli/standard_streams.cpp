#include "cli/standard_streams.h"

#include <cstdio>

namespace trasel::cli {

void StandardOutputBox::Append(std::string_view line)
{
    std::fwrite(line.data(), 1, line.size(), stdout);
    std::fputc('\n', stdout);
}

bool StandardOutputBox::Finish()
{
    return std::fflush(stdout) == 0 && !std::ferror(stdout);
}

void StandardErrorDialog::ShowMessage(std::string_view text)
{
    std::fwrite(text.data(), 1, text.size(), stderr);
    std::fputc('\n', stderr);
    shown_ = true;
}

}  // namespace trasel::cli
