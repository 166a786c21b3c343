// Cutting a text at a separator character. Plain C++, no Qt.
#pragma once

#include <string>
#include <vector>

namespace vrnnec::splittext {

// `text` cut at every `separator`, empty parts kept ("a,,b" gives three parts; a
// trailing separator gives an empty last part; an empty text gives none).
inline std::vector<std::string> At(const std::string& text, char separator)
{
    std::vector<std::string> parts;
    if (text.empty())
        return parts;
    std::string::size_type start = 0;
    for (;;) {
        const std::string::size_type end = text.find(separator, start);
        parts.push_back(text.substr(start, end == std::string::npos ? std::string::npos : end - start));
        if (end == std::string::npos)
            return parts;
        start = end + 1;
    }
}

} // namespace vrnnec::splittext
