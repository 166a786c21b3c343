#include "CurrentsCsv.h"

#include "common/AtomicFile.h"
#include "common/NumberText.h"
#include "common/TextLines.h"

namespace results {

namespace {

const char* const kNoCurrentsMessage = "CURRENTS data not found.";
const char* const kOpenFailedMessage = "Error opening file to save currents.";
const char* const kInvalidRowMessage =
    "Invalid CURRENT data in NEC-2 output. See Nec-2 output file for details.";

} // namespace

bool currentsCsvLine(const std::string& row, double wavelength, std::string& line)
{
    long long tag = 0;
    long long segment = 0;
    double x = 0.0, y = 0.0, z = 0.0;
    double re = 0.0, im = 0.0, magnitude = 0.0, phase = 0.0;
    using textlines::columnInteger;
    using textlines::columnReal;
    if (!columnInteger(row, 7, 11, tag) || !columnInteger(row, 1, 6, segment) ||
        !columnReal(row, 12, 20, x) || !columnReal(row, 21, 29, y) ||
        !columnReal(row, 30, 38, z) || !columnReal(row, 49, 60, re) ||
        !columnReal(row, 62, 73, im) || !columnReal(row, 73, 84, magnitude) ||
        !columnReal(row, 85, 93, phase))
        return false;
    using numtext::exponent;
    using numtext::general;
    line = std::to_string(tag) + ',' + std::to_string(segment) + ',' +
           general(x * wavelength) + ',' + general(y * wavelength) + ',' +
           general(z * wavelength) + ',' + exponent(re, 7, 2) + ',' + exponent(im, 7, 2) +
           ',' + exponent(magnitude, 7, 2) + ',' + general(phase);
    return true;
}

std::string exportCurrents(const std::vector<std::string>& currentLines, double wavelength,
                           const std::string& path)
{
    if (currentLines.empty())
        return kNoCurrentsMessage;

    std::string file; // the whole export, written at once when every row was read

    auto writeLine = [&file](const std::string& text) {
        file.append(text).append("\r\n");
        return true;
    };
    bool written = writeLine(kCurrentsCsvHeader);
    for (const std::string& row : currentLines) {
        std::string line;
        if (!currentsCsvLine(row, wavelength, line)) {
            return kInvalidRowMessage; // nothing written; the chosen file stays as it was
        }
        written = written && writeLine(line);
    }
    if (!written || !atomicfile::WriteFileAtomically(path, file).empty())
        return kOpenFailedMessage;
    return {};
}

} // namespace results
