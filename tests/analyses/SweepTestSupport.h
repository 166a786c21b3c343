// Helpers of the sweep tests: temporary files and classic sweep listings built line by
// line at the classic columns.
#pragma once

#include "tests/support/TestFiles.h"

#include <string>
#include <vector>

namespace sweeptest {

std::string dataPath(const std::string& relative);

using testsupport::TempFolder;

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
