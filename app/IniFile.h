// A small INI file reader and writer with the plain layout:
//
//   [Section]
//   Key=Value
//
// Section and key names compare without regard to case, blanks around names and values
// are dropped, a value enclosed in a matching pair of quotes loses them, and lines that
// start with ';' or '#' are comments. Lines the reader does not understand are kept as
// they are, so writing a file back only changes the keys that were written.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vrnnec {

class IniFile {
public:
    // Reads the file; false (and an empty content) when it cannot be read.
    bool load(const std::string& path);
    // Replaces the content by the given text (LF or CR LF line ends).
    void parse(std::string_view text);

    // The value of `key` in `section`; `defaultValue` when either is missing. The first
    // of several equal sections or keys counts.
    std::string readString(std::string_view section, std::string_view key, std::string_view defaultValue) const;
    bool hasKey(std::string_view section, std::string_view key) const;

    // Sets the value, adding the key at the end of its section and the section at the
    // end of the file when they are missing. Line breaks in the value become blanks.
    void writeString(std::string_view section, std::string_view key, std::string_view value);

    // The whole content as it would be written, LF line ends.
    std::string text() const;

    // Writes the content through the atomic writer (common/AtomicFile.h), so that a
    // failed write leaves an existing file untouched. False on any failure.
    bool save(const std::string& path) const;

private:
    struct Line {
        std::string raw;   // the line as read (or as built for a new entry)
        std::string key;   // trimmed key of an entry line; empty for other lines
        std::string value; // trimmed, unquoted value of an entry line
    };
    struct Section {
        std::string name; // empty for the lines before the first section heading
        std::string heading;
        std::vector<Line> lines;
    };

    const Section* findSection(std::string_view name) const;
    Section* findSection(std::string_view name);

    std::vector<Section> sections_;
};

} // namespace vrnnec
