// What a NEC-2 output listing says, as typed values: the segment tags and, per frequency
// block, the frequency, wavelength, ground environment, sources, currents, power budget
// and pattern cuts. A field that the listing holds but that does not read as a number is
// kept as an empty optional, so each user decides what an unreadable field means to it.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vrnnec::engine {

using OptionalReal = std::optional<double>;
using OptionalInteger = std::optional<long long>;

// A row of ANTENNA INPUT PARAMETERS.
struct SourceRow {
    OptionalInteger tag;
    OptionalInteger segment;
    bool slopeDiscontinuity = false; // "*": a current-slope-discontinuity source
    OptionalReal voltageReal, voltageImaginary;
    OptionalReal currentReal, currentImaginary;
    OptionalReal impedanceReal, impedanceImaginary;
    OptionalReal admittanceReal, admittanceImaginary;
    OptionalReal power;
};

// A row of CURRENTS AND LOCATION; coordinates and length in wavelengths, currents in
// amperes, phases in degrees.
struct CurrentRow {
    OptionalInteger segment;
    OptionalInteger tag;
    OptionalReal x, y, z;
    OptionalReal length;
    OptionalReal real, imaginary, magnitude;
    OptionalReal phase;      // as the export reads it
    OptionalReal chartPhase; // as the currents chart reads it
};

// A row of a RADIATION PATTERNS block; angles in degrees, gains in dB.
struct PatternRow {
    OptionalReal theta, phi;
    OptionalReal verticalGain, horizontalGain, totalGain;
};

// The texts of a pattern row's fields at their columns, trimmed: the numbers exactly as
// the listing prints them.
struct PatternRowTexts {
    std::string theta, phi;
    std::string verticalGain, horizontalGain, totalGain;
};

// A row of a full pattern table: its values and their texts.
struct PatternTableRow {
    PatternRow values;
    PatternRowTexts texts;
};

// The two cuts every deck of the program asks for: the azimuth cut (360 rows) and the
// elevation cut (181 rows). Both are empty when the listing was not read that far.
struct PatternCuts {
    std::vector<PatternRow> azimuth;
    std::vector<PatternRow> elevation;
    bool empty() const { return azimuth.empty() && elevation.empty(); }
};

// The POWER BUDGET lines, each as its text from the budget's column on, and the values
// read from them.
struct PowerBudget {
    std::vector<std::string> lines;
    OptionalReal inputPower, radiatedPower, structureLoss, networkLoss; // W
    OptionalReal efficiency;                                            // %
};

// One frequency block of the listing.
struct FrequencyBlock {
    OptionalReal frequency;  // MHz
    OptionalReal wavelength; // m
    bool environmentFound = false;
    std::string environmentText;               // the first environment line from its text column
    std::vector<std::string> environmentLines; // its non-empty lines, at most three
    std::vector<SourceRow> sources;
    std::optional<std::string> excitationLine; // the EXCITATION line when there is no source table
    bool currentsFound = false;
    std::vector<CurrentRow> currents;
    std::optional<PowerBudget> powerBudget;
    PatternCuts patterns;
    // The one pattern table of a full pattern run (every direction of its RP card, in
    // the listing's order); empty otherwise.
    std::vector<PatternTableRow> fullPattern;
};

// How far a reading got: the section it was working on when it stopped, or Complete.
enum class ReadingStage {
    OpenListing,
    Segmentation,
    Frequency,
    Environment,
    Excitation,
    Currents,
    AzimuthPattern,
    ElevationPattern,
    Complete,
};


// A row of SEGMENTATION DATA; metres and degrees.
struct SegmentRow {
    OptionalReal x, y, z; // centre
    OptionalReal length;
    OptionalReal alpha, beta; // elevation and azimuth of the segment's direction
    OptionalReal radius;
    OptionalInteger tag;
};

// A row of SURFACE PATCH DATA; metres, square metres and unit vectors.
struct PatchRow {
    OptionalReal x, y, z; // centre
    OptionalReal normalX, normalY, normalZ;
    OptionalReal area;
    OptionalReal tangent1X, tangent1Y, tangent1Z;
    OptionalReal tangent2X, tangent2Y, tangent2Z;
};

// A row of STRUCTURE IMPEDANCE LOADING: where the load sits. A load given by absolute
// segment number prints a blank tag.
struct LoadRow {
    std::string tagText;   // trimmed
    std::string firstText; // first segment, trimmed
    std::string lastText;  // last segment, trimmed
    OptionalInteger tag;
    OptionalInteger first;
};

// What the 3-D viewer reads of a listing: the structure description and the first
// frequency block's ports, sources and currents.
struct ViewerSections {
    bool opened = false;
    bool segmentationFound = false;
    std::vector<SegmentRow> segments;
    std::vector<PatchRow> patches;
    std::vector<LoadRow> loads;
    std::vector<SourceRow> ports; // STRUCTURE EXCITATION DATA AT NETWORK CONNECTION POINTS
    std::vector<SourceRow> sources;
    bool currentsFound = false;
    std::vector<CurrentRow> currents;
};

// A parsed listing. After a stop (`message` not empty) only what was read before it is
// set; `stage` tells where the reading stopped.
struct ListingData {
    std::string message; // empty when the listing was read to its end
    ReadingStage stage = ReadingStage::OpenListing;
    bool complete() const { return stage == ReadingStage::Complete; }

    bool opened = false;
    std::vector<long long> segmentTags; // per segmentation row, in row order
    std::vector<FrequencyBlock> blocks; // the first block is the one a calculation reads
    // What the 3-D viewer shows, when the parse was asked for it.
    std::optional<ViewerSections> viewer;
};

// Row readers: every field of the row at its classic columns.
SegmentRow ReadSegmentRow(std::string_view line);
PatchRow ReadPatchRow(std::string_view line);
LoadRow ReadLoadRow(std::string_view line);
SourceRow ReadSourceRow(std::string_view line);
CurrentRow ReadCurrentRow(std::string_view line);
PatternRow ReadPatternRow(std::string_view line);
PatternRowTexts ReadPatternRowTexts(std::string_view line);

} // namespace vrnnec::engine