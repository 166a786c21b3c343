#include "ListingFixture.h"

#include <cstdio>
#include <fstream>
#include <stdexcept>

namespace fixture {

namespace {

std::vector<std::string> readLines(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    if (!file)
        throw std::runtime_error("cannot open " + path);
    std::vector<std::string> lines;
    std::string line;
    while (std::getline(file, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

bool headingAt(const std::string& line, std::size_t column, const std::string& text)
{
    return line.size() >= column - 1 + text.size() && line.compare(column - 1, text.size(), text) == 0;
}

std::size_t findHeading(const std::vector<std::string>& lines, std::size_t from,
                        std::size_t column, const std::string& text)
{
    for (std::size_t i = from; i < lines.size(); ++i)
        if (headingAt(lines[i], column, text))
            return i;
    throw std::runtime_error("heading not found: " + text);
}

} // namespace

std::string listingPath(const std::string& name)
{
    return std::string(TEST_DATA_DIR) + "/listings/" + name;
}

std::vector<std::string> patternLines(const std::string& listing)
{
    const std::vector<std::string> lines = readLines(listingPath(listing));
    const std::size_t first = findHeading(lines, 0, 55, "RADIATION PATTERNS");
    const std::size_t second = findHeading(lines, first + 1 + 4 + 360, 55, "RADIATION PATTERNS");
    std::vector<std::string> kept(lines.begin() + static_cast<long>(first),
                                  lines.begin() + static_cast<long>(second + 1 + 4 + 181));
    return kept;
}

std::vector<std::string> currentLines(const std::string& listing)
{
    const std::vector<std::string> lines = readLines(listingPath(listing));
    const std::size_t heading = findHeading(lines, 0, 36, "CURRENTS AND LOCATION");
    std::vector<std::string> rows;
    for (std::size_t i = heading + 7; i < lines.size() && !lines[i].empty(); ++i)
        rows.push_back(lines[i]);
    return rows;
}

std::string patternRow(double theta, double phi, double vertical, double horizontal,
                       double total)
{
    char text[128];
    std::snprintf(text, sizeof text, " %7.2f%9.2f   %8.2f%8.2f%8.2f    0.00000     0.00  LINEAR",
                  theta, phi, vertical, horizontal, total);
    return text;
}

std::string patternHeading()
{
    return std::string(48, ' ') + "- - - RADIATION PATTERNS - - -";
}

std::string currentRow(int segment, int tag, double x, double y, double z, double length,
                       double re, double im, double magnitude, double phase)
{
    char text[128];
    std::snprintf(text, sizeof text, " %5d%5d%9.4f%9.4f%9.4f%9.5f %12.4E%12.4E%12.4E%9.3f",
                  segment, tag, x, y, z, length, re, im, magnitude, phase);
    return text;
}

} // namespace fixture
