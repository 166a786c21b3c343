// Checks of a NEC-2 deck before the engine is started on it: cards on which the engine
// would never finish, a deck the engine would read to its end and refuse, and decks that
// ask for more output than any disk should take.
#pragma once

#include <string>

namespace vrnnec::engine {

// The message for the first card of the deck file the engine would never finish or would
// fail on, naming the card's line: a wire (GW) whose two ends coincide, a wire (GW, GA,
// GH) with a negative count of segments, or an FR card with a negative frequency among
// its steps; empty when the deck has none. Fields are separated by
// blanks, tabs or commas; the card name is read without regard to case; cards after
// "EN" are not read. A deck without an EN card gives deckcards::kMissingEndMessage. A
// deck that cannot be read gives no message (the engine script reports it).
//
// Then the work the deck asks for: the pattern points of every RP card (NTH x NPH) and
// the near-field points of every NE and NH card (NX x NY x NZ), each counted for every
// frequency of the FR card before it (a count that is missing, zero or not a number
// counts as one). Above kMaxDeckPoints in all the deck is refused with a message giving
// the count.
//
// Before that, a deck that builds no structure at all (no wire with a segment, no SP or
// SM patch, no GF card reading one) gives kNoStructureMessage: the engine crashes on it.
std::string CheckDeckFile(const std::string& path);

inline constexpr double kMaxDeckPoints = 1'000'000;

inline constexpr const char* kNoStructureMessage =
    "The NEC-2 input has no wire segments and no surface patches (GW, GA, GH, SP or SM cards), "
    "so NEC-2 has nothing to compute. Please add a wire with one or more segments.";

} // namespace vrnnec::engine