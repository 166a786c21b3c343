// The conversion step of vrn2nec, separate from main() so that later steps (runs of
// the engine, results) can follow it.
#pragma once

#include "Vrn2NecOptions.h"

#include <iosfwd>
#include <string>

namespace vrnnec::vrn2nec {

// What the library wrote back, for the steps after the conversion.
struct ConversionReport {
    std::string deckPath;
    double frequencyMHz = 0;
    double heightM = 0;
    double azimuthDeg = 0;
    double thetaDeg = 0;
    bool sommerfeldUsed = false;
};

// Converts options.input into options.deck through the library. Prints the written-back
// values to `out` and returns 0, or prints the message to `err` and returns 1. Refused
// before converting: a deck that is the antenna file itself and, with a coat, a file
// without a wire of the chosen radius. The library writes into a fresh file beside the
// deck, which replaces the deck only when the conversion succeeded: a failed one leaves
// an existing deck as it was and no file behind.
int ConvertAntenna(const Options& options, std::ostream& out, std::ostream& err, ConversionReport& report);

} // namespace vrnnec::vrn2nec