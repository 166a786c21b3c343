#include "common/DeckText.h"

#include <algorithm>

namespace vrnnec::decktext {

std::string CutLine(std::string_view line)
{
    return std::string(line.substr(0, std::min(line.size(), kMaxLine)));
}

LinesWithEnds SplitKeepingEnds(std::string_view bytes)
{
    LinesWithEnds split;
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t end = bytes.find_first_of("\r\n", start);
        if (end == std::string_view::npos)
            end = bytes.size();
        const bool crLf = end + 1 < bytes.size() && bytes[end] == '\r' && bytes[end + 1] == '\n';
        const std::size_t next = std::min(bytes.size(), end + (crLf ? 2 : 1));
        split.lines.emplace_back(bytes.substr(start, end - start));
        split.ends.emplace_back(bytes.substr(end, next - end));
        start = next;
    }
    return split;
}

std::vector<std::string> SplitLines(std::string_view bytes)
{
    std::vector<std::string> lines = SplitKeepingEnds(bytes).lines;
    for (std::string& line : lines)
        line = CutLine(line);
    return lines;
}

std::string JoinLines(const std::vector<std::string>& lines)
{
    std::string bytes;
    for (const std::string& line : lines)
        bytes.append(line).append("\r\n");
    return bytes;
}

} // namespace vrnnec::decktext
