// Test inputs: blocks cut from the sample listings, and synthetic pattern and current
// rows laid out at the columns of the classic listing.
#pragma once

#include <string>
#include <vector>

namespace fixture {

std::string listingPath(const std::string& name); // e.g. "classic/yagi3_loads.out"

// The pattern lines as the listing reader keeps them: first RADIATION PATTERNS heading,
// 4 header lines, 360 rows, the lines up to and including the second heading, 4 header
// lines, 181 rows.
std::vector<std::string> patternLines(const std::string& listing);

// The rows of the CURRENTS AND LOCATION block (7th line after the heading up to the
// first empty line).
std::vector<std::string> currentLines(const std::string& listing);

// One pattern row: theta, phi, vertical, horizontal and total gain.
std::string patternRow(double theta, double phi, double vertical, double horizontal,
                       double total);
std::string patternHeading();

// Gains of one direction.
struct Gains {
    double vertical;
    double horizontal;
    double total;
};

// A complete pattern list from gain functions of the azimuth (degrees) and of the
// elevation (degrees above the front horizon, 0..180).
template <typename AzimuthGains, typename ElevationGains>
std::vector<std::string> syntheticPattern(AzimuthGains azimuth, ElevationGains elevation)
{
    std::vector<std::string> lines{patternHeading(), "", "  - - ANGLES - -", "  THETA",
                                   " DEGREES"};
    for (int k = 0; k < 360; ++k) {
        const Gains g = azimuth(k);
        lines.push_back(patternRow(70.0, k, g.vertical, g.horizontal, g.total));
    }
    lines.insert(lines.end(), {"", " ***** DATA CARD NO. 11   RP", "", patternHeading(), "",
                               "  - - ANGLES - -", "  THETA", " DEGREES"});
    for (int m = 0; m < 181; ++m) {
        const Gains g = elevation(m);
        lines.push_back(patternRow(90.0 - m, 0.0, g.vertical, g.horizontal, g.total));
    }
    return lines;
}

// One current row: segment, tag, centre in wavelengths, length in wavelengths, real,
// imaginary and magnitude of the current and its phase.
std::string currentRow(int segment, int tag, double x, double y, double z, double length,
                       double re, double im, double magnitude, double phase);

} // namespace fixture
