// The rewriter of nec2c listings into the classic layout, and the readers of its result.
#include "engine/ClassicListing.h"
#include "engine/ListingParse.h"
#include "engine/ViewerSectionsParse.h"

#include "tests/fuzz/FuzzFiles.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

using namespace vrnnec;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view listing(reinterpret_cast<const char*>(data), size);
    const std::string classic = engine::RewriteToClassicListing(listing);
    // A rewritten listing is classic: a second rewrite leaves it as it is.
    if (engine::IsNec2cListing(classic))
        std::abort();
    const std::string path =
        fuzz::WriteScratchFile("Outdata.txo", reinterpret_cast<const std::uint8_t*>(classic.data()), classic.size());
    engine::ParseListing(path);
    engine::ParseViewerSections(path);
    return 0;
}
