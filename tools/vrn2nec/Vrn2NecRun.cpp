#include "Vrn2NecRun.h"

#include "Vrn2NecConversion.h"
#include "common/AtomicFile.h"
#include "common/FileIdentity.h"
#include "common/Messages.h"
#include "engine/AntennaPreview.h"
#include "engine/Calculation.h"
#include "engine/ListingReader.h"
#include "engine/SignalStop.h"
#include "engine/WorkingFolder.h"
#include "results/RunReport.h"

#include <QDir>
#include <QString>

#include <ostream>
#include <sstream>

namespace vrnnec::vrn2nec {

namespace {

using engine::SignalStop;

// The files of the summary's report; the reference and the height come from the run.
results::RunReportRequest reportRequest(const Options& options)
{
    results::RunReportRequest report;
    report.inputs.runNumber = 1;
    report.diagramsDir = options.diagramsDir;
    report.polarization = options.polarization;
    report.namingPath = options.input;
    report.currentsFile = options.currentsFile;
    return report;
}

// Nothing the run writes (the --keep folder's working files, the diagrams, the currents)
// is the antenna file, and it is not a folder.
std::string checkFiles(const Options& options)
{
    const fileid::NamedFile antenna{options.input, "antenna file"};
    std::vector<fileid::NamedFile> outputs = results::RunReportFiles(reportRequest(options));
    std::vector<fileid::NamedFile> all = outputs;
    all.insert(all.begin(), antenna);
    const std::string message = fileid::CheckNoFolders(all);
    if (!options.keepDir.empty())
        for (const fileid::NamedFile& file : engine::RunFiles(options.keepDir))
            outputs.push_back(file);
    if (!message.empty())
        return message;
    if (std::string same = fileid::CheckOutputsAgainstInputs({antenna}, outputs); !same.empty())
        return same;
    // A missing or read-only folder is found before the engine runs, not after.
    return fileid::CheckOutputFolders(results::RunReportFiles(reportRequest(options)), {options.diagramsDir});
}

// Converts, runs and reads; the working folder (a temporary one unless kept) is removed
// when this returns, also after a signal.
int RunAntennaUntilStopped(const Options& given, const std::string& programFolder, std::ostream& out, std::ostream& err,
                           SignalStop& stopSignals)
{
    engine::RunFolder working(given.keepDir, programFolder);
    if (working.path.isEmpty()) {
        err << working.message << "\n";
        return 1;
    }
    const QString folder = working.path;

    // The file's own SWR reference, as the calculation commands take it.
    const AntennaPreviewReading preview = ReadAntennaPreview(given.input);
    if (!preview.ok()) {
        err << preview.message << "\n";
        return 1;
    }

    engine::CalculationRequest request;
    request.programFolder = QString::fromStdString(programFolder);
    request.workingFolder = folder;
    Options options = given;
    options.deck = engine::Calculation::deckPath(request).toStdString();
    ConversionReport conversionReport;
    std::ostringstream conversionLines;
    if (ConvertAntenna(options, conversionLines, err, conversionReport) != 0)
        return 1;
    if (stopSignals.received() != 0)
        return 1;

    engine::Calculation calculation;
    stopSignals.watch(calculation);
    const engine::CalculationResult& result = calculation.run(request);
    if (result.outcome != engine::CalculationOutcome::Finished) {
        if (stopSignals.received() == 0)
            err << result.message << "\n";
        return 1;
    }

    results::RunReportRequest report = reportRequest(options);
    report.inputs.antennaHeight = conversionReport.heightM;
    report.inputs.coatedRun = options.coat.has_value();
    report.reference = engine::SwrReference{preview.preview.swrReferenceR, preview.preview.swrReferenceX};
    if (results::WriteRunReport(result.listing, report, out, err) != 0)
        return 1;
    return 0;
}

} // namespace

int RunAntenna(const Options& given, const std::string& programFolder, std::ostream& out, std::ostream& err)
{
    if (const std::string message = checkFiles(given); !message.empty()) {
        err << message << "\n";
        return 1;
    }
    SignalStop stopSignals;
    const int code = RunAntennaUntilStopped(given, programFolder, out, err, stopSignals);
    if (stopSignals.received() != 0) {
        err << engine::kStoppedMessage << "\n";
        return 128 + stopSignals.received();
    }
    return code;
}

} // namespace vrnnec::vrn2nec