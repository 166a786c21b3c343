// The reader of measured one-port Touchstone files: any text either reads completely, with
// rising frequencies above 0 and one reflection coefficient per frequency, or gives a
// message and no data.
#include "analyses/Touchstone.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

using namespace vrnnec;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const analyses::MeasuredSweep read =
        analyses::ParseTouchstoneOnePort(std::string_view(reinterpret_cast<const char*>(data), size));
    if (read.ok() == read.frequency.empty() || read.frequency.size() != read.s11.size())
        std::abort();
    for (std::size_t k = 1; k < read.frequency.size(); ++k)
        if (!(read.frequency[k] > read.frequency[k - 1]))
            std::abort();
    return 0;
}
