// One conversion of an antenna file into a NEC-2 deck through the library export,
// with the parameters a calculation gathers.
#pragma once

#include "common/CoatParameters.h"

#include <string>

namespace engine {

struct ConversionSettings {
    bool useDM2 = true;          // "DM2 Seg."
    bool useCSDVS = false;       // "CSDVS"
    bool useEK = false;          // "EThWK"
    double thetaDeg = 70;        // polar angle of the azimuth cut: 90 - elevation
    double azimuthDeg = 0;       // azimuth of the elevation cut
    bool changeFrequency = false;
    double frequencyMHz = 14;
    bool changeHeight = false;
    double heightM = 30;
    double groundEps = 13;
    double groundSigma = 0.005;  // S/m
    bool perfectGround = false;
    coat::CoatParameters coat = coat::plainParameters();
};

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
                                const ConversionSettings& settings);

} // namespace engine
