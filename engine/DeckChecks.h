// Checks of a NEC-2 deck before the engine is started on it: cards on which the engine
// would never finish, a deck the engine would read to its end and refuse, and decks that
// ask for more output than any disk should take.
#pragma once

#include <string>

namespace vrnnec::engine {

// The message for the first wire card (GW) of the deck file whose two ends coincide,
// naming its tag and its line; empty when the deck has none. Fields are separated by
// blanks, tabs or commas; the card name is read without regard to case; cards after
// "EN" are not read. A deck without an EN card gives deckcards::kMissingEndMessage. A
// deck that cannot be read gives no message (the engine script reports it).
//
// Then the work the deck asks for: the pattern points of every RP card (NTH x NPH) and
// the near-field points of every NE and NH card (NX x NY x NZ), each counted for every
// frequency of the FR card before it (a count that is missing, zero or not a number
// counts as one). Above kMaxDeckPoints in all the deck is refused with a message giving
// the count.
std::string CheckDeckFile(const std::string& path);

inline constexpr double kMaxDeckPoints = 1'000'000;

} // namespace vrnnec::engine