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

bool LineReader::openText(std::string_view text)
{
    close();
    atEnd_ = false;
    // An empty buffer is an empty file; fmemopen refuses a size of 0.
    static char empty = '\0';
    file_ = text.empty() ? fmemopen(&empty, 1, "r") : fmemopen(const_cast<char*>(text.data()), text.size(), "r");
    if (file_ && text.empty())
        std::fgetc(file_); // past the one byte: the stream is at its end
    return file_ != nullptr;
}

bool readFileText(const std::string& path, std::string& text)
{
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file)
        return false;
    text.clear();
    char buffer[65536];
    std::size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0)
        text.append(buffer, got);
    const bool ok = !std::ferror(file);
    std::fclose(file);
    return ok;
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