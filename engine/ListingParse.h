// Parsing of a NEC-2 output listing in the classic column layout into typed values.
//
// The listing is read once, front to back: each section is found by its heading text at
// fixed columns, each search starting where the previous one ended, and every table ends
// at its first empty line. The reading of a calculation's listing goes through the
// segmentation data, the frequency, the environment, the sources (or the excitation),
// the currents, the power budget when there is one, and the two pattern cuts; any
// section missing or unreadable stops it with its message.
#pragma once

#include "common/Messages.h"
#include "engine/ListingData.h"

#include <string>

namespace vrnnec::engine {

// Rows of the two pattern cuts the deck asks for.
inline constexpr int kAzimuthRows = 360;
inline constexpr int kElevationRows = 181;

struct ParseOptions {
    // `ReadADMCheck`: the source rows must hold a readable admittance instead of a
    // readable impedance.
    bool readAdmittance = false;
    // The deck asked for one full pattern table instead of the two cuts: the reading
    // takes its rows (to the table's first empty line) into `fullPattern`; every angle
    // and gain must read.
    bool fullPattern = false;
    // Also read what the 3-D viewer shows (ParseViewerSections) from the same reading of
    // the file, into `ListingData::viewer`.
    bool viewerSections = false;
};

// Parses the listing at `listingPath`.
ListingData ParseListing(const std::string& listingPath, const ParseOptions& options = {});

// The messages a reading stops with.
namespace listingmessages {
inline constexpr const char* kOpenFailed = messages::kListingOpenFailed;
inline constexpr const char* kNoSegmentation = "SEGMENTATION data in output NEC-2 file not found.";
inline constexpr const char* kBadSegmentation =
    "Invalid SEGMENTATION DATA data (may be due to incorrect cards in NEC-2 input). See NEC-2 output file.";
inline constexpr const char* kNoFrequency = "FREQUENCY data in output NEC-2 file not found.";
inline constexpr const char* kBadFrequency =
    "Invalid FREQUENCY data (may be due to incorrect FR cards in NEC-2 input). See NEC-2 output file.";
inline constexpr const char* kNoEnvironment = "ANTENNA ENVIRONMENT in output NEC-2 file not found.";
inline constexpr const char* kNoExcitation = "Impedance or exitation data in output NEC-2 file not found.";
inline constexpr const char* kBadInputParameters =
    "Invalid ANTENNA INPUT PARAMETERS data (may be due to incorrect cards in NEC-2 input). See NEC-2 output file.";
inline constexpr const char* kNoCurrents = "CURRENTS data in output NEC-2 file not found.";
inline constexpr const char* kNoPattern = "Radiation pattern data in output NEC-2 file not found.";
inline constexpr const char* kBadPattern = "Radiation pattern data in Output NEC-2 file are ivalid (may be due to "
                                           "incorrect RP card in NEC-2 input). See NEC-2 output file.";
} // namespace listingmessages

} // namespace vrnnec::engine