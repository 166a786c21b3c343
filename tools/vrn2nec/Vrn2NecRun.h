// vrn2nec --run: the road of a calculation without a window. The deck is run through
// the program folder's GoNec.bat in a working folder of its own, the listing is read
// by the program's reader, and the results summary, the diagrams and the currents are
// written as the program would.
#pragma once

#include "Vrn2NecOptions.h"

#include <iosfwd>
#include <string>

namespace vrnnec::vrn2nec {

// Converts, runs and reads. `programFolder` holds GoNec.bat. Prints the summary lines
// to `out` and returns 0, or prints the message to `err` and returns 1.
int RunAntenna(const Options& options, const std::string& programFolder, std::ostream& out, std::ostream& err);

} // namespace vrnnec::vrn2nec