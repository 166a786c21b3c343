// Near fields on a grid of points ("Electric" and "Magnetic" on "Currents and fields"):
// the deck with its NE or NH card, and the comma-separated file made from the field
// rows of the listing. The two commands are twins that differ only in their texts.
#pragma once

#include "common/Messages.h"
#include "engine/NearFieldListing.h"

#include <optional>
#include <string>
#include <vector>

namespace vrnnec::results {

using engine::NearField;

// The texts of one of the twins.
struct NearFieldTexts {
    const char* card;        // "NE 0 " or "NH 0 "
    const char* dialogTitle; // of the save dialog
    const char* header;      // the file's first line
    const char* notFound;    // the heading is missing from the listing
    const char* openFailed;  // the file cannot be written
    const char* invalidData; // a field row does not read
};
const NearFieldTexts& Texts(NearField field);

namespace nearfieldmessages {
inline constexpr const char* kNoPoints =
    "Enter at least one point for Near Field Calculations. All points fields must be > 1.";
inline constexpr const char* kTooManyPoints =
    "Too many points for Near Field Calculations: at most 1000000 points (Points X * Points Y * Points Z).";
inline constexpr const char* kIndataMissing = messages::kIndataMissing;
inline constexpr const char* kEditWindowEmpty = "Edit window is empty.";
inline constexpr const char* kIncorrectCard = messages::kIncorrectCard;
inline constexpr const char* kSeveralFrequencies =
    "Near fields can be calculated at one frequency only. Set one frequency in the FR card.";
inline constexpr const char* kListingMissing = "NEC-2 output file Outdata.txo is not found.";
inline constexpr const char* kFilter = "Comma separated value file (*.csv)|*.csv";
inline constexpr const char* kDefaultSuffix = "csv";
} // namespace nearfieldmessages

// The grid: the first point and the step (m) and the number of points along each axis.
struct NearFieldGrid {
    long long points[3] = {5, 5, 5};
    double origin[3] = {0, 0, 0};
    double step[3] = {1, 1, 1};
};

inline constexpr long long kMaxNearFieldPoints = 1000000;

// Takes the absolute values of the point counts; the message when their product (in 64
// bits) is 0 or more than kMaxNearFieldPoints.
std::string CheckNearFieldGrid(NearFieldGrid& grid);

// "NE 0 5 5 5 0 0 0 1 1 1": the card, the counts, the origin and the steps.
std::string NearFieldCard(NearField field, const NearFieldGrid& grid);

// The deck of the run: refuses a line whose first two characters are not a card the
// engine knows, and a deck whose FR cards ask for more than one frequency; removes the
// EN, CP, NE, NH, PQ, PT, RP, WG and XQ cards and appends the field card and "EN".
// The first line of `deck` (0-based) whose card a near field run does not take; -1
// when there is none.
int FirstRefusedNearFieldLine(const std::vector<std::string>& deck);

std::string PrepareNearFieldDeck(std::vector<std::string>& deck, NearField field, const NearFieldGrid& grid);

// The file's text (CR LF line ends): the header, then three lines per row, one per
// vector component: x,y,z,V,real,imaginary,magnitude,phase. False when a row does not
// read (its lines are still in the text).
bool NearFieldCsvText(const std::vector<engine::NearFieldRow>& rows, NearField field, std::string& text);

// Writes the rows to `path` through the atomic writer: nothing is written when a row
// does not read, so an earlier file stays as it was. Returns the message, empty on
// success.
std::string WriteNearFieldCsv(const std::vector<engine::NearFieldRow>& rows, NearField field, const std::string& path);

// Reads the field block of the listing at `listingPath` and writes it to `csvPath`. The
// power budget line is set whenever the listing had one before the block, also when
// the reading then fails.
struct NearFieldSave {
    std::string message; // empty on success
    std::optional<std::string> powerBudgetLine;
};
NearFieldSave SaveNearField(const std::string& listingPath, NearField field, const std::string& csvPath);

} // namespace vrnnec::results
