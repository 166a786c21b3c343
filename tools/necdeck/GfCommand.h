// necdeck gf DECK OUT: the Green's function file of a deck.
#pragma once

#include "Subcommand.h"

namespace vrnnec::necdeck {

// Builds the WG deck from DECK as the window's "Write" does, runs it in a fresh
// temporary folder through the program folder's GoNecGN.bat and copies the Green's
// function file to OUT. Exit 0; 1 with the message on stderr (OUT untouched); 2 for a
// wrong command line.
int RunGf(Invocation& invocation);

} // namespace vrnnec::necdeck
