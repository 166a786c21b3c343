// The 3-D viewer's reading of a NEC-2 output listing in the classic column layout.
//
// The segmentation table comes first; after it the scan looks for the surface patches,
// the loading, the network connection points, the input parameters and the currents, in
// this order: each line is compared with the headings still to come, and once a section
// has been read only the headings after it are looked for. Any of these sections may be
// missing. After the first currents table nothing more is read, so only the first
// frequency block counts.
#pragma once

#include "engine/ListingData.h"

#include <string>
#include <string_view>

namespace vrnnec::engine {

ViewerSections ParseViewerSections(const std::string& listingPath);
// The same reading of a listing's text.
ViewerSections ParseViewerSectionsText(std::string_view text);

} // namespace vrnnec::engine
