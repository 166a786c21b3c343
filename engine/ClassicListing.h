// Rewriting of a nec2c output listing into the classic NEC-2 listing layout that the
// program's readers expect: the classic heading lines, the classic number of lines
// between a heading and its rows, and every field the readers use at its classic
// columns (segmentation, frequency, loading, environment, excitation, network connection
// points, input parameters with the "*" of current-slope-discontinuity sources,
// currents, surface patches, power budget, near fields, radiation patterns), for every
// frequency block of a run; the data card echo gets its classic form as well. Lines that
// no reader uses are kept as they are.
//
// Numbers are moved into the classic fields with the classic number of decimals; the
// digits are nec2c's (one significant digit fewer than the classic engine in some
// fields). A value too wide for its classic field loses decimals rather than shifting
// the fields behind it.
#pragma once

#include <string>
#include <string_view>

namespace vrnnec::engine {

// True when `listing` is in nec2c's layout: its first section heading is drawn with runs
// of dashes ("---------------- COMMENTS ----------------") rather than in the classic
// style ("- - - - COMMENTS - - - -"). A classic listing, a rewritten one and a text
// without section headings give false.
bool IsNec2cListing(std::string_view listing);

// The classic form of a nec2c listing; any other text comes back unchanged. Lines end
// with LF.
std::string RewriteToClassicListing(std::string_view listing);

// Rewrites the listing file `inPath` into `outPath` (which may be the same file): the
// result goes to a temporary file beside `outPath` that then replaces it, so a failure
// never leaves a half-written listing. A listing that is not in nec2c's layout is copied
// unchanged (and left alone when both paths name the same file). Returns an empty text
// on success, else a message naming the file that failed.
std::string RewriteListingFile(const std::string& inPath, const std::string& outPath);

} // namespace vrnnec::engine