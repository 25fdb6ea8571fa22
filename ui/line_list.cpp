#include "ui/line_list.h"

namespace trasel {

LineList ReadLineList(const QString& text)
{
    LineList list;
    list.Text = text.toLatin1();
    const std::string_view all(list.Text.constData(), static_cast<std::size_t>(list.Text.size()));
    std::size_t start = 0;
    while (start < all.size()) {
        std::size_t end = all.find('\n', start);
        const std::size_t next = end == std::string_view::npos ? all.size() : end + 1;
        if (end == std::string_view::npos) end = all.size();
        std::string_view line = all.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        list.Lines.push_back(line);
        start = next;
    }
    return list;
}

}  // namespace trasel
