// necdeck sweep: the frequency sweep of a deck as the "Frequency plots" window computes it.
#include "CommandSupport.h"
#include "Subcommand.h"

#include "analyses/PortSweep.h"
#include "analyses/SweepChart.h"
#include "analyses/SweepDeck.h"
#include "analyses/SweepGain.h"
#include "analyses/SweepRun.h"
#include "analyses/SweepSummary.h"
#include "analyses/Touchstone.h"

#include "common/AtomicFile.h"
#include "editor/PatternCards.h"

#include "common/NumberText.h"
#include "common/TextLines.h"

#include "engine/EngineJobs.h"

#include <cmath>
#include <ostream>

namespace vrnnec::necdeck {

namespace {

struct SweepOptions {
    std::optional<double> centre;
    double bandKHz = 400;
    long long points = 3;
    bool admittance = false;
    engine::SwrReference reference{50, 0};
    std::string keepDir;
    bool gain = false;
    bool ports = false;
    std::string touchstoneFile;
    analyses::TouchstoneFormat format = analyses::TouchstoneFormat::RI;
    std::string csvFile;
    std::string deck;
};

// 0 when the arguments were understood, else 2 with the reason on `err`.
int parseOptions(const std::vector<std::string>& args, SweepOptions& options, std::ostream& err)
{
    bool formatGiven = false;
    const auto apply = [&options, &formatGiven](const std::string& a, const std::string& v) {
        double real = 0;
        if (a == "--admittance")
            options.admittance = true;
        else if (a == "--centre" && numtext::parseReal(v, real))
            options.centre = real;
        else if (a == "--band" && numtext::parseReal(v, real))
            options.bandKHz = real;
        else if (a == "--points" && numtext::parseInteger(v, options.points)) {
        } else if (const auto rx = a == "--swr-reference" ? ParseSwrReference(v) : std::nullopt)
            options.reference = *rx;
        else if (a == "--keep")
            options.keepDir = v;
        else if (a == "--gain")
            options.gain = true;
        else if (a == "--ports")
            options.ports = true;
        else if (a == "--touchstone" && !v.empty())
            options.touchstoneFile = v;
        else if (a == "--csv" && !v.empty())
            options.csvFile = v;
        else if (const auto f = a == "--format" ? analyses::ParseTouchstoneFormat(v) : std::nullopt) {
            options.format = *f;
            formatGiven = true;
        } else
            return false;
        return true;
    };
    if (const int code = ScanArguments(args,
                                       {"--centre", "--band", "--points", "--swr-reference", "--keep", "--touchstone",
                                        "--format", "--csv"},
                                       {"--admittance", "--gain", "--ports"}, apply, options.deck, err);
        code != 0)
        return code;
    // Both only shape the Touchstone file; without one they would be dropped unseen.
    if (options.touchstoneFile.empty() && (options.ports || formatGiven)) {
        err << "Options --ports and --format go with --touchstone.\n";
        return 2;
    }
    return 0;
}

int sweepDeck(Invocation& call, SweepOptions& options, engine::SignalStop& stopSignals)
{
    std::vector<std::string> deck;
    if (!textlines::readAllLines(options.deck, deck)) {
        call.err << "Unable to read " << options.deck << "\n";
        return 1;
    }
    if (!options.centre)
        options.centre = DeckFrequency(deck);
    if (!options.centre) {
        call.err << analyses::sweepmessages::kCheckFrequency << "\n";
        return 1;
    }
    analyses::SweepSettings settings{*options.centre, options.bandKHz / 1000, static_cast<int>(options.points)};
    if (options.points < analyses::kMinPoints || options.points > analyses::kMaxPoints || options.points % 2 == 0) {
        call.err << analyses::sweepmessages::kBadPoints << "\n";
        return 1;
    }
    if (options.gain) {
        if (!editor::CheckRPPair(deck).ok) {
            call.err << editor::kIncorrectRPCardsMessage << "\n";
            return 1;
        }
        settings.patternCards = analyses::DeckPatternPair(deck);
    }
    if (!options.touchstoneFile.empty()) {
        if (const std::string refusal = analyses::TouchstoneReferenceMessage(options.reference.x); !refusal.empty()) {
            call.err << refusal << "\n";
            return 1;
        }
    }
    // With --ports and several sources the sweep also solves each port per frequency,
    // which gives the N-port file; the table comes from the sweep's own solution.
    const bool portRuns =
        options.ports && !options.touchstoneFile.empty() && analyses::SourceCards(deck).size() > 1;
    if (portRuns)
        settings.portSources = analyses::SourceCards(deck);
    std::string message = analyses::CheckSweepSettings(settings);
    if (message.empty())
        message = analyses::PrepareSweepDeck(deck, settings);
    if (!message.empty()) {
        call.err << message << "\n";
        return 1;
    }
    WorkingFolder folder(options.keepDir, call.programFolder);
    if (!FolderReady(folder, call.err))
        return 1;

    analyses::SweepRequest request;
    request.programFolder = QString::fromStdString(call.programFolder);
    request.workingFolder = folder.path;
    request.deck = deck;
    request.settings = settings;
    request.readAdmittance = options.admittance;
    request.processes = analyses::SweepProcesses(settings.points, engine::EngineJobs(folder.path, request.programFolder));

    analyses::SweepRun run;
    stopSignals.watch(&run, [&run] { run.stop(); });
    const analyses::SweepResult& result = run.run(request);
    if (result.outcome != analyses::SweepOutcome::Finished) {
        call.err << result.message << "\n";
        return 1;
    }
    const engine::SweepListing& listing = result.listing;
    const std::vector<analyses::GainPoint>& gains = result.gains;
    if (!listing.ok()) {
        call.err << listing.message << "\n";
        return 1;
    }
    analyses::PortSweepData ports;
    if (portRuns) {
        ports = analyses::PortAdmittances(listing, settings);
        if (!ports.ok()) {
            call.err << ports.message << "\n";
            return 1;
        }
    }

    engine::SwrReference reference = options.reference;
    call.out << (options.gain ? "MHz\tTag\tR\tX\tSWR\tGain\tF/B\n" : "MHz\tTag\tR\tX\tSWR\n");
    for (std::size_t j = 0; j < listing.blocks.size(); ++j)
        for (const engine::SourceRow& row : listing.blocks[j].sources) {
            const double r = options.admittance ? *row.admittanceReal : *row.impedanceReal;
            const double x = options.admittance ? *row.admittanceImaginary : *row.impedanceImaginary;
            const double swr = engine::ComputeSwr(r, x, reference);
            call.out << numtext::general(settings.frequency(static_cast<int>(j))) << "\t" << *row.tag << "\t"
                     << numtext::general(r) << "\t" << numtext::general(x) << "\t" << analyses::SwrCell(swr);
            if (options.gain && j < gains.size())
                call.out << "\t" << numtext::fixed(*gains[j].maxGain, 4, 2) << "\t"
                         << numtext::fixed(*gains[j].frontToBack, 4, 2);
            call.out << "\n";
        }
    for (long long tag : listing.sourceTags) {
        const auto values = analyses::SweepValuesForTag(listing, settings, tag, reference);
        call.out << "Tag " << tag << ": " << analyses::MakeSweepChart(values).swrTitle('.') << "\n";
    }
    for (long long tag : listing.sourceTags) {
        const auto values = analyses::SweepValuesForTag(listing, settings, tag, reference);
        call.out << "Tag " << tag << ": " << analyses::SwrBandText(analyses::FindSwrBand(values)) << "\n";
    }

    if (!options.csvFile.empty()) {
        const std::string csv = analyses::SweepCsvText(listing, settings, reference, gains);
        if (!atomicfile::WriteFileAtomically(options.csvFile, csv).empty()) {
            call.err << atomicfile::UnableToWriteMessage(options.csvFile) << "\n";
            return 1;
        }
    }
    if (!options.touchstoneFile.empty()) {
        std::vector<analyses::TouchstonePoint> points;
        std::vector<std::string> comments = {"Swept from " + options.deck};
        if (portRuns) {
            points = analyses::PortScattering(ports, reference.r);
            std::string order = "Ports:";
            for (long long tag : ports.portTags)
                order += " tag " + std::to_string(tag);
            comments.push_back(order);
        } else if (!listing.sourceTags.empty()) {
            // The first source tag, from its impedance whatever the table shows.
            const long long tag = listing.sourceTags.front();
            points = analyses::OnePortScattering(listing, settings, tag, reference.r);
            comments.push_back("Port: tag " + std::to_string(tag));
        }
        const std::string failure =
            analyses::WriteTouchstone(options.touchstoneFile, points, reference.r, options.format, comments);
        if (!failure.empty()) {
            call.err << failure << "\n";
            return 1;
        }
    }
    return 0;
}

int runSweep(Invocation& call)
{
    SweepOptions options;
    if (const int code = parseOptions(call.args, options, call.err); code != 0)
        return code;
    return CheckFilesAndRun(call, {{options.deck, "deck"}},
                            {{options.touchstoneFile, "Touchstone file"}, {options.csvFile, "CSV file"}},
                            options.keepDir, [&](Invocation& inner, engine::SignalStop& stopSignals) {
                                return sweepDeck(inner, options, stopSignals);
                            });
}

} // namespace

extern const Subcommand kSweepCommand{
    "sweep", "sweep [--centre MHZ] [--band KHZ] [--points N] [--admittance] [--swr-reference R,X] [--gain] [--touchstone "
    "FILE] [--format ri|ma|db] [--ports] [--csv FILE] [--keep DIR] DECK",
    "impedance, SWR (and gain, F/B) of every source over a band of frequencies; Touchstone and CSV files", &runSweep};

} // namespace vrnnec::necdeck
