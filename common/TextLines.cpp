#include "common/TextLines.h"

#include "common/NumberText.h"

#include <algorithm>

namespace vrnnec::textlines {

LineReader::~LineReader()
{
    close();
}

bool LineReader::open(const std::string& path)
{
    close();
    atEnd_ = false;
    file_ = std::fopen(path.c_str(), "rb");
    return file_ != nullptr;
}

void LineReader::close()
{
    if (file_) {
        std::fclose(file_);
        file_ = nullptr;
    }
}

bool LineReader::next(std::string& line)
{
    line.clear();
    if (!file_ || atEnd_) {
        atEnd_ = true;
        return false;
    }
    // One reader per file and thread: the stream's lock is not needed per character.
    int c = getc_unlocked(file_);
    if (c == EOF) {
        atEnd_ = true;
        return false;
    }
    while (c != EOF && c != '\n' && c != '\r') {
        if (line.size() < kMaxLineLength)
            line.push_back(static_cast<char>(c));
        c = getc_unlocked(file_);
    }
    if (c == '\r') {
        const int after = getc_unlocked(file_);
        if (after != '\n' && after != EOF)
            std::ungetc(after, file_);
    }
    return true;
}

bool readAllLines(const std::string& path, std::vector<std::string>& lines)
{
    LineReader reader;
    if (!reader.open(path))
        return false;
    lines.clear();
    std::string line;
    while (reader.next(line))
        lines.push_back(line);
    return true;
}

std::string_view columns(std::string_view line, int from, int to)
{
    if (from < 1)
        from = 1;
    if (to < from || static_cast<std::size_t>(from) > line.size())
        return {};
    const auto start = static_cast<std::size_t>(from - 1);
    const auto length = std::min(line.size(), static_cast<std::size_t>(to)) - start;
    return line.substr(start, length);
}

std::string_view columnsFrom(std::string_view line, int from)
{
    if (from < 1)
        from = 1;
    if (static_cast<std::size_t>(from) > line.size())
        return {};
    return line.substr(static_cast<std::size_t>(from - 1));
}

bool columnReal(std::string_view line, int from, int to, double& value)
{
    return numtext::parseTrimmedReal(columns(line, from, to), value);
}

bool columnInteger(std::string_view line, int from, int to, long long& value)
{
    return numtext::parseTrimmedInteger(columns(line, from, to), value);
}

} // namespace vrnnec::textlines