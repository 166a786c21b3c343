// One optimization from the deck to its best variable values: the NLopt searches run in
// threads of their own and ask for evaluations; each evaluation applies the variables to
// the deck and runs it through the calculation core in a working folder of its own (a
// single-frequency run, and for a band the sweep split over the cores), up to the number
// of engine runs that go at once. The goal value comes from the parsed listings. Stop
// ends the searches and every engine run; the best found so far stays.
#pragma once

#include "analyses/OptimizeGoals.h"
#include "analyses/OptimizeSearch.h"
#include "analyses/OptimizeVariables.h"
#include "analyses/SweepDeck.h"

#include <QObject>
#include <QString>

#include <atomic>
#include <chrono>
#include <future>
#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <optional>
#include <thread>
#include <vector>

class QTemporaryDir;

namespace vrnnec::analyses {

struct OptimizeSettings {
    std::optional<double> centre; // MHz; the deck's first FR card when not set
    double bandKHz = 0;           // 0: the goals at one frequency
    int points = 3;               // of the band, odd
    SearchMethod method = SearchMethod::Local;
    int maxEvaluations = 200;
    engine::SwrReference reference{50, 0};
};

// How an evaluation runs: a single-frequency run (for goals without a band, and for gain
// and front-to-back), and a sweep over the band (for an SWR goal with a band).
struct EvaluationPlan {
    bool single = false;
    bool band = false;
    double centre = 0;
    SweepSettings sweep;
};

// Checks the goals and settings against the deck and says how evaluations run. Returns
// the message when the optimization cannot run.
std::string PlanEvaluations(const std::vector<std::string>& deck, const std::vector<OptimizeGoal>& goals,
                            const OptimizeSettings& settings, EvaluationPlan& plan);

// The deck of the single-frequency run: with a centre given, its FR cards become one
// card for that frequency.
std::vector<std::string> SingleRunDeck(const std::vector<std::string>& deck, const OptimizeSettings& settings);

struct OptimizeRequest {
    QString programFolder;
    QString workingFolder; // the evaluations' folders go below it; its engine.conf is taken
    std::vector<std::string> deck;
    std::vector<OptimizeVariable> variables;
    std::vector<OptimizeGoal> goals;
    OptimizeSettings settings;
    int jobs = 1; // engine runs at once
};

enum class OptimizeOutcome { NotStarted, Running, Refused, Finished, Stopped };

struct OptimizeResult {
    OptimizeOutcome outcome = OptimizeOutcome::NotStarted;
    std::string message;         // why it was refused
    std::vector<double> start;   // the deck's values
    std::vector<double> best;    // the best values found (the start when none)
    std::optional<double> bestGoal;
    int evaluations = 0;         // evaluations done
    int failed = 0;              // of them, failed runs
    std::vector<std::string> bestDeck;
    double engineSeconds = 0;    // summed wall time of the evaluations' engine runs
};

class OptimizeRun : public QObject {
    Q_OBJECT
public:
    explicit OptimizeRun(QObject* parent = nullptr);
    ~OptimizeRun() override;

    // Checks the request and starts; false when it was refused (result() says why).
    bool start(const OptimizeRequest& request);
    void stop();
    bool isRunning() const;
    const OptimizeResult& run(const OptimizeRequest& request);
    const OptimizeResult& result() const { return result_; }

signals:
    // A new best goal value after `evaluation` evaluations, with its variable values.
    void improved(int evaluation, double goal, const std::vector<double>& values);
    void progress(int evaluations, int failed);
    void finished();

private:
    struct Evaluation;
    // The calculation core's refusal of the start deck(s), written into `folder`; empty
    // when they can run.
    std::string checkStartDecks(const QTemporaryDir& folder) const;
    double evaluate(const std::vector<double>& point); // from a search thread
    // Gives a search its value once; false when it had one already.
    bool fulfil(const std::shared_ptr<std::promise<double>>& promise, double value);
    void startEvaluation(const std::vector<double>& point, std::shared_ptr<std::promise<double>> promise);
    void partEnded(int id);
    void searchEnded();

    OptimizeRequest request_;
    OptimizeResult result_;
    EvaluationPlan plan_;
    std::atomic<bool> stop_{false};
    std::thread searchThread_;
    std::unique_ptr<QTemporaryDir> folders_;
    std::vector<QString> freeFolders_;
    int nextFolder_ = 0;
    int nextId_ = 0;
    std::map<int, std::unique_ptr<Evaluation>> running_;
    // The evaluations asked for and not yet answered; closed once this object goes.
    std::mutex pendingMutex_;
    std::set<std::shared_ptr<std::promise<double>>> pending_;
    bool closed_ = false;
};

} // namespace vrnnec::analyses
