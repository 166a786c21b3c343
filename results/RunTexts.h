// The texts a calculation's results are shown in: the lines of the four result memos and
// the steps of the results table, made from the numbers of the listing's summary. No
// widgets here; the window adds the lines and replays the steps.
#pragma once

#include "engine/ListingReader.h"

#include <string>
#include <vector>

namespace vrnnec::results {

// One step on `ResultsTable`: optionally `AddResultsRow()`, then the texts of row 1
// from column `firstColumn` on (cells[i] goes to column firstColumn + i). A source row
// sets columns 0 to 5 (the tag in column 1 as the full integer, never wrapped to 16
// bits), the pattern step columns 6 to 14 of the row then on top.
struct TableStep {
    bool addRow = false;
    int firstColumn = 0;
    std::vector<std::string> cells;
};

// The lines each memo receives, in order. `ImpedanceScreen` and `ImpedanceScreen1` are
// cleared at the start of every reading, before these lines are added.
struct MemoLines {
    std::vector<std::string> impedanceScreen;       // `ImpedanceScreen` ("RP plots")
    std::vector<std::string> impedanceScreen1;      // `ImpedanceScreen1` ("Table of results")
    std::vector<std::string> memo1;                 // `Memo1` ("Data sheet")
    std::vector<std::string> nec2ResultSheetScreen; // `NEC2ResultSheetScreen` ("NEC-2 input")
};

struct RunTexts {
    MemoLines memos;
    std::vector<TableStep> table;
};

// The texts of one reading, as far as it came: the frequency line, the environment, a
// line and a table row per source (or the excitation), and after a complete reading the
// pattern maxima and the table row's pattern cells. `reference` is the SWR reference the
// summary used (after it became 50 + j0 from 0 + j0); `inputs` give the run number, the
// antenna height and the coated mark of the table.
RunTexts FormatRunTexts(const engine::EngineOutput& output, const engine::ReadingInputs& inputs,
                        const engine::SwrReference& reference);

// The line of the four memos for one source, e.g.
// "Source in wire N 1:      Z=73.123 + j 42.500   SWR(50+j0)=2.18".
std::string SourceLine(long long tag, double r, double x, double swr, const engine::SwrReference& reference);

} // namespace vrnnec::results
