// Line-by-line reading of text files and fixed-column fields.
//
// Lines end at LF, CR LF or a lone CR. Every line is cut to 255 characters; the rest
// of an overlong line is lost. After the end of the file every further read yields an
// empty line, so a file that ends early reads as a run of empty lines.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace vrnnec::textlines {

constexpr std::size_t kMaxLineLength = 255;

class LineReader {
public:
    LineReader() = default;
    explicit LineReader(const std::string& path) { open(path); }
    ~LineReader();
    LineReader(const LineReader&) = delete;
    LineReader& operator=(const LineReader&) = delete;

    bool open(const std::string& path);
    // Reads `text` (which must outlive the reading) as if it were a file's content.
    bool openText(std::string_view text);
    bool isOpen() const { return file_ != nullptr; }
    void close();

    // Reads the next line into `line`. Returns false (and an empty line) when the file
    // has ended before this read.
    bool next(std::string& line);
    // True once a read has found the end of the file.
    bool atEnd() const { return atEnd_; }

private:
    std::FILE* file_ = nullptr;
    bool atEnd_ = false;
};

// The whole content of a file; false when it cannot be read.
bool readFileText(const std::string& path, std::string& text);

// All lines of a file with the rules above; false when the file cannot be opened.
bool readAllLines(const std::string& path, std::vector<std::string>& lines);

// Characters from..to (1-based, inclusive) of a line; fewer when the line is shorter.
std::string_view columns(std::string_view line, int from, int to);
// Characters from `from` (1-based) to the end of the line.
std::string_view columnsFrom(std::string_view line, int from);

// A field at fixed columns, trimmed and read as a whole number in point notation.
bool columnReal(std::string_view line, int from, int to, double& value);
bool columnInteger(std::string_view line, int from, int to, long long& value);

} // namespace vrnnec::textlines