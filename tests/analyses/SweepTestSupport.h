// Helpers of the sweep tests: temporary files and classic sweep listings built line by
// line at the classic columns.
#pragma once

#include <string>
#include <vector>

namespace sweeptest {

std::string dataPath(const std::string& relative);

// A fresh folder, removed with everything in it.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::string& path() const { return path_; }
    std::string file(const std::string& name) const { return path_ + "/" + name; }
    std::string write(const std::string& name, const std::vector<std::string>& lines) const;

private:
    std::string path_;
};

struct Row {
    long long tag;
    double r, x;
};

// One frequency block of a classic sweep listing: heading, frequency and wavelength
// lines, the input table with its rows and the empty line after it.
std::vector<std::string> block(double frequency, const std::vector<Row>& rows);
std::string sourceRow(const Row& row);
std::string frequencyHeading();
std::string inputHeading();

// Lines of a listing: a banner, the blocks, and two trailing lines.
std::vector<std::string> listing(const std::vector<std::vector<std::string>>& blocks);

} // namespace sweeptest
