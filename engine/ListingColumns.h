// The one table of the classic NEC-2 listing's fields: where each section heading
// stands, how many lines lie between it and its first row, and the columns of every
// field that a reader takes. The reader, the listing rewriter, the diagrams, the
// currents chart and the exports all read through these definitions.
//
// Columns are 1-based and inclusive; a field is read trimmed, in point notation.
#pragma once

#include "engine/ClassicTexts.h"

#include <cstddef>
#include <string_view>

namespace vrnnec::engine::columns {

// A field at fixed columns.
struct Field {
    int from;
    int to;
};

// A section heading: its words at fixed columns, and the number of lines from the
// heading to the section's first row (1 = the line after the heading).
struct Heading {
    std::string_view text;
    int from;
    int to;
    int firstRow;
};

namespace detail {

constexpr const classictexts::SectionText& section(classictexts::Section s)
{
    for (const classictexts::SectionText& t : classictexts::kSections)
        if (t.section == s)
            return t;
    return classictexts::kSections[0];
}

// The heading words sit in the classic heading line after its blanks and dashes.
constexpr Heading heading(classictexts::Section s, int firstRow)
{
    const classictexts::SectionText& t = section(s);
    const int from = t.indent + static_cast<int>(t.classic.find(t.name)) + 1;
    return Heading{t.name, from, from + static_cast<int>(t.name.size()) - 1, firstRow};
}

template <typename T, std::size_t N>
constexpr int count(const T (&)[N])
{
    return static_cast<int>(N);
}

} // namespace detail

using classictexts::Section;

inline constexpr Heading kSegmentation =
    detail::heading(Section::Segmentation, detail::count(classictexts::kSegmentationHeader) + 1);
inline constexpr Heading kFrequency = detail::heading(Section::Frequency, 2);
inline constexpr Heading kEnvironment = detail::heading(Section::Environment, 2);
inline constexpr Heading kInputParameters =
    detail::heading(Section::InputParameters, detail::count(classictexts::kSourceHeader) + 1);
inline constexpr Heading kExcitation = detail::heading(Section::Excitation, 1);
inline constexpr Heading kCurrents =
    detail::heading(Section::Currents, detail::count(classictexts::kCurrentsHeader) + 1);
inline constexpr Heading kPowerBudget = detail::heading(Section::PowerBudget, 2);
inline constexpr Heading kPatchData =
    detail::heading(Section::PatchData, detail::count(classictexts::kPatchHeader) + 1);
inline constexpr Heading kLoading = detail::heading(Section::Loading, detail::count(classictexts::kLoadingHeader) + 1);
inline constexpr Heading kNetworkPorts =
    detail::heading(Section::NetworkPorts, detail::count(classictexts::kSourceHeader) + 1);
// A pattern block: a blank line, the gains header, the labels and the units.
inline constexpr Heading kPatterns = detail::heading(Section::Patterns, 5);
// A near field block: four lines of labels and units, then the rows.
inline constexpr Heading kNearElectric = detail::heading(Section::NearElectric, 5);
inline constexpr Heading kNearMagnetic = detail::heading(Section::NearMagnetic, 5);

// The FREQUENCY heading as the engine itself writes it, before its listing is rewritten
// into the classic layout ("--------- FREQUENCY --------"): the progress of a running
// engine is read from it.
inline constexpr Heading kEngineFrequency{"FREQUENCY", 42, 50, 1};

// Segmentation data rows.
namespace segment {
inline constexpr Field kTag{94, 100}; // as the calculation's reading takes it
inline constexpr Field kX{7, 16};
inline constexpr Field kY{17, 26};
inline constexpr Field kZ{27, 36};
inline constexpr Field kLength{37, 46};
inline constexpr Field kAlpha{48, 57};
inline constexpr Field kBeta{58, 67};
inline constexpr Field kRadius{69, 77};
inline constexpr Field kViewerTag{95, 100}; // as the viewer takes it
} // namespace segment

// Rows of SURFACE PATCH DATA.
namespace patch {
inline constexpr Field kX{6, 15};
inline constexpr Field kY{16, 25};
inline constexpr Field kZ{26, 35};
inline constexpr Field kNormalX{37, 44};
inline constexpr Field kNormalY{45, 52};
inline constexpr Field kNormalZ{53, 60};
inline constexpr Field kArea{62, 70};
inline constexpr Field kTangent1X{72, 79};
inline constexpr Field kTangent1Y{80, 87};
inline constexpr Field kTangent1Z{88, 95};
inline constexpr Field kTangent2X{97, 104};
inline constexpr Field kTangent2Y{105, 112};
inline constexpr Field kTangent2Z{113, 120};
} // namespace patch

// STRUCTURE IMPEDANCE LOADING: the line that replaces the table, and the location of a
// load row. Each row is followed by one line that belongs to nobody.
namespace load {
inline constexpr int kNotLoadedLine = 2; // lines below the heading
inline constexpr Field kTag{5, 8};
inline constexpr Field kFirst{10, 13};
inline constexpr Field kLast{15, 18};
} // namespace load

// The FREQUENCY= and WAVELENGTH= lines after the heading.
namespace frequency {
inline constexpr Field kFrequency{47, 58};
inline constexpr Field kWavelength{48, 59};
} // namespace frequency

// The environment lines: their text from this column on.
namespace environment {
inline constexpr int kTextColumn = 41;
}

// Rows of ANTENNA INPUT PARAMETERS (and of the network connection points).
namespace source {
inline constexpr Field kTag{1, 6};
inline constexpr Field kSegment{7, 12};
inline constexpr int kSlopeMarkColumn = 8; // "*": a current-slope-discontinuity source
inline constexpr Field kVoltageReal{13, 24};
inline constexpr Field kVoltageImaginary{25, 36};
inline constexpr Field kCurrentReal{37, 48};
inline constexpr Field kCurrentImaginary{49, 60};
inline constexpr Field kImpedanceReal{61, 72};
inline constexpr Field kImpedanceImaginary{73, 84};
inline constexpr Field kAdmittanceReal{85, 96};
inline constexpr Field kAdmittanceImaginary{97, 108};
inline constexpr Field kPower{109, 120};
} // namespace source

// The excitation block of a plane wave or current source.
namespace excitation {
inline constexpr Field kPlaneWave{5, 14}; // "PLANE WAVE" on the second line
}

// Rows of CURRENTS AND LOCATION; coordinates and lengths in wavelengths.
namespace current {
inline constexpr Field kSegment{1, 6};
inline constexpr Field kTag{7, 11};
inline constexpr Field kX{12, 20};
inline constexpr Field kY{21, 29};
inline constexpr Field kZ{30, 38};
inline constexpr Field kLength{39, 47};
inline constexpr Field kReal{49, 60};
inline constexpr Field kImaginary{62, 73};
inline constexpr Field kMagnitude{73, 84};
// The export reads the phase from column 85, the currents chart from column 86.
inline constexpr Field kPhase{85, 93};
inline constexpr Field kChartPhase{86, 93};
} // namespace current

// Rows of a RADIATION PATTERNS block.
namespace pattern {
inline constexpr Field kTheta{1, 8};
inline constexpr Field kPhi{10, 17};
inline constexpr Field kVerticalGain{21, 28};
inline constexpr Field kHorizontalGain{29, 36};
inline constexpr Field kTotalGain{37, 44};
} // namespace pattern

// Rows of NEAR ELECTRIC FIELDS and NEAR MAGNETIC FIELDS: the point in metres, and the
// magnitude and phase (degrees) of each vector component.
namespace nearfield {
inline constexpr Field kX{1, 13};
inline constexpr Field kY{14, 24};
inline constexpr Field kZ{25, 35};
inline constexpr Field kXMagnitude{37, 50};
inline constexpr Field kXPhase{52, 59};
inline constexpr Field kYMagnitude{60, 73};
inline constexpr Field kYPhase{75, 82};
inline constexpr Field kZMagnitude{83, 96};
inline constexpr Field kZPhase{98, 105};
} // namespace nearfield

// Lines of the POWER BUDGET: the text from this column on ("INPUT POWER   = ...").
namespace power {
inline constexpr int kTextColumn = 44;
}

} // namespace vrnnec::engine::columns