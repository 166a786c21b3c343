#include "results/RunReport.h"

#include "common/AtomicFile.h"
#include "common/Messages.h"
#include "results/CurrentsCsv.h"
#include "results/DiagramFiles.h"
#include "results/PatternDiagram.h"

#include <QDir>
#include <QString>

#include <ostream>

namespace vrnnec::results {

namespace {

Polarization polarizationOf(const std::string& name)
{
    if (name == "h")
        return Polarization::Phi;
    if (name == "v")
        return Polarization::Theta;
    if (name == "vh")
        return Polarization::PhiTheta;
    return Polarization::Total;
}

// Saves both diagrams as "Save Azimuth Plot" and "Save Elevation Plot" would, with the
// names proposed from `request.namingPath`. Returns the message, empty on success.
std::string saveDiagrams(const RunReportRequest& request, const engine::EngineOutput& output)
{
    PatternImages images;
    const PolarizationOutcome outcome = ShowPolarization(images, output.patterns, output.maxTotalGain.value_or(0),
                                                         polarizationOf(request.polarization), '.');
    if (!outcome.messages.empty())
        return outcome.messages.front();
    if (!QDir().mkpath(QString::fromStdString(request.diagramsDir)))
        return messages::kUnableToCreateFolder + request.diagramsDir;
    const std::pair<const QImage*, const char*> diagrams[] = {{&images.azimuth, kAzimuthPlotSuffix},
                                                              {&images.elevation, kElevationPlotSuffix}};
    for (const auto& [image, suffix] : diagrams) {
        const ProposedFile proposal = proposedFile(request.namingPath, suffix);
        const std::string path = QDir(QString::fromStdString(request.diagramsDir))
                                     .filePath(QString::fromStdString(proposal.fileName + ".bmp"))
                                     .toStdString();
        if (!saveDiagramBitmap(*image, path))
            return atomicfile::UnableToWriteMessage(path);
    }
    return {};
}

} // namespace

int WriteRunReport(const engine::ListingData& listing, const RunReportRequest& request, std::ostream& out,
                   std::ostream& err)
{
    engine::SwrReference reference = request.reference;
    const engine::EngineOutput output = engine::SummariseListing(listing, request.inputs, reference);
    for (const std::string& line : output.memos.impedanceScreen)
        out << line << "\n";
    if (!output.succeeded()) {
        err << output.message << "\n";
        return 1;
    }
    if (!request.diagramsDir.empty()) {
        const std::string message = saveDiagrams(request, output);
        if (!message.empty()) {
            err << message << "\n";
            return 1;
        }
    }
    if (!request.currentsFile.empty()) {
        const std::string message =
            exportCurrents(output.currents, output.wavelength.value_or(0), request.currentsFile);
        if (!message.empty()) {
            err << message << "\n";
            return 1;
        }
    }
    return 0;
}

} // namespace vrnnec::results
