// The N-port sweep of a deck with N voltage sources: the sweep deck runs N times, all
// at once, run j with source j at 1 V and every other source at 1E-20 V. The engine takes
// a source of exactly 0 V as 1 V, while 1E-20 V leaves the segment a short to far beyond
// the printed digits (the same currents as a plain wire there). The source currents of
// run j are the admittance column Y(:, j); S follows from Y for each frequency.
#pragma once

#include "analyses/SweepRun.h"
#include "analyses/Touchstone.h"

#include <QObject>

#include <memory>
#include <vector>

namespace vrnnec::analyses {

// The EX card with its voltage fields replaced: "EX" and the card's fields, separated by
// blanks.
std::string WithSourceVoltage(const std::string& exCard, const std::string& real, const std::string& imaginary);

// The decks of the port runs: one per EX card of the prepared sweep deck, in deck order.
std::vector<std::vector<std::string>> PortDecks(const std::vector<std::string>& deck);

// The EX cards of a deck, in deck order.
std::vector<std::string> SourceCards(const std::vector<std::string>& deck);

struct PortSweepData {
    std::string message;                  // empty when every run was read
    std::vector<long long> portTags;      // the tag of each port
    std::vector<double> frequency;        // MHz, per point
    std::vector<ComplexMatrix> admittance; // per point
    bool ok() const { return message.empty(); }
};

// The admittance matrices of the port runs' listings, run j in listing j. In run j the
// row at 1 V is port j.
PortSweepData PortAdmittances(const std::vector<engine::SweepListing>& runs, const SweepSettings& settings);

// The S matrices per frequency against the real reference.
std::vector<TouchstonePoint> PortScattering(const PortSweepData& data, double reference);

// Runs the port decks of a sweep request at once, each in a folder of its own under the
// request's working folder ("port-1", ...), sharing the processes among them.
class PortSweepRun : public QObject {
    Q_OBJECT
public:
    explicit PortSweepRun(QObject* parent = nullptr);
    ~PortSweepRun() override;

    // Blocks until every run has ended.
    const PortSweepData& run(const SweepRequest& request);
    void stop();

private:
    std::vector<std::unique_ptr<SweepRun>> runs_;
    PortSweepData data_;
};

} // namespace vrnnec::analyses
