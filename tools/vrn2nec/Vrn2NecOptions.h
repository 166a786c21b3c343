// Command line of vrn2nec.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace vrn2nec {

struct CoatRequest {
    double wireRadiusMm = 1;  // radius of the wires to be coated
    double coatRadiusMm = 2;  // outer radius of the coat
    double permittivity = 3;  // of the coat
};

struct ShrinkRequest {
    double percent = 0;       // "Making all wires shorter on:"
    bool x = true, y = true, z = true;
};

// Defaults are those of the desktop program's plain calculation.
struct Options {
    std::string input;
    std::string deck;              // empty: the input with the extension ".nec"
    bool useDM2 = true;
    bool useCSDVS = false;
    bool useEK = false;
    double elevationDeg = 20;
    double azimuthDeg = 0;
    std::optional<double> frequencyMHz; // replaces the file's frequency
    std::optional<double> heightM;      // replaces the file's height
    double groundEps = 13;
    double groundSigma = 0.005;         // S/m
    bool perfectGround = false;
    std::optional<CoatRequest> coat;
    std::optional<ShrinkRequest> shrink;

    // --run: run the engine on the deck and print the results summary.
    bool run = false;
    std::string keepDir;        // --keep DIR: the working folder of the run, kept
    std::string diagramsDir;    // --diagrams DIR: save both pattern diagrams there
    std::string polarization = "total"; // --polarization total|h|v|vh
    std::string currentsFile;   // --currents FILE: export the segment currents
};

struct ParsedCommandLine {
    Options options;
    bool help = false;   // --help: print the usage and stop
    std::string error;   // not empty: the command line is wrong
};

// Reads the arguments after the program name.
ParsedCommandLine ParseOptions(const std::vector<std::string>& args);

std::string UsageText();

// The deck path used when none is given: the input with the extension ".nec".
std::string DefaultDeckPath(const std::string& input);

} // namespace vrn2nec
