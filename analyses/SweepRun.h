// One frequency sweep from the prepared deck to its reading: the engine runs through
// the calculation core (GoNecGN.bat on IndataGN.txo), as one process or split into
// contiguous parts of the frequencies that run at once, each in its own working folder,
// whose listings are then merged in frequency order into Outdata.txo. Progress counts
// the frequency blocks the engines have written.
#pragma once

#include "analyses/SweepChart.h"
#include "analyses/SweepDeck.h"
#include "analyses/SweepGain.h"

#include "engine/Calculation.h"
#include "engine/SweepListing.h"

#include <QObject>
#include <QTimer>

#include <memory>
#include <vector>

class QTemporaryDir;

namespace vrnnec::analyses {

struct SweepRequest {
    QString programFolder;         // holds the engine scripts
    QString workingFolder;         // IndataGN.txo and Outdata.txo; empty: the program folder
    std::vector<std::string> deck; // the prepared deck (PrepareSweepDeck)
    SweepSettings settings;
    bool readAdmittance = false;
    int processes = 1; // engine processes at most (see SweepProcesses)
};

// How many engine processes a sweep of `points` frequencies uses on `cores` cores: one
// per core, but at least two points each; one when that gives fewer than two.
int SweepProcesses(int points, int cores);

// The parts of a sweep: the first point and the number of points of each, in order.
std::vector<std::pair<int, int>> SweepParts(int points, int processes);

// The deck of one part: the sweep deck with its FR card asking for `count` points from
// point `first` on.
std::vector<std::string> PartDeck(const std::vector<std::string>& deck, const SweepSettings& settings, int first,
                                  int count);

// Merges the part listing files into `outPath`: the first whole, of each further one the
// lines from its first FREQUENCY heading on. Empty on success, else the message.
std::string MergeSweepListings(const std::vector<std::string>& partListings, const std::string& outPath);

enum class SweepOutcome { NotStarted, Running, Failed, Stopped, Finished };

struct SweepResult {
    SweepOutcome outcome = SweepOutcome::NotStarted;
    std::string message;          // what to show when not Finished
    engine::SweepListing listing; // when Finished (with its own message)
    std::vector<GainPoint> gains; // one per point when the settings keep pattern cards
};

class SweepRun : public QObject {
    Q_OBJECT
public:
    explicit SweepRun(QObject* parent = nullptr);
    ~SweepRun() override;

    // Writes the deck(s) and starts the engine(s); false when the sweep ended here
    // (result() says why).
    bool start(const SweepRequest& request);
    void stop();
    bool isRunning() const;
    const SweepResult& run(const SweepRequest& request);
    const SweepResult& result() const { return result_; }

    // Frequencies whose blocks the engines have written so far.
    int pointsDone() const;

signals:
    void progress(int done, int points, int seconds);
    void finished();

private:
    void partEnded();
    void finish();

    SweepRequest request_;
    SweepResult result_;
    std::vector<std::unique_ptr<engine::Calculation>> parts_;
    std::unique_ptr<QTemporaryDir> partsFolder_;
    QTimer ticker_;
    int seconds_ = 0;
};

} // namespace vrnnec::analyses
