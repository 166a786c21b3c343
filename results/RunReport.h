// What a run from the command line leaves: the summary lines of the "RP plots" page,
// and on request both diagram bitmaps and the currents file, written as the program's
// commands write them. Shared by every tool that runs a deck.
#pragma once

#include "common/FileIdentity.h"
#include "engine/ListingData.h"
#include "engine/ListingReader.h"
#include "engine/Swr.h"

#include <iosfwd>
#include <string>
#include <vector>

namespace vrnnec::results {

struct RunReportRequest {
    engine::ReadingInputs inputs;
    engine::SwrReference reference{50, 0};
    std::string diagramsDir;            // empty: no diagrams (a name's bytes are kept as given)
    std::string polarization = "total"; // total, h, v or vh
    std::string namingPath;             // the file the diagram names are proposed from
    std::string currentsFile;           // empty: no currents file
};

// The files the report writes (diagrams, currents), for the input/output check.
std::vector<fileid::NamedFile> RunReportFiles(const RunReportRequest& request);

// Reads the listing's results, prints the summary lines to `out` and writes the files
// asked for. Returns 0, or prints the message to `err` and returns 1.
int WriteRunReport(const engine::ListingData& listing, const RunReportRequest& request, std::ostream& out,
                   std::ostream& err);

} // namespace vrnnec::results
