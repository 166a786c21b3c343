// Reading NEC-2 deck lines as cards: the card name (the first two characters, either
// letter case), its fields (separated by blanks, tabs or commas), and the questions
// every road into the engine asks of a deck before it runs. Plain C++, no Qt.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vrnnec::deckcards {

inline constexpr const char* kMissingEndMessage =
    "The NEC-2 input has no EN card. The deck must end with a line \"EN\" (end of run); please add it.";

// The card name: the first two characters upper-cased (fewer for a shorter line).
std::string CardName(std::string_view line);

// The fields after the card name.
std::vector<std::string_view> CardFields(std::string_view line);

// The number of frequencies the FR cards before EN ask for, summed over all of them
// (each card's step count; 0 counts as 1). A count that does not read counts as two,
// so that the deck is taken as one of several frequencies. 0 for a deck without FR.
long long FrequencyCount(const std::vector<std::string>& lines);

// True when the FR cards ask for more than one frequency in all.
bool AsksForSeveralFrequencies(const std::vector<std::string>& lines);

// The first line (0-based) whose first two characters are not one of the cards a run
// of the program takes: the NEC-2 cards CM, CE, GA, GC, GE, GF, GH, GM, GR, GS, GW, GX,
// SC, SP, SM, CP, EK, EN, EX, FR, GD, GN, LD, NE, NH, NT, NX, PQ, PT, RP, TL, XQ and the
// program's WG, in upper case as the deck text is written; -1 when every line is one.
int FirstRefusedLine(const std::vector<std::string>& lines);

// True when the deck has an EN card.
bool HasEndCard(const std::vector<std::string>& lines);

} // namespace vrnnec::deckcards
