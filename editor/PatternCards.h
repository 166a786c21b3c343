// The two pattern (RP) cards every deck run for results ends with: an azimuth cut of 360
// directions at one elevation, directly followed by an elevation cut of 181 directions
// at one azimuth, then EN. Plain functions on deck lines, no Qt.
//
// Card identifiers are recognised in any letter case (the engine accepts "rp"); the
// rewritten cards are always upper case.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vrnnec::editor {

inline constexpr const char* kAnglesOutOfRangeMessage = "Azimuth or/and elevation angle are out of acceptable values.";
inline constexpr const char* kAnglesOutOfRangeInfoMessage =
    "INFO! Azimuth or/and elevation angle specified now are out of acceptable values. Correct angles now!";
inline constexpr const char* kIncorrectRPCardsMessage = "RP strings (cards) in NEC-2 input code were incorrect (or "
                                                        "missing). Specify proper values of azimuth and elevation.";
inline constexpr const char* kInputFileNotFoundMessage = "NEC-2 input file not found.";
// A deck whose FR card asks for several frequencies: the engine writes the azimuth cut
// for every frequency and the elevation cut only for the last, so the results would mix
// frequencies.
inline constexpr const char* kOneFrequencyMessage =
    "The deck asks for more than one frequency (FR card). A direct NEC-2 run takes one frequency; "
    "use \"Frequency plots\" for frequency sweeps.";

// "RP " + mode + " 1 360 1000 " + theta + " 0 0 1".
std::string AzimuthCard(int mode, double theta);
// "RP " + mode + " 181 1 1000 90 " + azimuth + " -1 0".
std::string ElevationCard(int mode, double azimuth);

struct RPRewrite {
    int mode = 0;
    // "All RP cards will be as RP " + mode + " ...." when the last recognised elevation
    // card's mode differs from the last recognised azimuth card's mode.
    std::optional<std::string> modeMessage;
};

// Removes every RP and EN line, keeps the other lines in order and appends the azimuth
// card, the elevation card (in the last recognised mode) and "EN". An azimuth card of
// mode 0 is never recognised; an elevation card of mode 0 only when
// `modeZeroElevationCounts`.
RPRewrite RewriteRPCards(std::vector<std::string>& lines, double theta, double azimuth, bool modeZeroElevationCounts);

struct RPPairCheck {
    bool ok = false;        // exactly one azimuth card directly followed by its elevation card
    int azimuthMode = -1;   // -1 when none was recognised
    int elevationMode = -1; // -1 when none was recognised
    // The note for the results sheet when the modes differ or either is the surface-wave
    // mode 1 (three lines); empty otherwise.
    std::vector<std::string> attentionLines() const;
};

// The check of a deck before it runs directly. The first line is never examined.
RPPairCheck CheckRPPair(const std::vector<std::string>& lines);

// Elevation 0 to 90 and azimuth 0 to 360 degrees, both inclusive (theta = 90 - elevation).
bool AnglesAcceptable(double elevation, double azimuth);

// True when the FR cards together ask for more than one frequency (a step count of 0
// counts as 1; a count that does not read counts as several).
bool AsksForSeveralFrequencies(const std::vector<std::string>& lines);

// Not empty and not just "+", "-" or the decimal separator.
bool IsCompleteAngleText(std::string_view text, char separator);

} // namespace vrnnec::editor
