// Splitting a line of free-format fields (a card's fields, a Touchstone data line).
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vrnnec::analyses {

// The non-empty pieces of `text` between any of the characters in `separators`.
inline std::vector<std::string> SplitFields(std::string_view text, std::string_view separators)
{
    std::vector<std::string> fields;
    std::string field;
    for (char c : text) {
        if (separators.find(c) != std::string_view::npos) {
            if (!field.empty())
                fields.push_back(std::move(field));
            field.clear();
        } else {
            field += c;
        }
    }
    if (!field.empty())
        fields.push_back(std::move(field));
    return fields;
}

} // namespace vrnnec::analyses
