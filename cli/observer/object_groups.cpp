#include "cli/observer/observer.h"

#include <unordered_map>

namespace trasel {

std::vector<ObjectLines> GroupByDesignation(std::span<const std::string_view> lines)
{
    std::vector<ObjectLines> objects;
    std::unordered_map<std::string, std::size_t> indexOf;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string_view line = lines[i];
        if (!IsObservationLine(line))
            continue;
        // The listing names an object by its trimmed columns 1-12, so lines
        // that differ only in blanks there belong to one object.
        std::string designation = ReadDesignation(line);
        auto [slot, isNew] = indexOf.try_emplace(designation, objects.size());
        if (isNew)
            objects.push_back({std::move(designation), {}, {}});
        ObjectLines& object = objects[slot->second];
        object.Lines.push_back(line);
        object.LineNumbers.push_back(i + 1);
    }
    return objects;
}

}  // namespace trasel
