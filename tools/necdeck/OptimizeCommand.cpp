// necdeck optimize: tunes wire lengths, positions and radii of a deck toward goals, and
// writes the best deck found.
#include "CommandSupport.h"
#include "Subcommand.h"

#include "analyses/OptimizeRun.h"
#include "common/AtomicFile.h"
#include "common/DeckText.h"
#include "common/NumberText.h"
#include "engine/Calculation.h"
#include "engine/EngineJobs.h"
#include "engine/SignalStop.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <ostream>
#include <sstream>

namespace vrnnec::necdeck {

namespace {

struct OptimizeOptions {
    std::vector<analyses::OptimizeVariable> variables;
    std::vector<analyses::OptimizeGoal> goals;
    analyses::OptimizeSettings settings;
    std::vector<std::string> files; // DECK and OUT
};

// The deck file as lines and the line ends that follow each, so that the lines not
// changed are written back byte for byte.
using DeckBytes = decktext::LinesWithEnds;

bool readDeck(const std::string& path, DeckBytes& deck)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    std::ostringstream bytes;
    bytes << in.rdbuf();
    deck = decktext::SplitKeepingEnds(bytes.str());
    return true;
}

std::string deckText(const std::vector<std::string>& lines, const DeckBytes& original)
{
    std::string text;
    for (std::size_t i = 0; i < lines.size(); ++i)
        text += lines[i] + (i < original.ends.size() ? original.ends[i] : std::string("\n"));
    return text;
}

// A goal value with six significant digits.
std::string goalText(double value)
{
    if (value == 0 || !std::isfinite(value))
        return numtext::general(value);
    const double scale = std::pow(10.0, 5 - static_cast<int>(std::floor(std::log10(std::fabs(value)))));
    return numtext::general(std::round(value * scale) / scale);
}

// 0 when the arguments were understood, else 2 with the reason on `err`.
int parseOptions(const std::vector<std::string>& args, OptimizeOptions& options, std::ostream& err)
{
    std::vector<std::string>& files = options.files;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a.rfind("--", 0) != 0) {
            files.push_back(a);
            continue;
        }
        if (a == "--") {
            files.insert(files.end(), args.begin() + static_cast<std::ptrdiff_t>(i) + 1, args.end());
            break;
        }
        static const std::vector<std::string> known = {"--vary",   "--goal",   "--centre",      "--band",
                                                       "--points", "--method", "--evaluations", "--swr-reference"};
        if (std::find(known.begin(), known.end(), a) == known.end()) {
            err << "Unknown option " << a << ".\n";
            return 2;
        }
        if (i + 1 >= args.size()) {
            err << "Option " << a << " needs a value.\n";
            return 2;
        }
        const std::string& v = args[++i];
        std::string message;
        double real = 0;
        long long integer = 0;
        if (a == "--vary") {
            const auto variable = analyses::ParseVariable(v, message);
            if (!variable) {
                err << message << "\n";
                return 2;
            }
            options.variables.push_back(*variable);
        } else if (a == "--goal") {
            const auto goal = analyses::ParseGoal(v, message);
            if (!goal) {
                err << message << "\n";
                return 2;
            }
            options.goals.push_back(*goal);
        } else if (a == "--centre" && numtext::parseReal(v, real)) {
            options.settings.centre = real;
        } else if (a == "--band" && numtext::parseReal(v, real)) {
            options.settings.bandKHz = real;
        } else if (a == "--points" && numtext::parseInteger(v, integer) && integer > 0 && integer < 1000) {
            options.settings.points = static_cast<int>(integer);
        } else if (a == "--method" && (v == "local" || v == "global")) {
            options.settings.method = v == "local" ? analyses::SearchMethod::Local : analyses::SearchMethod::Global;
        } else if (a == "--evaluations" && numtext::parseInteger(v, integer) && integer >= 1 && integer <= 1000000) {
            options.settings.maxEvaluations = static_cast<int>(integer);
        } else if (const auto rx = a == "--swr-reference" ? ParseSwrReference(v) : std::nullopt) {
            options.settings.reference = *rx;
        } else {
            err << "Invalid value for " << a << ": " << v << "\n";
            return 2;
        }
    }
    if (files.size() != 2) {
        err << (files.size() < 2 ? "A deck and an output file are needed.\n" : "Unexpected argument: " + files[2] + "\n");
        return 2;
    }
    if (options.variables.empty() || options.goals.empty()) {
        err << "At least one --vary and one --goal are needed.\n";
        return 2;
    }
    return 0;
}

int runOptimize(Invocation& call)
{
    OptimizeOptions options;
    if (const int code = parseOptions(call.args, options, call.err); code != 0)
        return code;
    if (const int code = CheckFiles({{options.files[0], "deck"}}, {{options.files[1], "tuned deck"}}, {}, call.err);
        code != 0)
        return code;
    DeckBytes deck;
    if (!readDeck(options.files[0], deck)) {
        call.err << "Unable to read " << options.files[0] << "\n";
        return 1;
    }
    WorkingFolder folder("", call.programFolder);
    if (!FolderReady(folder, call.err))
        return 1;
    analyses::OptimizeRequest request;
    request.programFolder = QString::fromStdString(call.programFolder);
    request.workingFolder = folder.path;
    request.deck = deck.lines;
    request.variables = options.variables;
    request.goals = options.goals;
    request.settings = options.settings;
    request.jobs = engine::EngineJobs(folder.path, request.programFolder);

    engine::SignalStop stopSignals;
    analyses::OptimizeRun run;
    stopSignals.watch(&run, [&run] { run.stop(); });
    QObject::connect(&run, &analyses::OptimizeRun::improved, [&call](int evaluation, double goal) {
        call.out << "evaluation " << evaluation << ": goal " << goalText(goal) << std::endl;
    });
    const analyses::OptimizeResult& result = run.run(request);
    if (result.outcome == analyses::OptimizeOutcome::Refused) {
        call.err << result.message << "\n";
        return 1;
    }
    if (!result.bestGoal) {
        call.err << (stopSignals.received() != 0 ? engine::kStoppedMessage : "No evaluation succeeded.") << "\n";
        return stopSignals.received() != 0 ? 128 + stopSignals.received() : 1;
    }
    call.out << "Goal: " << goalText(*result.bestGoal) << " after " << result.evaluations << " evaluations\n";
    for (std::size_t v = 0; v < options.variables.size(); ++v)
        call.out << analyses::VariableResultLine(options.variables[v], result.best[v]) << "\n";
    if (result.failed > 0)
        call.err << "Failed evaluations: " << result.failed << "\n";
    if (const std::string failure = atomicfile::WriteFileAtomically(options.files[1], deckText(result.bestDeck, deck));
        !failure.empty()) {
        call.err << atomicfile::UnableToWriteMessage(options.files[1]) << "\n";
        return 1;
    }
    if (stopSignals.received() != 0) {
        call.err << engine::kStoppedMessage << "\n";
        return 128 + stopSignals.received();
    }
    return 0;
}

} // namespace

extern const Subcommand kOptimizeCommand{
    "optimize",
    "optimize --vary KIND:TAG[:AXIS]:MIN:MAX [--vary ...] --goal KIND[:TARGET]:WEIGHT [--goal ...] [--centre MHZ] "
    "[--band KHZ] [--points N] [--method local|global] [--evaluations N] [--swr-reference R,X] DECK OUT",
    "tunes wire lengths, positions and radii toward the goals and writes the best deck to OUT", &runOptimize};

} // namespace vrnnec::necdeck
