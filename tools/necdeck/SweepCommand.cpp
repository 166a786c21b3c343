// necdeck sweep: the frequency sweep of a deck as the "Frequency plots" window computes it.
#include "CommandSupport.h"
#include "Subcommand.h"

#include "analyses/SweepChart.h"
#include "analyses/SweepDeck.h"
#include "analyses/SweepRun.h"

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
    std::string deck;
};

// 0 when the arguments were understood, else 2 with the reason on `err`.
int parseOptions(const std::vector<std::string>& args, SweepOptions& options, std::ostream& err)
{
    const auto apply = [&options](const std::string& a, const std::string& v) {
        double real = 0;
        if (a == "--admittance")
            options.admittance = true;
        else if (a == "--centre" && numtext::parseReal(v, real))
            options.centre = real;
        else if (a == "--band" && numtext::parseReal(v, real))
            options.bandKHz = real;
        else if (a == "--points" && numtext::parseInteger(v, options.points)) {
        } else if (const auto rx = a == "--swr-reference" ? ParseReals(v, 2) : std::nullopt)
            options.reference = {(*rx)[0], (*rx)[1]};
        else if (a == "--keep")
            options.keepDir = v;
        else
            return false;
        return true;
    };
    return ScanArguments(args, {"--centre", "--band", "--points", "--swr-reference", "--keep"}, {"--admittance"}, apply,
                         options.deck, err);
}

int runSweep(Invocation& call)
{
    SweepOptions options;
    if (const int code = parseOptions(call.args, options, call.err); code != 0)
        return code;
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
    std::string message = analyses::CheckSweepSettings(settings);
    if (message.empty())
        message = analyses::PrepareSweepDeck(deck, settings);
    if (!message.empty()) {
        call.err << message << "\n";
        return 1;
    }
    WorkingFolder folder(options.keepDir, call.programFolder);
    if (folder.path.isEmpty()) {
        call.err << folder.message << "\n";
        return 1;
    }

    analyses::SweepRequest request;
    request.programFolder = QString::fromStdString(call.programFolder);
    request.workingFolder = folder.path;
    request.deck = deck;
    request.settings = settings;
    request.readAdmittance = options.admittance;
    request.processes = analyses::SweepProcesses(settings.points, engine::EngineJobs(folder.path, request.programFolder));
    analyses::SweepRun run;
    const analyses::SweepResult& result = run.run(request);
    if (result.outcome != analyses::SweepOutcome::Finished) {
        call.err << result.message << "\n";
        return 1;
    }
    if (!result.listing.ok()) {
        call.err << result.listing.message << "\n";
        return 1;
    }

    engine::SwrReference reference = options.reference;
    call.out << "MHz\tTag\tR\tX\tSWR\n";
    for (std::size_t j = 0; j < result.listing.blocks.size(); ++j)
        for (const engine::SourceRow& row : result.listing.blocks[j].sources) {
            const double r = options.admittance ? *row.admittanceReal : *row.impedanceReal;
            const double x = options.admittance ? *row.admittanceImaginary : *row.impedanceImaginary;
            const double swr = engine::ComputeSwr(r, x, reference);
            call.out << numtext::general(settings.frequency(static_cast<int>(j))) << "\t" << *row.tag << "\t"
                     << numtext::general(r) << "\t" << numtext::general(x) << "\t"
                     << (std::isfinite(swr) ? numtext::decimals(analyses::RoundSwr(swr), 2) : std::string("inf"))
                     << "\n";
        }
    for (long long tag : result.listing.sourceTags) {
        const auto values = analyses::SweepValuesForTag(result.listing, settings, tag, reference);
        call.out << "Tag " << tag << ": " << analyses::MakeSweepChart(values).swrTitle('.') << "\n";
    }
    return 0;
}

} // namespace

extern const Subcommand kSweepCommand{
    "sweep", "sweep [--centre MHZ] [--band KHZ] [--points N] [--admittance] [--swr-reference R,X] [--keep DIR] DECK",
    "impedance and SWR of every source over a band of frequencies", &runSweep};

} // namespace vrnnec::necdeck
