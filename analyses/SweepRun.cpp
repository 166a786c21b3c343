#include "analyses/SweepRun.h"

#include "common/AtomicFile.h"
#include "common/NumberText.h"
#include "common/TextLines.h"

#include "engine/ListingColumns.h"
#include "engine/WorkingFolder.h"

#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>

namespace vrnnec::analyses {

namespace {

// The listing the engine writes itself before the script rewrites it.
constexpr const char* kEngineListingFile = "Outdata.nec2c.txo";

QString folderOf(const SweepRequest& request)
{
    return request.workingFolder.isEmpty() ? request.programFolder : request.workingFolder;
}

} // namespace

int SweepProcesses(int points, int cores)
{
    return std::max(1, std::min(cores, points / 2));
}

std::vector<std::pair<int, int>> SweepParts(int points, int processes)
{
    std::vector<std::pair<int, int>> parts;
    processes = std::max(1, std::min(processes, points));
    int first = 0;
    for (int p = 0; p < processes; ++p) {
        const int count = points / processes + (p < points % processes ? 1 : 0);
        parts.emplace_back(first, count);
        first += count;
    }
    return parts;
}

std::vector<std::string> PartDeck(const std::vector<std::string>& deck, const SweepSettings& settings, int first,
                                  int count)
{
    // The prepared deck ends with the cards of all points; the part's take their place.
    const std::size_t tail = SweepCards(settings, 0, settings.points).size();
    std::vector<std::string> part(deck.begin(), deck.end() - static_cast<std::ptrdiff_t>(std::min(tail, deck.size())));
    const std::vector<std::string> cards = SweepCards(settings, first, count);
    part.insert(part.end(), cards.begin(), cards.end());
    return part;
}

std::string MergeSweepListings(const std::vector<std::string>& partListings, const std::string& outPath)
{
    std::string text;
    for (std::size_t p = 0; p < partListings.size(); ++p) {
        std::vector<std::string> lines;
        if (!textlines::readAllLines(partListings[p], lines))
            return engine::sweepmessages::kOpenFailed;
        std::size_t from = 0;
        if (p > 0)
            while (from < lines.size()
                   && textlines::columns(lines[from], engine::columns::kFrequency.from, engine::columns::kFrequency.to)
                       != engine::columns::kFrequency.text)
                ++from;
        for (std::size_t i = from; i < lines.size(); ++i)
            text += lines[i] + "\n";
    }
    if (!atomicfile::WriteFileAtomically(outPath, text).empty())
        return atomicfile::UnableToWriteMessage(outPath);
    return {};
}

SweepRun::SweepRun(QObject* parent) : QObject(parent), ticker_(this)
{
    ticker_.setInterval(500);
    connect(&ticker_, &QTimer::timeout, this, [this] {
        if (!parts_.empty())
            seconds_ = parts_.front()->elapsedSeconds();
        emit progress(pointsDone(), request_.settings.points, seconds_);
    });
}

SweepRun::~SweepRun()
{
    stop();
}

bool SweepRun::start(const SweepRequest& request)
{
    if (isRunning())
        return false;
    request_ = request;
    result_ = SweepResult{};
    parts_.clear();
    partsFolder_.reset();
    seconds_ = 0;

    const auto split = SweepParts(request.settings.points, request.processes);
    if (split.size() > 1) {
        // The whole sweep deck stays in the working folder as a single run would leave it.
        const QString deck = QDir(folderOf(request)).filePath(QString::fromLatin1(engine::kAuxDeckFile));
        partsFolder_ = std::make_unique<QTemporaryDir>(QDir(folderOf(request)).filePath("sweep-XXXXXX"));
        if (!atomicfile::WriteFileAtomically(deck.toStdString(), DeckFileText(request.deck)).empty()
            || !partsFolder_->isValid()) {
            result_.outcome = SweepOutcome::Failed;
            result_.message = sweepmessages::kAuxDeckFailed;
            return false;
        }
    }
    for (std::size_t p = 0; p < split.size(); ++p) {
        engine::CalculationRequest calc;
        calc.programFolder = request.programFolder;
        calc.auxiliary = true;
        // One engine per core: each factors on one thread, so they do not fight.
        calc.engineThreads = split.size() > 1 ? 1 : 0;
        calc.parseListing = false; // the merged listing is read as a sweep
        if (split.size() == 1) {
            calc.workingFolder = request.workingFolder;
            calc.deckText = DeckFileText(request.deck);
        } else {
            const QString folder = partsFolder_->filePath(QString::number(p));
            QDir().mkpath(folder);
            calc.workingFolder = folder;
            // The scripts take a user's engine.conf from the folder they run in.
            engine::CopyEngineConf(folderOf(request), folder);
            calc.deckText = DeckFileText(PartDeck(request.deck, request.settings, split[p].first, split[p].second));
        }
        auto calculation = std::make_unique<engine::Calculation>();
        connect(calculation.get(), &engine::Calculation::finished, this, &SweepRun::partEnded);
        const bool started = calculation->start(calc);
        parts_.push_back(std::move(calculation));
        if (!started) {
            const engine::CalculationResult& r = parts_.back()->result();
            result_.message =
                r.outcome == engine::CalculationOutcome::DeckNotWritten ? sweepmessages::kAuxDeckFailed : r.message;
            stop();
            result_.outcome = SweepOutcome::Failed;
            return false;
        }
    }
    result_.outcome = SweepOutcome::Running;
    ticker_.start();
    return true;
}

void SweepRun::stop()
{
    for (auto& part : parts_)
        if (part->isRunning())
            part->stop();
}

bool SweepRun::isRunning() const
{
    return result_.outcome == SweepOutcome::Running;
}

int SweepRun::pointsDone() const
{
    int done = 0;
    for (std::size_t p = 0; p < parts_.size(); ++p) {
        const QString folder = parts_.size() == 1 ? folderOf(request_) : partsFolder_->filePath(QString::number(p));
        done += engine::CountFrequencyBlocks(QDir(folder).filePath(kEngineListingFile).toStdString());
    }
    return std::min(done, request_.settings.points);
}

void SweepRun::partEnded()
{
    if (!isRunning())
        return;
    for (const auto& part : parts_)
        if (part->isRunning())
            return;
    finish();
}

void SweepRun::finish()
{
    ticker_.stop();
    result_.outcome = SweepOutcome::Finished;
    for (const auto& part : parts_) {
        const engine::CalculationResult& r = part->result();
        if (r.outcome == engine::CalculationOutcome::Stopped) {
            result_.outcome = SweepOutcome::Stopped;
            result_.message = r.message;
            break;
        }
        if (r.outcome != engine::CalculationOutcome::Finished && result_.outcome == SweepOutcome::Finished) {
            result_.outcome = SweepOutcome::Failed;
            result_.message = r.message;
        }
    }
    const QString listing = QDir(folderOf(request_)).filePath(QString::fromLatin1(engine::kListingFile));
    if (result_.outcome == SweepOutcome::Finished && parts_.size() > 1) {
        std::vector<std::string> listings;
        for (std::size_t p = 0; p < parts_.size(); ++p)
            listings.push_back(
                QDir(partsFolder_->filePath(QString::number(p))).filePath(engine::kListingFile).toStdString());
        const std::string failure = MergeSweepListings(listings, listing.toStdString());
        if (!failure.empty()) {
            result_.outcome = SweepOutcome::Failed;
            result_.message = failure;
        }
    }
    if (result_.outcome == SweepOutcome::Finished) {
        result_.listing = ReadSweep(listing.toStdString(), request_.settings, request_.readAdmittance);
        if (result_.listing.ok() && !request_.settings.patternCards.empty()) {
            SweepGains gains = ReadSweepGains(listing.toStdString(), request_.settings.points);
            if (gains.ok())
                result_.gains = std::move(gains.points);
            else
                result_.listing.message = gains.message;
        }
    }
    emit progress(pointsDone(), request_.settings.points, seconds_);
    emit finished();
}

const SweepResult& SweepRun::run(const SweepRequest& request)
{
    if (start(request) && isRunning()) {
        QEventLoop loop;
        connect(this, &SweepRun::finished, &loop, &QEventLoop::quit);
        if (isRunning())
            loop.exec();
    }
    return result_;
}

} // namespace vrnnec::analyses
