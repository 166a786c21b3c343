#include "CurrentsCsv.h"

#include "common/AtomicFile.h"
#include "common/NumberText.h"

namespace vrnnec::results {

namespace {

const char* const kNoCurrentsMessage = "CURRENTS data not found.";
const char* const kOpenFailedMessage = "Error opening file to save currents.";
const char* const kInvalidRowMessage = "Invalid CURRENT data in NEC-2 output. See Nec-2 output file for details.";

} // namespace

bool currentsCsvLine(const engine::CurrentRow& row, double wavelength, std::string& line)
{
    if (!row.tag || !row.segment || !row.x || !row.y || !row.z || !row.real || !row.imaginary || !row.magnitude
        || !row.phase)
        return false;
    using numtext::exponent;
    using numtext::general;
    line = std::to_string(*row.tag) + ',' + std::to_string(*row.segment) + ',' + general(*row.x * wavelength) + ','
        + general(*row.y * wavelength) + ',' + general(*row.z * wavelength) + ',' + exponent(*row.real, 7, 2) + ','
        + exponent(*row.imaginary, 7, 2) + ',' + exponent(*row.magnitude, 7, 2) + ',' + general(*row.phase);
    return true;
}

std::string exportCurrents(const std::vector<engine::CurrentRow>& currents, double wavelength, const std::string& path)
{
    if (currents.empty())
        return kNoCurrentsMessage;

    // The whole export, written at once when every row was read: a bad row leaves the
    // chosen file as it was.
    std::string file = std::string(kCurrentsCsvHeader) + "\r\n";
    for (const engine::CurrentRow& row : currents) {
        std::string line;
        if (!currentsCsvLine(row, wavelength, line))
            return kInvalidRowMessage;
        file += line + "\r\n";
    }
    if (!atomicfile::WriteFileAtomically(path, file).empty())
        return kOpenFailedMessage;
    return {};
}

} // namespace vrnnec::results