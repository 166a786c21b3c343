#include "results/RunReport.h"

#include "results/RunTexts.h"

#include "common/AtomicFile.h"
#include "common/Messages.h"
#include "results/CurrentsCsv.h"
#include "results/DiagramFiles.h"
#include "results/PatternDiagram.h"

#include <filesystem>
#include <ostream>
#include <system_error>

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

const std::pair<const char*, const char*> kDiagrams[] = {{kAzimuthPlotSuffix, "azimuth diagram"},
                                                          {kElevationPlotSuffix, "elevation diagram"}};

// The path of a diagram in the diagrams folder, its bytes as given.
std::string diagramPath(const RunReportRequest& request, const char* suffix)
{
    return request.diagramsDir + "/" + proposedFile(request.namingPath, suffix).fileName + ".bmp";
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
    std::error_code ec;
    std::filesystem::create_directories(request.diagramsDir, ec);
    if (!std::filesystem::is_directory(request.diagramsDir, ec))
        return messages::kUnableToCreateFolder + request.diagramsDir;
    const QImage* drawn[] = {&images.azimuth, &images.elevation};
    for (int i = 0; i < 2; ++i) {
        const QImage* image = drawn[i];
        const std::string path = diagramPath(request, kDiagrams[i].first);
        if (!saveDiagramBitmap(*image, path))
            return atomicfile::UnableToWriteMessage(path);
    }
    return {};
}

} // namespace

std::vector<fileid::NamedFile> RunReportFiles(const RunReportRequest& request)
{
    std::vector<fileid::NamedFile> files;
    if (!request.diagramsDir.empty())
        for (const auto& [suffix, role] : kDiagrams)
            files.push_back({diagramPath(request, suffix), role});
    files.push_back({request.currentsFile, "currents file"});
    return files;
}

int WriteRunReport(const engine::ListingData& listing, const RunReportRequest& request, std::ostream& out,
                   std::ostream& err)
{
    engine::SwrReference reference = request.reference;
    const engine::EngineOutput output = engine::SummariseListing(listing, request.inputs, reference);
    for (const std::string& line : FormatRunTexts(output, request.inputs, reference).memos.impedanceScreen)
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
