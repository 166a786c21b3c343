// The program's quick look at an antenna description file: frequency, wire radii and
// the ground line. Plain C++; numbers are read in point notation whatever the locale.
#pragma once

#include "common/AntennaCodes.h"

#include <string>
#include <vector>

namespace vrnnec {

struct AntennaPreview {
    double frequency = 0;                                            // MHz
    std::vector<double> radiiMm;                                     // one per wire, in file order, in millimetres
    antenna::GroundType groundType = antenna::GroundType::FreeSpace; // only the three known types
    double height = 0;                                               // m; 0 for free space
    double swrReferenceR = 0;                                        // ohm
    double swrReferenceX = 0;                                        // ohm
};

struct AntennaPreviewReading {
    AntennaPreview preview;
    std::string message; // empty on success, else the text to show
    bool ok() const { return message.empty(); }
};

// Finds the sections by their marker lines (lines beginning with "*"): the line after
// the first marker is the frequency, the line after the second the wire count; the
// ground line follows the fourth marker after the wire table. A file that ends before
// a marker is found gives the format message.
AntennaPreviewReading ReadAntennaPreview(const std::string& path);

// The distinct radii of a preview in order of first appearance (the list offered for
// coating).
std::vector<double> DistinctRadiiMm(const AntennaPreview& preview);

} // namespace vrnnec
