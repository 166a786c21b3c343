// The reading of a frequency sweep's listing: its frequency blocks counted, then read
// with the impedance for as many points and with the admittance for one more.
#include "engine/SweepListing.h"

#include "tests/fuzz/FuzzFiles.h"

#include <cstdint>

using namespace vrnnec;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string path = fuzz::WriteScratchFile("Outdata.txo", data, size);
    const int blocks = engine::CountFrequencyBlocks(path);
    engine::ReadSweepListing(path, blocks, false);
    engine::ReadSweepListing(path, blocks + 1, true);
    return 0;
}
