#include "editor/DeckFile.h"

#include "editor/CardRows.h"

#include <cstdio>
#include <memory>

namespace vrnnec::editor {

std::vector<std::string> SplitDeckLines(std::string_view bytes)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t end = bytes.find_first_of("\r\n", start);
        if (end == std::string_view::npos)
            end = bytes.size();
        lines.emplace_back(bytes.substr(start, std::min(end - start, kMaxDeckLine)));
        const bool crLf = end + 1 < bytes.size() && bytes[end] == '\r' && bytes[end + 1] == '\n';
        start = end + (crLf ? 2 : 1);
    }
    return lines;
}

std::optional<std::vector<std::string>> ReadDeckFile(const std::string& path)
{
    const std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"), &std::fclose);
    if (!file)
        return std::nullopt;
    std::string bytes;
    char buffer[65536];
    std::size_t count = 0;
    while ((count = std::fread(buffer, 1, sizeof buffer, file.get())) > 0)
        bytes.append(buffer, count);
    if (std::ferror(file.get()))
        return std::nullopt;
    return SplitDeckLines(bytes);
}

std::string DeckFileBytes(const std::vector<std::string>& lines)
{
    std::string bytes;
    for (const std::string& line : lines)
        bytes += line + "\r\n";
    return bytes;
}

std::string FileNotFoundMessage(const std::string& name)
{
    return ("File " + name + " is not found.").substr(0, 255);
}

} // namespace vrnnec::editor
