// Command line of vrn2nec.
#pragma once

#include "common/ConversionOptions.h"

#include <optional>
#include <string>
#include <vector>

namespace vrnnec::vrn2nec {

struct CoatRequest {
    double wireRadiusMm = 1; // radius of the wires to be coated
    double coatRadiusMm = 2; // outer radius of the coat
    double permittivity = 3; // of the coat
};

struct ShrinkRequest {
    double percent = 0; // "Making all wires shorter on:"
    bool x = true, y = true, z = true;
};

// Defaults are those of the desktop program's plain calculation.
struct Options {
    std::string input;
    std::string deck; // empty: the input with the extension ".nec"
    // What the options ask of the conversion (--elevation E sets thetaDeg = 90 - E). Its
    // coat part stays plain here: the conversion step computes it from `coat` and `shrink`.
    conversion::ConversionOptions conversion;
    std::optional<CoatRequest> coat;
    std::optional<ShrinkRequest> shrink;

    // --run: run the engine on the deck and print the results summary.
    bool run = false;
    std::string keepDir;                // --keep DIR: the working folder of the run, kept
    std::string diagramsDir;            // --diagrams DIR: save both pattern diagrams there
    std::string polarization = "total"; // --polarization total|h|v|vh
    std::string currentsFile;           // --currents FILE: export the segment currents
};

struct ParsedCommandLine {
    Options options;
    bool help = false; // --help: print the usage and stop
    std::string error; // not empty: the command line is wrong
};

// Reads the arguments after the program name.
ParsedCommandLine ParseOptions(const std::vector<std::string>& args);

std::string UsageText();

// The deck path used when none is given: the input with the extension ".nec".
std::string DefaultDeckPath(const std::string& input);

} // namespace vrnnec::vrn2nec