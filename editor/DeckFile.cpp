#include "editor/DeckFile.h"

#include "common/DeckText.h"
#include "editor/CardRows.h"

#include <cstdio>
#include <memory>

namespace vrnnec::editor {

std::vector<std::string> SplitDeckLines(std::string_view bytes)
{
    return decktext::SplitLines(bytes);
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
    return decktext::JoinLines(lines);
}

std::string FileNotFoundMessage(const std::string& name)
{
    return ("File " + name + " is not found.").substr(0, 255);
}

} // namespace vrnnec::editor
