// One conversion of an antenna file into a NEC-2 deck through the library export,
// with the parameters a calculation gathers.
#pragma once

#include "common/ConversionOptions.h"

#include <string>

namespace vrnnec::engine {

struct ConversionResult {
    std::string error;           // empty when the deck is complete
    double frequencyMHz = 0;     // the frequency the deck was built with
    double heightM = 0;          // the height the deck was built with (0 in free space)
    double azimuthDeg = 0;       // the normalised azimuth of the elevation cut
    bool sommerfeldUsed = false; // a "GN 2" card was written
};

// Longest path, in bytes, that crosses the library interface.
inline constexpr std::size_t kMaxPathBytes = 255;

// The message for a path longer than the library takes, empty when it fits.
std::string checkPathLength(const std::string& path);

// Values of the calculation that no physical ground has, refused with "Relative
// dielectric constant of the ground must not be lower than 1." and "Conductivity of the
// ground must not be negative.". They are checked unless the calculation is over
// perfect ground, which does not use them; values that are not finite are left to the
// library's own message. Returns an empty text when the values are fine.
std::string checkConversionValues(const conversion::ConversionOptions& options);

// Converts `antennaPath` into the deck `deckPath`. Values that checkConversionValues
// refuses and paths longer than 255 bytes are refused with a message before the
// library is called.
ConversionResult convertAntenna(const std::string& antennaPath, const std::string& deckPath,
                                const conversion::ConversionOptions& options);

} // namespace vrnnec::engine