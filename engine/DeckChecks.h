// Checks of a NEC-2 deck before the engine is started on it: cards on which the engine
// would never finish, and a deck the engine would read to its end and refuse.
#pragma once

#include <string>

namespace vrnnec::engine {

// The message for the first wire card (GW) of the deck file whose two ends coincide,
// naming its tag and its line; empty when the deck has none. Fields are separated by
// blanks, tabs or commas; the card name is read without regard to case; cards after
// "EN" are not read. A deck without an EN card gives deckcards::kMissingEndMessage. A
// deck that cannot be read gives no message (the engine script reports it).
std::string CheckDeckFile(const std::string& path);

} // namespace vrnnec::engine