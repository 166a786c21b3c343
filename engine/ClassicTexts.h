// Fixed texts of the classic NEC-2 listing: the section headings and the lines between
// a heading and its first row, as the classic engine writes them.
#pragma once

#include <string_view>

namespace vrnnec::engine::classictexts {

enum class Section {
    None,
    Comments,
    StructureSpecification,
    Segmentation,
    Frequency,
    Loading,
    Environment,
    MatrixTiming,
    Excitation,
    NetworkPorts,
    InputParameters,
    Currents,
    PatchData,
    PatchCurrents,
    NetworkData,
    PowerBudget,
    Patterns,
    NearElectric,
    NearMagnetic,
};

struct SectionText {
    Section section;
    std::string_view name;    // the heading words
    int indent;               // blanks before the classic heading line
    std::string_view classic; // the classic heading line after the blanks
};

inline constexpr SectionText kSections[] = {
    {Section::Comments, "COMMENTS", 37, "- - - - COMMENTS - - - -"},
    {Section::StructureSpecification, "STRUCTURE SPECIFICATION", 33, "- - - STRUCTURE SPECIFICATION - - -"},
    {Section::Segmentation, "SEGMENTATION DATA", 33, "- - - - SEGMENTATION DATA - - - -"},
    {Section::Frequency, "FREQUENCY", 33, "- - - - - - FREQUENCY - - - - - -"},
    {Section::Loading, "STRUCTURE IMPEDANCE LOADING", 31, "- - - STRUCTURE IMPEDANCE LOADING - - -"},
    {Section::Environment, "ANTENNA ENVIRONMENT", 34, "- - - ANTENNA ENVIRONMENT - - -"},
    {Section::MatrixTiming, "MATRIX TIMING", 32, "- - - MATRIX TIMING - - -"},
    {Section::Excitation, "EXCITATION", 40, "- - - EXCITATION - - -"},
    {Section::NetworkPorts, "STRUCTURE EXCITATION DATA AT NETWORK CONNECTION POINTS", 27,
     "- - - STRUCTURE EXCITATION DATA AT NETWORK CONNECTION POINTS - - -"},
    {Section::InputParameters, "ANTENNA INPUT PARAMETERS", 42, "- - - ANTENNA INPUT PARAMETERS - - -"},
    {Section::Currents, "CURRENTS AND LOCATION", 29, "- - - CURRENTS AND LOCATION - - -"},
    {Section::PatchData, "SURFACE PATCH DATA", 44, "- - - SURFACE PATCH DATA - - -"},
    {Section::PatchCurrents, "SURFACE PATCH CURRENTS", 41, "- - - - SURFACE PATCH CURRENTS - - - -"},
    {Section::NetworkData, "NETWORK DATA", 44, "- - - NETWORK DATA - - -"},
    {Section::PowerBudget, "POWER BUDGET", 40, "- - - POWER BUDGET - - -"},
    {Section::Patterns, "RADIATION PATTERNS", 48, "- - - RADIATION PATTERNS - - -"},
    {Section::NearElectric, "NEAR ELECTRIC FIELDS", 35, "- - - NEAR ELECTRIC FIELDS - - -"},
    {Section::NearMagnetic, "NEAR MAGNETIC FIELDS", 35, "- - - NEAR MAGNETIC FIELDS - - -"},
};

// Lines between the classic headings and their rows.
inline constexpr std::string_view kSegmentationHeader[] = {
    "",
    "                                        COORDINATES IN METERS",
    "",
    "                         I+ AND I- INDICATE THE SEGMENTS BEFORE AND AFTER I",
    "",
    "",
    "  SEG.   COORDINATES OF SEG. CENTER     SEG.     ORIENTATION ANGLES    WIRE    CONNECTION DATA   TAG",
    "  NO.       X         Y         Z       LENGTH     ALPHA     BETA      RADIUS    I-   I    I+    NO.",
};
inline constexpr std::string_view kLoadingHeader[] = {
    "",
    "",
    "       LOCATION          RESISTANCE   INDUCTANCE  CAPACITANCE       IMPEDANCE (OHMS)     CONDUCTIVITY    TYPE",
    "    ITAG FROM THRU          OHMS        HENRYS       FARADS        REAL      IMAGINARY    MHOS/METER",
    "",
};
inline constexpr std::string_view kNotLoaded = "THIS STRUCTURE IS NOT LOADED";
inline constexpr int kNotLoadedIndent = 35;
inline constexpr int kLoadNoteIndent = 10;
inline constexpr std::string_view kSourceHeader[] = {
    "",
    "   TAG   SEG.    VOLTAGE (VOLTS)         CURRENT (AMPS)         IMPEDANCE (OHMS)        ADMITTANCE (MHOS)      "
    "POWER",
    "   NO.   NO.    REAL        IMAG.       REAL        IMAG.       REAL        IMAG.       REAL        IMAG.     "
    "(WATTS)",
};
inline constexpr std::string_view kCurrentsHeader[] = {
    "",
    "                                 DISTANCES IN WAVELENGTHS",
    "",
    "",
    "  SEG.  TAG    COORD. OF SEG. CENTER     SEG.            - - - CURRENT (AMPS) - - -",
    "  NO.   NO.     X        Y        Z      LENGTH     REAL        IMAG.       MAG.        PHASE",
};
inline constexpr std::string_view kPatchHeader[] = {
    "",
    "                                                 COORDINATES IN METERS",
    "",
    " PATCH     COORD. OF PATCH CENTER       UNIT NORMAL VECTOR      PATCH            COMPONENTS OF UNIT TANGENT "
    "VECTORS",
    "  NO.      X         Y         Z         X       Y       Z       AREA       X1      Y1      Z1       X2      Y2   "
    "   Z2",
};
inline constexpr std::string_view kNearElectricHeader[] = {
    "",
    "            -  LOCATION  -                     -  EX  -               -  EY  -               -  EZ  -",
    "        X          Y          Z          MAGNITUDE   PHASE      MAGNITUDE   PHASE      MAGNITUDE   PHASE",
    "      METERS     METERS     METERS        VOLTS/M   DEGREES      VOLTS/M   DEGREES      VOLTS/M   DEGREES",
};
inline constexpr std::string_view kNearMagneticHeader[] = {
    "",
    "            -  LOCATION  -                     -  HX  -               -  HY  -               -  HZ  -",
    "        X          Y          Z          MAGNITUDE   PHASE      MAGNITUDE   PHASE      MAGNITUDE   PHASE",
    "      METERS     METERS     METERS         AMPS/M   DEGREES       AMPS/M   DEGREES       AMPS/M   DEGREES",
};
inline constexpr std::string_view kPowerGainsHeader =
    "  - - ANGLES - -           - POWER GAINS -       - - - POLARIZATION - - -    - - - E(THETA) - - -    - - - E(PHI) "
    "- - -";
inline constexpr std::string_view kDirectiveGainsHeader =
    "  - - ANGLES - -       - DIRECTIVE GAINS -       - - - POLARIZATION - - -    - - - E(THETA) - - -    - - - E(PHI) "
    "- - -";
// The gain labels line: the start, two labels of 8 columns each, the end.
inline constexpr std::string_view kPatternLabelsStart = "  THETA     PHI        ";
inline constexpr std::string_view kPatternLabelsEnd =
    "TOTAL      AXIAL     TILT   SENSE     MAGNITUDE    PHASE      MAGNITUDE    PHASE ";
inline constexpr std::string_view kPatternUnits = " DEGREES  DEGREES       DB      DB      DB        RATIO     DEG.    "
                                                  "          VOLTS/M    DEGREES      VOLTS/M    DEGREES";
inline constexpr std::string_view kCurrentSourceHeader[] = {
    "",
    "                               POSITION (METERS)              ORIENTATION (DEG)=",
    "                            X            Y            Z          ALPHA     BETA    DIPOLE MOMENT",
    "",
};

} // namespace vrnnec::engine::classictexts