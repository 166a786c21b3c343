#include "Vrn2NecRun.h"

#include "Vrn2NecConversion.h"
#include "common/AtomicFile.h"
#include "common/Messages.h"
#include "engine/AntennaPreview.h"
#include "engine/Calculation.h"
#include "engine/ListingReader.h"
#include "engine/SignalStop.h"
#include "engine/WorkingFolder.h"
#include "results/RunReport.h"

#include <QDir>
#include <QString>
#include <QTemporaryDir>

#include <ostream>
#include <sstream>

namespace vrnnec::vrn2nec {

namespace {

using engine::SignalStop;

// Converts, runs and reads; the working folder (a temporary one unless kept) is removed
// when this returns, also after a signal.
int RunAntennaUntilStopped(const Options& given, const std::string& programFolder, std::ostream& out, std::ostream& err,
                           SignalStop& stopSignals)
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
            err << messages::kUnableToCreateFolder << given.keepDir << "\n";
            return 1;
        }
    }
    if (!engine::TakeUsersEngineConf(QString::fromStdString(programFolder), folder)) {
        err << atomicfile::UnableToWriteMessage(QDir(folder).filePath(QStringLiteral("engine.conf")).toStdString())
            << "\n";
        return 1;
    }

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

    results::RunReportRequest report;
    report.inputs.runNumber = 1;
    report.inputs.antennaHeight = conversionReport.heightM;
    report.inputs.coatedRun = options.coat.has_value();
    report.reference = engine::SwrReference{preview.preview.swrReferenceR, preview.preview.swrReferenceX};
    report.diagramsDir = options.diagramsDir;
    report.polarization = options.polarization;
    report.namingPath = options.input;
    report.currentsFile = options.currentsFile;
    if (results::WriteRunReport(result.listing, report, out, err) != 0)
        return 1;
    return 0;
}

} // namespace

int RunAntenna(const Options& given, const std::string& programFolder, std::ostream& out, std::ostream& err)
{
    SignalStop stopSignals;
    const int code = RunAntennaUntilStopped(given, programFolder, out, err, stopSignals);
    if (stopSignals.received() != 0) {
        err << engine::kStoppedMessage << "\n";
        return 128 + stopSignals.received();
    }
    return code;
}

} // namespace vrnnec::vrn2nec