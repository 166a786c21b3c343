// The typed parse of a classic listing and its summary for the window, with the
// impedance and with the admittance read from the source rows.
#include "engine/ListingParse.h"
#include "engine/ListingReader.h"

#include "tests/fuzz/FuzzFiles.h"

#include <cstdint>

using namespace vrnnec;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string path = fuzz::WriteScratchFile("Outdata.txo", data, size);

    engine::ReadingInputs inputs;
    inputs.runNumber = 1;
    inputs.antennaHeight = 10;
    engine::SwrReference reference{};
    engine::ReadEngineOutput(path, inputs, reference);

    engine::ParseOptions options;
    options.readAdmittance = true;
    const engine::ListingData listing = engine::ParseListing(path, options);
    inputs.readAdmittance = true;
    inputs.heightUnknown = true;
    inputs.coatedRun = true;
    engine::SwrReference otherReference{75, 25};
    engine::SummariseListing(listing, inputs, otherReference);
    return 0;
}
