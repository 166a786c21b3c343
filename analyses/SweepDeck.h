// The deck of a frequency sweep, made from the deck of the last calculation (the buffer
// deck): its frequency, pattern, print and execution cards give way to one stepped FR
// card, "PT -1", "XQ" and "EN".
#pragma once

#include <string>
#include <vector>

namespace vrnnec::analyses {

// What a sweep asks for: an odd number of frequencies around the centre, spread over
// the band width.
struct SweepSettings {
    SweepSettings() = default;
    SweepSettings(double centreMHz, double bandWidthMHz, int pointCount, std::vector<std::string> cards = {})
        : centre(centreMHz), bandWidth(bandWidthMHz), points(pointCount), patternCards(std::move(cards))
    {
    }

    double centre = 14;     // MHz
    double bandWidth = 0.4; // MHz
    int points = 3;
    // When not empty, the deck keeps these pattern cards (the azimuth and elevation cut)
    // for every frequency: one single-frequency FR card and the cards per point instead
    // of the stepped FR card, "PT -1" and "XQ", so the listing holds both cuts of every
    // frequency.
    std::vector<std::string> patternCards;
    // When not empty, the deck's voltage sources (its EX cards in deck order) and the
    // sweep also runs the ports: per frequency one single-frequency FR card, these EX cards
    // and "XQ" (or the pattern cards), then for each source j its own solution with source
    // j at 1 V and every other source at 1E-20 V, each an EX set and "XQ". The engine
    // factors the matrix once per frequency and solves each set against it, so the port
    // runs cost little beside the sweep itself. The deck body then holds no EX card.
    std::vector<std::string> portSources;

    double start() const { return centre - bandWidth * 0.5; }
    double step() const { return bandWidth / (points - 1); }
    // The frequency the FR card asks for at point j (0-based).
    double frequency(int j) const { return start() + j * step(); }
};

// Numbers of the points up-down: points = position + 3, odd, 3 to 45.
inline constexpr int kMinPoints = 3;
inline constexpr int kMaxPoints = 45;

namespace sweepmessages {
inline constexpr const char* kBufferMissing = "Buffer file Indata.txo does not exist.";
inline constexpr const char* kCheckFrequency = "Check value of frequency!";
inline constexpr const char* kBadBandWidth = "Incorrect value of Band Width!";
inline constexpr const char* kBadPoints = "Incorrect value of points!";
inline constexpr const char* kEmptyBuffer = "Error in buffer file Indata.txo !";
inline constexpr const char* kGreenFunction =
    "Frequency plots for Green function can not be calculated! Frequency already fixed in Green function";
inline constexpr const char* kVoltageSourcesOnly = "Sousces must be voltage type only (EX 0 ... or EX 5 ...)! ";
inline constexpr const char* kSourceNeeded = "Source is needed!";
inline constexpr const char* kAuxDeckFailed = "Error in file IndataGN.txo processing!";
} // namespace sweepmessages

// Refuses frequencies the engine cannot sweep: a centre of 0 or below, a band width of 0
// or below, a start frequency (centre - band width / 2) of 0 or below, or a point count
// outside 3 to 45. Empty when the settings can run.
std::string CheckSweepSettings(const SweepSettings& settings);

// The EX card with its voltage fields (the fifth and sixth number) replaced: "EX" and the
// card's fields, separated by blanks.
std::string WithSourceVoltage(const std::string& exCard, const std::string& real, const std::string& imaginary);

// The stepped FR card: "FR 0 " + points + " 0 0 " + start + " " + step.
std::string SweepFrequencyCard(const SweepSettings& settings);

// The cards a sweep appends to the prepared deck for the points `first` to
// `first + count - 1`: the stepped FR card, "PT -1", "XQ" and "EN"; with pattern cards
// "FR 0 1 0 0 <frequency> 0" and the pattern cards per point, then "EN"; with port
// sources the per-frequency cards described at SweepSettings::portSources.
std::vector<std::string> SweepCards(const SweepSettings& settings, int first, int count);

// Prepares the buffer deck in place: removes its FR, RP, EN, CP, NE, NH, PQ, PT and XQ
// cards (identifiers in columns 1 and 2, in any letter case), checks that it has a
// voltage source (EX type 0 or 5) and no GF card, and appends the sweep cards of all
// points (SweepCards). With port sources it also removes the EX cards, which the sweep
// cards then repeat per frequency. Returns the message when the deck cannot be swept; the deck is then
// left as far as the walk had come.
std::string PrepareSweepDeck(std::vector<std::string>& deck, const SweepSettings& settings);

// The deck as the text of its file: every line ended by CR LF.
std::string DeckFileText(const std::vector<std::string>& deck);

} // namespace vrnnec::analyses
