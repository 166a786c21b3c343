// necdeck run: a deck run directly, as "Start NEC-2" runs the deck of the "NEC-2 input"
// page, with the summary, diagrams and currents of vrn2nec --run.
#include "CommandSupport.h"
#include "Subcommand.h"

#include "common/DeckText.h"
#include "common/NumberText.h"
#include "common/TextLines.h"
#include "editor/PatternCards.h"
#include "engine/Calculation.h"
#include "engine/SignalStop.h"
#include "results/RunReport.h"

#include <ostream>

namespace vrnnec::necdeck {

namespace {

struct RunOptions {
    std::optional<double> elevation;
    std::optional<double> azimuth;
    engine::SwrReference reference{50, 0};
    std::string keepDir;
    std::string diagramsDir;
    std::string polarization = "total";
    std::string currentsFile;
    std::string deck;
};

// 0 when the arguments were understood, else 2 with the reason on `err`.
int parseOptions(const std::vector<std::string>& args, RunOptions& options, std::ostream& err)
{
    bool polarizationGiven = false;
    const auto apply = [&options, &polarizationGiven](const std::string& a, const std::string& v) {
        double real = 0;
        if (a == "--elevation" && numtext::parseReal(v, real))
            options.elevation = real;
        else if (a == "--azimuth" && numtext::parseReal(v, real))
            options.azimuth = real;
        else if (const auto rx = a == "--swr-reference" ? ParseSwrReference(v) : std::nullopt)
            options.reference = *rx;
        else if (a == "--keep")
            options.keepDir = v;
        else if (a == "--diagrams")
            options.diagramsDir = v;
        else if (a == "--polarization" && (v == "total" || v == "h" || v == "v" || v == "vh")) {
            options.polarization = v;
            polarizationGiven = true;
        } else if (a == "--currents")
            options.currentsFile = v;
        else
            return false;
        return true;
    };
    if (const int code = ScanArguments(args,
                                       {"--elevation", "--azimuth", "--swr-reference", "--keep", "--diagrams",
                                        "--polarization", "--currents"},
                                       {}, apply, options.deck, err);
        code != 0)
        return code;
    // The polarization chooses what the diagrams draw; without them it would be dropped unseen.
    if (polarizationGiven && options.diagramsDir.empty()) {
        err << "Option --polarization goes with --diagrams.\n";
        return 2;
    }
    return 0;
}

results::RunReportRequest reportRequest(const RunOptions& options)
{
    results::RunReportRequest report;
    report.inputs.runNumber = 1;
    report.inputs.heightUnknown = true;
    report.reference = options.reference;
    report.diagramsDir = options.diagramsDir;
    report.polarization = options.polarization;
    report.namingPath = options.deck;
    report.currentsFile = options.currentsFile;
    return report;
}

int runDeck(Invocation& call, const RunOptions& options, engine::SignalStop& stopSignals)
{
    std::vector<std::string> deck;
    if (!textlines::readAllLines(options.deck, deck)) {
        call.err << "Unable to read " << options.deck << "\n";
        return 1;
    }
    const editor::RPPairCheck check = editor::CheckRPPair(deck);
    if (!check.ok) {
        if (!options.elevation || !options.azimuth) {
            call.err << editor::kIncorrectRPCardsMessage << "\n";
            return 1;
        }
        if (!editor::AnglesAcceptable(*options.elevation, *options.azimuth)) {
            call.err << editor::kAnglesOutOfRangeMessage << "\n";
            return 1;
        }
        const editor::RPRewrite rewrite = editor::RewriteRPCards(deck, 90 - *options.elevation, *options.azimuth, true);
        if (rewrite.modeMessage)
            call.err << *rewrite.modeMessage << "\n";
    } else {
        for (const std::string& line : check.attentionLines())
            call.err << line << "\n";
    }
    if (editor::AsksForSeveralFrequencies(deck)) {
        call.err << editor::kOneFrequencyMessage << "\n";
        return 1;
    }
    WorkingFolder folder(options.keepDir, call.programFolder);
    if (!FolderReady(folder, call.err))
        return 1;

    engine::CalculationRequest request;
    request.programFolder = QString::fromStdString(call.programFolder);
    request.workingFolder = folder.path;
    std::string text = decktext::JoinLines(deck);
    request.deckText = std::move(text);
    engine::Calculation calculation;
    if (!RunCalculation(calculation, request, stopSignals, call.err))
        return 1;
    const engine::CalculationResult& result = calculation.result();

    return results::WriteRunReport(result.listing, reportRequest(options), call.out, call.err);
}

int runCommand(Invocation& call)
{
    RunOptions options;
    if (const int code = parseOptions(call.args, options, call.err); code != 0)
        return code;
    return CheckFilesAndRun(call, {{options.deck, "deck"}}, results::RunReportFiles(reportRequest(options)),
                            options.keepDir, [&](Invocation& inner, engine::SignalStop& stopSignals) {
                                return runDeck(inner, options, stopSignals);
                            },
                            {options.diagramsDir});
}

} // namespace

extern const Subcommand kRunCommand{"run",
                                    "run [--elevation DEG] [--azimuth DEG] [--swr-reference R,X] [--keep DIR] "
                                    "[--diagrams DIR [--polarization total|h|v|vh]] [--currents FILE] DECK",
                                    "runs a deck as \"Start NEC-2\" does and prints the results summary", &runCommand,
                                    true};

} // namespace vrnnec::necdeck
