// One conversion of an antenna file into a NEC-2 deck through the library export,
// with the parameters a calculation gathers.
#pragma once

#include "common/ConversionOptions.h"

#include <string>

namespace engine {

struct ConversionResult {
    std::string error;           // empty when the deck is complete
    double frequencyMHz = 0;     // the frequency the deck was built with
    double heightM = 0;          // the height the deck was built with (0 in free space)
    double azimuthDeg = 0;       // the normalised azimuth of the elevation cut
    bool sommerfeldUsed = false; // a "GN 2" card was written
};

// Longest path, in bytes, that crosses the library interface.
inline constexpr std::size_t kMaxPathBytes = 255;

// Converts `antennaPath` into the deck `deckPath`. Paths longer than 255 bytes are
// refused with a message instead of being cut.
ConversionResult convertAntenna(const std::string& antennaPath, const std::string& deckPath,
                                const conversion::ConversionOptions& options);

} // namespace engine
