// One conversion of an antenna description file into a NEC-2 deck file.
#pragma once

#include "converter/DeckWriter.h"

#include <optional>
#include <string>

namespace vrnnec::vrn {

struct ConversionResult {
    std::string error; // empty when the whole deck was written
    // What the caller's in/out variables receive; unset values stay as they were.
    std::optional<double> frequencyMHz;
    std::optional<double> heightM;
    std::optional<double> azimuthDeg;
    std::optional<bool> sommerfeldUsed;
};

// Reads `fileName`, checks the model and writes the deck to `deckPath`. A message of
// reading or checking leaves the deck file untouched; a message of the writing steps
// (a source on a wire of one segment with CSDVS, an elevation angle outside 0..180)
// leaves the deck as written so far.
ConversionResult ConvertAntennaFile(const std::string& fileName, const std::string& deckPath,
                                    const conversion::ConversionOptions& options);

} // namespace vrnnec::vrn