// The reading of a near field listing, electric and magnetic, and of its lines as rows.
#include "engine/NearFieldListing.h"

#include "tests/fuzz/FuzzFiles.h"

#include <cstdint>
#include <string_view>

using namespace vrnnec;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string path = fuzz::WriteScratchFile("Outdata.txo", data, size);
    engine::ReadNearFieldListing(path, engine::NearField::Electric);
    engine::ReadNearFieldListing(path, engine::NearField::Magnetic);

    const std::string_view text(reinterpret_cast<const char*>(data), size);
    for (std::size_t start = 0; start < text.size();) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos)
            end = text.size();
        engine::ReadNearFieldRow(text.substr(start, end - start)).readable();
        start = end + 1;
    }
    return 0;
}
