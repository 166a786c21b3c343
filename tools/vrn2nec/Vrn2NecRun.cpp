#include "Vrn2NecRun.h"

#include "Vrn2NecConversion.h"
#include "common/AtomicFile.h"
#include "engine/AntennaPreview.h"
#include "engine/Calculation.h"
#include "engine/ListingReader.h"
#include "results/CurrentsCsv.h"
#include "results/DiagramFiles.h"
#include "results/PatternDiagram.h"

#include <QDir>
#include <QSocketNotifier>
#include <QString>
#include <QTemporaryDir>

#include <atomic>
#include <csignal>
#include <ostream>
#include <sstream>

#include <fcntl.h>
#include <unistd.h>

namespace vrnnec::vrn2nec {

namespace {

// SIGINT and SIGTERM during a run: the handler only notes the signal and wakes the
// event loop through a pipe; the run then stops the engine's process group, and the
// temporary folder is removed on the way out.
std::atomic<int> g_signal{0};
int g_wakePipe[2] = {-1, -1};

extern "C" void noteSignal(int number)
{
    g_signal = number;
    if (g_wakePipe[1] >= 0) {
        const char byte = 1;
        [[maybe_unused]] const auto written = ::write(g_wakePipe[1], &byte, 1);
    }
}

class SignalStop {
public:
    SignalStop()
    {
        g_signal = 0;
        if (::pipe2(g_wakePipe, O_CLOEXEC | O_NONBLOCK) != 0)
            g_wakePipe[0] = g_wakePipe[1] = -1;
        struct sigaction action {};
        action.sa_handler = noteSignal;
        sigemptyset(&action.sa_mask);
        ::sigaction(SIGINT, &action, &savedInt_);
        ::sigaction(SIGTERM, &action, &savedTerm_);
    }
    ~SignalStop()
    {
        ::sigaction(SIGINT, &savedInt_, nullptr);
        ::sigaction(SIGTERM, &savedTerm_, nullptr);
        for (int& fd : g_wakePipe) {
            if (fd >= 0)
                ::close(fd);
            fd = -1;
        }
    }
    SignalStop(const SignalStop&) = delete;
    SignalStop& operator=(const SignalStop&) = delete;

    // Stops `calculation` when a signal arrives while it runs.
    void watch(engine::Calculation& calculation)
    {
        if (g_wakePipe[0] < 0)
            return;
        notifier_ = std::make_unique<QSocketNotifier>(g_wakePipe[0], QSocketNotifier::Read);
        QObject::connect(notifier_.get(), &QSocketNotifier::activated, &calculation, [&calculation] {
            char buffer[16];
            while (::read(g_wakePipe[0], buffer, sizeof buffer) > 0) {
            }
            calculation.stop();
        });
    }

    int received() const { return g_signal; }

private:
    struct sigaction savedInt_ {};
    struct sigaction savedTerm_ {};
    std::unique_ptr<QSocketNotifier> notifier_;
};

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
        images, output.patterns, output.maxTotalGain.value_or(0), polarizationOf(options.polarization), '.');
    if (!outcome.messages.empty())
        return outcome.messages.front();
    if (!QDir().mkpath(QString::fromStdString(options.diagramsDir)))
        return "Unable to create the folder " + options.diagramsDir;
    const std::pair<const QImage*, const char*> diagrams[] = {{&images.azimuth, results::kAzimuthPlotSuffix},
                                                              {&images.elevation, results::kElevationPlotSuffix}};
    for (const auto& [image, suffix] : diagrams) {
        const results::ProposedFile proposal = results::proposedFile(options.input, suffix);
        const std::string path = QDir(QString::fromStdString(options.diagramsDir))
                                     .filePath(QString::fromStdString(proposal.fileName + ".bmp"))
                                     .toStdString();
        if (!results::saveDiagramBitmap(*image, path))
            return atomicfile::UnableToWriteMessage(path);
    }
    return {};
}

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

    engine::CalculationRequest request;
    request.programFolder = QString::fromStdString(programFolder);
    request.workingFolder = folder;
    Options options = given;
    options.deck = engine::Calculation::deckPath(request).toStdString();
    ConversionReport report;
    std::ostringstream conversionLines;
    if (ConvertAntenna(options, conversionLines, err, report) != 0)
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

    engine::ReadingInputs inputs;
    inputs.runNumber = 1;
    inputs.antennaHeight = report.heightM;
    inputs.coatedRun = options.coat.has_value();
    engine::SwrReference reference{preview.preview.swrReferenceR, preview.preview.swrReferenceX};
    const engine::EngineOutput output = engine::SummariseListing(result.listing, inputs, reference);
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
        const std::string message =
            results::exportCurrents(output.currents, output.wavelength.value_or(0), options.currentsFile);
        if (!message.empty()) {
            err << message << "\n";
            return 1;
        }
    }
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