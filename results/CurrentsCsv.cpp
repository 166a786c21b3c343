#include "CurrentsCsv.h"

#include "common/NumberText.h"

#include <QSaveFile>
#include <QString>

namespace results {

namespace {

const char* const kNoCurrentsMessage = "CURRENTS data not found.";
const char* const kOpenFailedMessage = "Error opening file to save currents.";
const char* const kInvalidRowMessage =
    "Invalid CURRENT data in NEC-2 output. See Nec-2 output file for details.";

} // namespace

bool currentsCsvLine(const engine::CurrentRow& row, double wavelength, std::string& line)
{
    if (!row.tag || !row.segment || !row.x || !row.y || !row.z || !row.real || !row.imaginary ||
        !row.magnitude || !row.phase)
        return false;
    using numtext::exponent;
    using numtext::general;
    line = std::to_string(*row.tag) + ',' + std::to_string(*row.segment) + ',' +
           general(*row.x * wavelength) + ',' + general(*row.y * wavelength) + ',' +
           general(*row.z * wavelength) + ',' + exponent(*row.real, 7, 2) + ',' +
           exponent(*row.imaginary, 7, 2) + ',' + exponent(*row.magnitude, 7, 2) + ',' +
           general(*row.phase);
    return true;
}

std::string exportCurrents(const std::vector<engine::CurrentRow>& currents, double wavelength,
                           const std::string& path)
{
    if (currents.empty())
        return kNoCurrentsMessage;

    QSaveFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::WriteOnly))
        return kOpenFailedMessage;

    auto writeLine = [&file](const std::string& text) {
        const std::string withEnd = text + "\r\n";
        return file.write(withEnd.data(), static_cast<qint64>(withEnd.size())) ==
               static_cast<qint64>(withEnd.size());
    };
    bool written = writeLine(kCurrentsCsvHeader);
    for (const engine::CurrentRow& row : currents) {
        std::string line;
        if (!currentsCsvLine(row, wavelength, line)) {
            file.cancelWriting();
            file.commit(); // discards the temporary file; the chosen file stays as it was
            return kInvalidRowMessage;
        }
        written = written && writeLine(line);
    }
    if (!written || !file.commit())
        return kOpenFailedMessage;
    return {};
}

} // namespace results
