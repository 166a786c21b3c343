#include "Vrn2NecRun.h"

#include "Vrn2NecConversion.h"
#include "engine/AntennaPreview.h"
#include "engine/EngineRun.h"
#include "engine/ListingReader.h"
#include "results/CurrentsCsv.h"
#include "results/DiagramFiles.h"
#include "results/PatternDiagram.h"

#include <QDir>
#include <QString>
#include <QTemporaryDir>

#include <ostream>
#include <sstream>

namespace vrn2nec {

namespace {

results::Polarization polarizationOf(const std::string& name)
{
    if (name == "h")
        return results::Polarization::Phi;
    if (name == "v")
        return results::Polarization::Theta;
    if (name == "vh")
        return results::Polarization::PhiTheta;
    return results::Polarization::Total;
}

// Saves both diagrams as "Save Azimuth Plot" and "Save Elevation Plot" would, with the
// names proposed from the antenna file. Returns the message, empty on success.
std::string saveDiagrams(const Options& options, const engine::EngineOutput& output)
{
    results::PatternImages images;
    const results::PolarizationOutcome outcome = results::ShowPolarization(
        images, output.patternLines, output.maxTotalGain.value_or(0), polarizationOf(options.polarization), '.');
    if (!outcome.messages.empty())
        return outcome.messages.front();
    if (!QDir().mkpath(QString::fromStdString(options.diagramsDir)))
        return "Unable to create the folder " + options.diagramsDir;
    const std::pair<const QImage*, const char*> diagrams[] = {
        {&images.azimuth, results::kAzimuthPlotSuffix}, {&images.elevation, results::kElevationPlotSuffix}};
    for (const auto& [image, suffix] : diagrams) {
        const results::ProposedFile proposal = results::proposedFile(options.input, suffix);
        const std::string path =
            QDir(QString::fromStdString(options.diagramsDir)).filePath(QString::fromStdString(proposal.fileName + ".bmp")).toStdString();
        if (!results::saveDiagramBitmap(*image, path))
            return "Unable to write to " + path;
    }
    return {};
}

} // namespace

int RunAntenna(const Options& given, const std::string& programFolder, std::ostream& out, std::ostream& err)
{
    // The working folder: a fresh temporary one, or the one to keep.
    QTemporaryDir temporary;
    QString folder;
    if (given.keepDir.empty()) {
        if (!temporary.isValid()) {
            err << "Unable to create a temporary folder.\n";
            return 1;
        }
        folder = temporary.path();
    } else {
        folder = QDir(QString::fromStdString(given.keepDir)).absolutePath();
        if (!QDir().mkpath(folder)) {
            err << "Unable to create the folder " << given.keepDir << "\n";
            return 1;
        }
    }

    // The file's own SWR reference, as the calculation commands take it.
    const AntennaPreviewReading preview = ReadAntennaPreview(given.input);
    if (!preview.ok()) {
        err << preview.message << "\n";
        return 1;
    }

    Options options = given;
    options.deck = QDir(folder).filePath(QString::fromLatin1(engine::kDeckFile)).toStdString();
    ConversionReport report;
    std::ostringstream conversionLines;
    if (ConvertAntenna(options, conversionLines, err, report) != 0)
        return 1;

    const QString script = QDir(QString::fromStdString(programFolder)).filePath(QString::fromLatin1(engine::kEngineScript));
    if (engine::RunCommandLine(script, 0, true, folder) != 0) {
        err << "Unable to start NEC-2.\n";
        return 1;
    }

    engine::ReadingInputs inputs;
    inputs.runNumber = 1;
    inputs.antennaHeight = report.heightM;
    inputs.coatedRun = options.coat.has_value();
    engine::SwrReference reference{preview.preview.swrReferenceR, preview.preview.swrReferenceX};
    const engine::EngineOutput output = engine::ReadEngineOutput(
        QDir(folder).filePath(QString::fromLatin1(engine::kListingFile)).toStdString(), inputs, reference);
    for (const std::string& line : output.memos.impedanceScreen)
        out << line << "\n";
    if (!output.succeeded()) {
        err << output.message << "\n";
        return 1;
    }
    if (!options.diagramsDir.empty()) {
        const std::string message = saveDiagrams(options, output);
        if (!message.empty()) {
            err << message << "\n";
            return 1;
        }
    }
    if (!options.currentsFile.empty()) {
        if (output.currentLines.empty()) {
            err << "CURRENTS data not found.\n";
            return 1;
        }
        const std::string message =
            results::exportCurrents(output.currentLines, output.wavelength.value_or(0), options.currentsFile);
        if (!message.empty()) {
            err << message << "\n";
            return 1;
        }
    }
    return 0;
}

} // namespace vrn2nec
