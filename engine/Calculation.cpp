#include "engine/Calculation.h"

#include "engine/DeckChecks.h"

#include "common/AtomicFile.h"
#include "common/NumberText.h"
#include "common/TextLines.h"

#include <QDir>
#include <QEventLoop>
#include <QFileInfo>

namespace vrnnec::engine {

Calculation::Calculation(QObject* parent) : QObject(parent), run_(this), ticker_(this)
{
    ticker_.setInterval(1000);
    ticker_.setTimerType(Qt::PreciseTimer);
    // A tick may come a little early: it reports the second it stands for.
    connect(&ticker_, &QTimer::timeout, this,
            [this] { emit elapsed(static_cast<int>((clock_.elapsed() + 500) / 1000)); });
    connect(&run_, &EngineRun::finished, this, &Calculation::engineEnded);
}

Calculation::~Calculation() = default;

namespace {

QString folderOf(const CalculationRequest& request)
{
    return request.workingFolder.isEmpty() ? request.programFolder : request.workingFolder;
}

} // namespace

QString Calculation::deckPath(const CalculationRequest& request)
{
    return QDir(folderOf(request)).filePath(QString::fromLatin1(request.auxiliary ? kAuxDeckFile : kDeckFile));
}

QString Calculation::listingPath(const CalculationRequest& request)
{
    return QDir(folderOf(request)).filePath(QString::fromLatin1(kListingFile));
}

QString Calculation::scriptPath(const CalculationRequest& request)
{
    return QDir(request.programFolder)
        .filePath(QString::fromLatin1(request.auxiliary ? kAuxEngineScript : kEngineScript));
}

bool Calculation::start(const CalculationRequest& request)
{
    if (isRunning())
        return false;
    request_ = request;
    result_ = CalculationResult{};
    const QString deck = deckPath(request);

    if (request.antenna) {
        result_.conversion = convertAntenna(request.antenna->antennaPath, deck.toStdString(), request.antenna->options);
        if (!result_.conversion.error.empty()) {
            result_.outcome = CalculationOutcome::ConversionFailed;
            result_.message = result_.conversion.error;
            return false;
        }
    }
    if (request.deckText) {
        if (!atomicfile::WriteFileAtomically(deck.toStdString(), *request.deckText).empty()) {
            result_.outcome = CalculationOutcome::DeckNotWritten;
            result_.message = atomicfile::UnableToWriteMessage(deck.toStdString());
            return false;
        }
    }
    if (request.convertOnly) {
        result_.outcome = CalculationOutcome::Converted;
        return false;
    }
    std::string refusal = CheckDeckFile(deck.toStdString());
    if (!refusal.empty()) {
        result_.outcome = CalculationOutcome::DeckRefused;
        result_.message = std::move(refusal);
        return false;
    }
    if (!run_.start(scriptPath(request), folderOf(request), request.engineThreads)) {
        result_.outcome = CalculationOutcome::EngineFailed;
        result_.message = kUnableToStartMessage;
        return false;
    }
    result_.outcome = CalculationOutcome::Running;
    started_ = QDateTime::currentDateTime().addSecs(-1);
    clock_.start();
    ticker_.start();
    return true;
}

void Calculation::engineEnded()
{
    ticker_.stop();
    if (run_.wasStopped()) {
        result_.outcome = CalculationOutcome::Stopped;
        result_.message = kStoppedMessage;
    } else if (run_.exitCode() == kGreenFunctionUnsupportedExitCode) {
        result_.outcome = CalculationOutcome::GreenFunctionUnsupported;
        result_.message = kGreenFunctionUnsupportedMessage;
    } else if (run_.exitCode() == kEngineConfExitCode) {
        result_.outcome = CalculationOutcome::EngineFailed;
        result_.message = kEngineConfMessage;
    } else if (run_.exitCode() != 0) {
        result_.outcome = CalculationOutcome::EngineFailed;
        result_.message = kUnableToStartMessage;
        std::string reason = EngineReason(folderOf(request_), started_);
        if (reason.empty())
            reason = CrashReason(run_.exitCode());
        if (!reason.empty())
            result_.message += "\n" + reason;
    } else {
        result_.outcome = CalculationOutcome::Finished;
        if (request_.parseListing)
            result_.listing = ParseListing(listingPath(request_).toStdString(), request_.parse);
    }
    emit finished();
}

void Calculation::stop()
{
    run_.stop();
}

bool Calculation::isRunning() const
{
    return result_.outcome == CalculationOutcome::Running;
}

void Calculation::waitForFinished()
{
    if (!isRunning())
        return;
    QEventLoop loop;
    connect(this, &Calculation::finished, &loop, &QEventLoop::quit);
    if (isRunning())
        loop.exec();
}

const CalculationResult& Calculation::run(const CalculationRequest& request)
{
    if (start(request))
        waitForFinished();
    return result_;
}

int Calculation::elapsedSeconds() const
{
    return clock_.isValid() ? static_cast<int>(clock_.elapsed() / 1000) : 0;
}

qint64 Calculation::processId() const
{
    return isRunning() ? run_.processId() : 0;
}

std::string Calculation::EngineReason(const QString& folder, const QDateTime& since)
{
    const QString path = QDir(folder).filePath(QString::fromLatin1(kEngineListingFile));
    const QFileInfo info(path);
    if (!info.exists() || info.lastModified() < since)
        return {};
    std::vector<std::string> lines;
    if (!textlines::readAllLines(path.toStdString(), lines))
        return {};
    for (auto line = lines.rbegin(); line != lines.rend(); ++line) {
        const std::string_view trimmed = numtext::trimBlanks(*line);
        if (trimmed.empty())
            continue;
        const auto letter = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); };
        for (std::size_t i = 0; i + 1 < trimmed.size(); ++i)
            if (letter(trimmed[i]) && letter(trimmed[i + 1]))
                return std::string(trimmed.substr(0, 255));
        return {};
    }
    return {};
}

std::string Calculation::CrashReason(int exitCode)
{
    const char* what = exitCode == 6 ? "an abort"
        : exitCode == 8              ? "a floating point exception"
        : exitCode == 11             ? "a segmentation fault"
                                     : nullptr;
    if (!what)
        return {};
    return std::string("The engine crashed on this deck (") + what + ", exit code " + std::to_string(exitCode)
        + "). Please check the deck's cards.";
}

QString Calculation::elapsedText(int seconds)
{
    const int h = seconds / 3600, m = seconds / 60 % 60, s = seconds % 60;
    const QString ss = QStringLiteral("%1").arg(s, 2, 10, QLatin1Char('0'));
    if (h > 0)
        return QStringLiteral("%1:%2:%3").arg(h).arg(m, 2, 10, QLatin1Char('0')).arg(ss);
    return QStringLiteral("%1:%2").arg(m).arg(ss);
}

} // namespace vrnnec::engine