#include "textconv/textconv.h"

namespace trasel {

std::string Trim(std::string_view text)
{
    auto isBlankOrControl = [](char c) { return static_cast<unsigned char>(c) <= 32; };
    std::size_t first = 0;
    std::size_t last = text.size();
    while (first < last && isBlankOrControl(text[first]))
        ++first;
    while (last > first && isBlankOrControl(text[last - 1]))
        --last;
    return std::string(text.substr(first, last - first));
}

std::string Substring(std::string_view text, std::int64_t position, std::int64_t count)
{
    const auto length = static_cast<std::int64_t>(text.size());
    if (position < 1)
        position = 1;
    if (position > length || count <= 0)
        return {};
    const std::int64_t available = length - position + 1;
    const std::int64_t taken = count < available ? count : available;
    return std::string(text.substr(static_cast<std::size_t>(position - 1), static_cast<std::size_t>(taken)));
}

}  // namespace trasel
