// Test inputs: blocks cut from the sample listings, and synthetic pattern and current
// rows laid out at the columns of the classic listing.
#pragma once

#include "engine/ListingData.h"

#include <string>
#include <vector>

using namespace vrnnec;

namespace fixture {

std::string listingPath(const std::string& name); // e.g. "classic/yagi3_loads.out"

// The two pattern cuts and the current rows of a sample listing, as the listing parse
// gives them.
engine::PatternCuts patternCuts(const std::string& listing);
std::vector<engine::CurrentRow> currents(const std::string& listing);

// Typed rows of rows laid out at the classic columns.
std::vector<engine::CurrentRow> currentRows(const std::vector<std::string>& lines);

// One pattern row: theta, phi, vertical, horizontal and total gain.
std::string patternRow(double theta, double phi, double vertical, double horizontal, double total);
std::string patternHeading();

// Gains of one direction.
struct Gains {
    double vertical;
    double horizontal;
    double total;
};

// Both cuts from gain functions of the azimuth (degrees) and of the elevation (degrees
// above the front horizon, 0..180), each row written at the classic columns and read
// back by the listing's row reader.
template <typename AzimuthGains, typename ElevationGains>
engine::PatternCuts syntheticPattern(AzimuthGains azimuth, ElevationGains elevation)
{
    engine::PatternCuts cuts;
    for (int k = 0; k < 360; ++k) {
        const Gains g = azimuth(k);
        cuts.azimuth.push_back(engine::ReadPatternRow(patternRow(70.0, k, g.vertical, g.horizontal, g.total)));
    }
    for (int m = 0; m < 181; ++m) {
        const Gains g = elevation(m);
        cuts.elevation.push_back(engine::ReadPatternRow(patternRow(90.0 - m, 0.0, g.vertical, g.horizontal, g.total)));
    }
    return cuts;
}

// One current row: segment, tag, centre in wavelengths, length in wavelengths, real,
// imaginary and magnitude of the current and its phase.
std::string currentRow(int segment, int tag, double x, double y, double z, double length, double re, double im,
                       double magnitude, double phase);

} // namespace fixture
