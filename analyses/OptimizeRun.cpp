#include "analyses/OptimizeRun.h"

#include "analyses/SweepRun.h"

#include "common/AtomicFile.h"
#include "common/NumberText.h"
#include "editor/PatternCards.h"
#include "engine/Calculation.h"
#include "engine/DeckChecks.h"
#include "engine/WorkingFolder.h"

#include <QDir>
#include <QEventLoop>
#include <QTemporaryDir>

#include <algorithm>
#include <cctype>

namespace vrnnec::analyses {

namespace {

bool isCard(const std::string& line, char a, char b)
{
    return line.size() >= 2 && std::toupper(static_cast<unsigned char>(line[0])) == a
        && std::toupper(static_cast<unsigned char>(line[1])) == b;
}

// The fifth field of the first FR card.
std::optional<double> deckFrequency(const std::vector<std::string>& deck)
{
    for (const std::string& line : deck) {
        if (!isCard(line, 'F', 'R'))
            continue;
        std::string fields = line.substr(2);
        for (char& c : fields)
            if (c == ',' || c == '\t')
                c = ' ';
        std::size_t at = 0;
        for (int i = 1; i <= 5; ++i) {
            at = fields.find_first_not_of(' ', at);
            if (at == std::string::npos)
                return std::nullopt;
            const std::size_t end = std::min(fields.find(' ', at), fields.size());
            double value = 0;
            if (i == 5)
                return numtext::parseReal(fields.substr(at, end - at), value) ? std::optional<double>(value)
                                                                              : std::nullopt;
            at = end;
        }
    }
    return std::nullopt;
}

} // namespace

std::string PlanEvaluations(const std::vector<std::string>& deck, const std::vector<OptimizeGoal>& goals,
                            const OptimizeSettings& settings, EvaluationPlan& plan)
{
    plan = EvaluationPlan{};
    if (goals.empty())
        return "At least one goal is needed.";
    if (settings.maxEvaluations < 1)
        return "The most evaluations must be 1 or more.";
    const std::optional<double> centre = settings.centre ? settings.centre : deckFrequency(deck);
    if (!centre && !settings.centre && !std::any_of(deck.begin(), deck.end(), [](const std::string& line) {
            return isCard(line, 'F', 'R');
        }))
        return "The deck has no FR card to take the frequency from: please enter the centre frequency.";
    if (!centre || !(*centre > 0))
        return sweepmessages::kCheckFrequency;
    plan.centre = *centre;
    bool pattern = false, swr = false;
    for (const OptimizeGoal& goal : goals) {
        pattern = pattern || GoalNeedsPattern(goal.kind);
        swr = swr || goal.kind == GoalKind::Swr;
    }
    plan.band = settings.bandKHz > 0 && swr;
    plan.single = !plan.band || pattern;
    if (settings.bandKHz < 0)
        return sweepmessages::kBadBandWidth;
    if (plan.band) {
        plan.sweep = SweepSettings{*centre, settings.bandKHz / 1000, settings.points};
        if (settings.points < kMinPoints || settings.points > kMaxPoints || settings.points % 2 == 0)
            return sweepmessages::kBadPoints;
        if (std::string message = CheckSweepSettings(plan.sweep); !message.empty())
            return message;
        std::vector<std::string> probe = deck;
        if (std::string message = PrepareSweepDeck(probe, plan.sweep); !message.empty())
            return message;
    }
    if (plan.single) {
        const std::vector<std::string> single = SingleRunDeck(deck, settings);
        if (pattern && !editor::CheckRPPair(single).ok)
            return editor::kIncorrectRPCardsMessage;
        if (editor::AsksForSeveralFrequencies(single))
            return editor::kOneFrequencyMessage;
    }
    return {};
}

std::vector<std::string> SingleRunDeck(const std::vector<std::string>& deck, const OptimizeSettings& settings)
{
    if (!settings.centre)
        return deck;
    std::vector<std::string> out;
    bool written = false;
    for (const std::string& line : deck) {
        if (!isCard(line, 'F', 'R')) {
            out.push_back(line);
        } else if (!written) {
            out.push_back("FR 0 1 0 0 " + numtext::general(*settings.centre) + " 0");
            written = true;
        }
    }
    return out;
}

struct OptimizeRun::Evaluation {
    std::vector<double> point;
    std::shared_ptr<std::promise<double>> promise;
    QString folder;
    std::unique_ptr<engine::Calculation> single;
    std::unique_ptr<SweepRun> sweep;
    std::chrono::steady_clock::time_point started;
};

OptimizeRun::OptimizeRun(QObject* parent) : QObject(parent) {}

OptimizeRun::~OptimizeRun()
{
    stop();
    // Searches waiting for an evaluation, or about to ask, get the failed value, so that
    // their thread ends.
    {
        std::lock_guard lock(pendingMutex_);
        closed_ = true;
        for (const auto& promise : pending_)
            promise->set_value(kFailedGoal);
        pending_.clear();
    }
    // The engines are killed as their objects go; their ends are no news to this one.
    for (auto& [id, evaluation] : running_) {
        if (evaluation->single)
            evaluation->single->disconnect(this);
        if (evaluation->sweep)
            evaluation->sweep->disconnect(this);
    }
    running_.clear();
    if (searchThread_.joinable())
        searchThread_.join();
}

bool OptimizeRun::fulfil(const std::shared_ptr<std::promise<double>>& promise, double value)
{
    std::lock_guard lock(pendingMutex_);
    if (pending_.erase(promise) == 0)
        return false;
    promise->set_value(value);
    return true;
}

bool OptimizeRun::start(const OptimizeRequest& request)
{
    if (isRunning())
        return false;
    request_ = request;
    result_ = OptimizeResult{};
    stop_ = false;
    if (request.variables.empty()) {
        result_.outcome = OptimizeOutcome::Refused;
        result_.message = "At least one variable is needed.";
        return false;
    }
    std::string message = CheckVariables(request.deck, request.variables);
    if (message.empty())
        message = PlanEvaluations(request.deck, request.goals, request.settings, plan_);
    const QString base = request.workingFolder.isEmpty() ? request.programFolder : request.workingFolder;
    if (message.empty()) {
        folders_ = std::make_unique<QTemporaryDir>(QDir(base).filePath(QStringLiteral("optimize-XXXXXX")));
        if (!folders_->isValid())
            message = "Unable to make a working folder in " + base.toStdString();
    }
    if (message.empty())
        message = checkStartDecks(*folders_);
    if (!message.empty()) {
        result_.outcome = OptimizeOutcome::Refused;
        result_.message = message;
        folders_.reset();
        return false;
    }
    freeFolders_.clear();
    nextFolder_ = 0;
    for (const OptimizeVariable& variable : request.variables)
        result_.start.push_back(*VariableValue(request.deck, variable));
    result_.best = result_.start;
    result_.bestDeck = request.deck;
    result_.outcome = OptimizeOutcome::Running;

    SearchSettings search;
    search.method = request.settings.method;
    search.start = result_.start;
    for (const OptimizeVariable& variable : request.variables) {
        search.lower.push_back(variable.min);
        search.upper.push_back(variable.max);
    }
    search.maxEvaluations = request.settings.maxEvaluations;
    // A band's evaluation is itself a sweep split over the engine runs at once.
    search.searches = plan_.band ? 1 : std::max(1, request.jobs);
    searchThread_ = std::thread([this, search] {
        RunSearch(search, [this](const std::vector<double>& point) { return evaluate(point); }, stop_);
        QMetaObject::invokeMethod(this, &OptimizeRun::searchEnded, Qt::QueuedConnection);
    });
    return true;
}

std::string OptimizeRun::checkStartDecks(const QTemporaryDir& folder) const
{
    // The decks of the first evaluation, as the calculation core will check them: a deck
    // it refuses whatever the variables are would fail every evaluation without a word.
    std::vector<std::vector<std::string>> decks;
    if (plan_.single)
        decks.push_back(SingleRunDeck(request_.deck, request_.settings));
    if (plan_.band) {
        decks.push_back(request_.deck);
        PrepareSweepDeck(decks.back(), plan_.sweep);
    }
    const std::string path = folder.filePath(QStringLiteral("check.txo")).toStdString();
    for (const std::vector<std::string>& deck : decks) {
        if (!atomicfile::WriteFileAtomically(path, DeckFileText(deck)).empty())
            return {}; // the evaluations report what they cannot write
        if (std::string refusal = engine::CheckDeckFile(path); !refusal.empty())
            return refusal;
    }
    return {};
}

double OptimizeRun::evaluate(const std::vector<double>& point)
{
    auto promise = std::make_shared<std::promise<double>>();
    std::future<double> value = promise->get_future();
    {
        std::lock_guard lock(pendingMutex_);
        if (closed_)
            return kFailedGoal;
        pending_.insert(promise);
    }
    QMetaObject::invokeMethod(
        this, [this, point, promise] { startEvaluation(point, promise); }, Qt::QueuedConnection);
    return value.get();
}

void OptimizeRun::startEvaluation(const std::vector<double>& point, std::shared_ptr<std::promise<double>> promise)
{
    if (stop_ || !isRunning()) {
        fulfil(promise, kFailedGoal);
        return;
    }
    auto evaluation = std::make_unique<Evaluation>();
    evaluation->point = point;
    evaluation->promise = std::move(promise);
    evaluation->started = std::chrono::steady_clock::now();
    if (freeFolders_.empty()) {
        const QString folder = folders_->filePath(QString::number(nextFolder_++));
        QDir().mkpath(folder + QStringLiteral("/single"));
        QDir().mkpath(folder + QStringLiteral("/band"));
        const QString base = request_.workingFolder.isEmpty() ? request_.programFolder : request_.workingFolder;
        engine::CopyEngineConf(base, folder + QStringLiteral("/single"));
        engine::CopyEngineConf(base, folder + QStringLiteral("/band"));
        freeFolders_.push_back(folder);
    }
    evaluation->folder = freeFolders_.back();
    freeFolders_.pop_back();

    const int id = nextId_++;
    const std::vector<std::string> deck = ApplyVariables(request_.deck, request_.variables, point);
    if (plan_.single) {
        engine::CalculationRequest calc;
        calc.programFolder = request_.programFolder;
        calc.workingFolder = evaluation->folder + QStringLiteral("/single");
        calc.deckText = DeckFileText(SingleRunDeck(deck, request_.settings));
        // Several evaluations at once: each factors on one thread, so they do not fight.
        calc.engineThreads = request_.jobs > 1 ? 1 : 0;
        evaluation->single = std::make_unique<engine::Calculation>();
        connect(evaluation->single.get(), &engine::Calculation::finished, this, [this, id] { partEnded(id); });
        evaluation->single->start(calc);
    }
    if (plan_.band) {
        std::vector<std::string> sweepDeck = deck;
        PrepareSweepDeck(sweepDeck, plan_.sweep);
        SweepRequest sweep;
        sweep.programFolder = request_.programFolder;
        sweep.workingFolder = evaluation->folder + QStringLiteral("/band");
        sweep.deck = std::move(sweepDeck);
        sweep.settings = plan_.sweep;
        sweep.processes = SweepProcesses(plan_.sweep.points, std::max(1, request_.jobs));
        evaluation->sweep = std::make_unique<SweepRun>();
        connect(evaluation->sweep.get(), &SweepRun::finished, this, [this, id] { partEnded(id); });
        evaluation->sweep->start(sweep);
    }
    running_.emplace(id, std::move(evaluation));
    // A part that could not start has ended already.
    QMetaObject::invokeMethod(this, [this, id] { partEnded(id); }, Qt::QueuedConnection);
}

void OptimizeRun::partEnded(int id)
{
    const auto found = running_.find(id);
    if (found == running_.end())
        return;
    Evaluation& evaluation = *found->second;
    if ((evaluation.single && evaluation.single->isRunning()) || (evaluation.sweep && evaluation.sweep->isRunning()))
        return;
    std::unique_ptr<Evaluation> done = std::move(found->second);
    running_.erase(found);
    freeFolders_.push_back(done->folder);
    result_.engineSeconds +=
        std::chrono::duration<double>(std::chrono::steady_clock::now() - done->started).count();

    const bool stopped =
        (done->single && done->single->result().outcome == engine::CalculationOutcome::Stopped)
        || (done->sweep && done->sweep->result().outcome == SweepOutcome::Stopped);
    double goal = kFailedGoal;
    bool failed = false;
    if (!stopped) {
        EvaluationValues values;
        if (done->single) {
            const engine::CalculationResult& r = done->single->result();
            failed = r.outcome != engine::CalculationOutcome::Finished;
            if (!failed)
                values = ValuesOfRun(r.listing, request_.settings.reference);
        }
        if (done->sweep) {
            const SweepResult& r = done->sweep->result();
            failed = failed || r.outcome != SweepOutcome::Finished;
            if (r.outcome == SweepOutcome::Finished)
                AddValuesOfSweep(values, r.listing, request_.settings.reference);
        }
        if (!failed)
            goal = GoalValue(request_.goals, values, request_.settings.reference);
        failed = failed || goal >= kFailedGoal;
        ++result_.evaluations;
        if (failed)
            ++result_.failed;
        else if (!result_.bestGoal || goal < *result_.bestGoal) {
            result_.bestGoal = goal;
            result_.best = done->point;
            emit improved(result_.evaluations, goal, done->point);
        }
        emit progress(result_.evaluations, result_.failed);
    }
    fulfil(done->promise, goal);
    // The engine objects end their own signal handling first.
    if (done->single)
        done->single.release()->deleteLater();
    if (done->sweep)
        done->sweep.release()->deleteLater();
}

void OptimizeRun::searchEnded()
{
    if (searchThread_.joinable())
        searchThread_.join();
    result_.outcome = stop_ ? OptimizeOutcome::Stopped : OptimizeOutcome::Finished;
    result_.bestDeck = ApplyVariables(request_.deck, request_.variables, result_.best);
    folders_.reset();
    emit finished();
}

void OptimizeRun::stop()
{
    if (!isRunning())
        return;
    stop_ = true;
    for (auto& [id, evaluation] : running_) {
        if (evaluation->single)
            evaluation->single->stop();
        if (evaluation->sweep)
            evaluation->sweep->stop();
    }
}

bool OptimizeRun::isRunning() const
{
    return result_.outcome == OptimizeOutcome::Running;
}

const OptimizeResult& OptimizeRun::run(const OptimizeRequest& request)
{
    if (start(request)) {
        QEventLoop loop;
        connect(this, &OptimizeRun::finished, &loop, &QEventLoop::quit);
        if (isRunning())
            loop.exec();
    }
    return result_;
}

} // namespace vrnnec::analyses
