// The cards of a Green's function run, as plain text processing: which decks may be
// written, the deck of the run that writes the file (WG), and the rewrite of the edit
// window's deck so that it reads the file (GF) instead of describing the structure.
// A card's identifier is the first two characters of its line, compared exactly
// (case-sensitive, untrimmed); an empty line has none.
#pragma once

#include "common/Messages.h"

#include <string>
#include <string_view>
#include <vector>

namespace vrnnec::analyses {

// Messages of the Green function commands.
inline constexpr const char* kEditWindowEmptyMessage = "Edit window is empty.";
inline constexpr const char* kIncorrectCardsMessage = messages::kIncorrectCard;
inline constexpr const char* kIndataNotFoundMessage = messages::kIndataMissing;

// The file the engine scripts leave for a WG card.
inline constexpr const char* kGreenFunctionFile = "Ngf2d.nec";

// The identifier of a line: its first two characters (fewer for a shorter line).
std::string_view CardId(std::string_view line);

// The first line (0-based) whose identifier a deck to be written may not hold; -1 when
// there is none.
int FirstRefusedCard(const std::vector<std::string>& lines);

// The deck of the run that writes the file: the lines without the cards that do not
// describe the structure, in their order, then "WG" and "EN".
std::vector<std::string> GreenFunctionWriteDeck(const std::vector<std::string>& lines);

// The deck that reads the file: the structure cards removed, then "GF" and "GE" inserted
// before the first line that is neither CM nor CE (appended when there is none).
std::vector<std::string> RewriteToReadGreenFunction(const std::vector<std::string>& lines);

// True when a deck holds a GF card (it reads the file).
bool ReadsGreenFunction(const std::vector<std::string>& lines);


} // namespace vrnnec::analyses
