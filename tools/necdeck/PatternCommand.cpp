// necdeck pattern: the deck run with one full pattern card; prints the maximum gain with
// its direction and the front-to-back ratio, and writes the pattern table as CSV and the
// viewer's picture with the pattern surface as PNG.
#include "CommandSupport.h"
#include "Subcommand.h"

#include "common/AtomicFile.h"
#include "common/NumberText.h"
#include "common/TextLines.h"
#include "editor/PatternCards.h"
#include "engine/Calculation.h"
#include "engine/PatternDeck.h"
#include "engine/SignalStop.h"
#include "engine/ViewerSectionsParse.h"
#include "viewer/PatternSurface.h"
#include "viewer/SceneRenderer.h"
#include "viewer/ViewFit.h"

#include <ostream>

namespace vrnnec::necdeck {

namespace {

constexpr int kPictureSide = 300;
constexpr const char* kCsvHeader = "Theta,Phi,Vertical dBi,Horizontal dBi,Total dBi";

struct PatternOptions {
    std::string step = std::to_string(engine::kDefaultPatternStep);
    std::string csvFile;
    std::string pngFile;
    std::string keepDir;
    std::string deck;
};

// The table as CSV: the fields exactly as the listing prints them, in its order.
std::string patternCsv(const std::vector<engine::PatternTableRow>& rows)
{
    std::string text = std::string(kCsvHeader) + "\r\n";
    for (const engine::PatternTableRow& row : rows) {
        const engine::PatternRowTexts& t = row.texts;
        text += t.theta + "," + t.phi + "," + t.verticalGain + "," + t.horizontalGain + "," + t.totalGain + "\r\n";
    }
    return text;
}

// The viewer's picture of the run's listing: centre view, the first wire selected,
// currents off, the pattern around the wires. Empty with the message when it fails.
std::string patternPicture(const std::string& listingPath, const viewer::PatternSurface& surface, std::string& message)
{
    viewer::ViewerModel model = viewer::ReadViewerModel(listingPath);
    if (model.ReadError == viewer::readerror::kNone)
        viewer::FitModelToView(model, viewer::ViewMode::Center);
    if (model.ReadError != viewer::readerror::kNone) {
        message = viewer::kReadErrorMessage;
        return {};
    }
    viewer::SceneState state;
    const std::vector<std::string> wires = viewer::FillWireList(model);
    state.selectedTag = wires.empty() ? 1 : std::stoll(wires.front());
    state.pattern = &surface;
    const viewer::ViewTransform view;
    const std::string png = viewer::ScenePng(viewer::BuildScene(model, state), view.matrix(), kPictureSide);
    if (png.empty())
        message = viewer::kImageErrorMessage;
    return png;
}

int runPattern(Invocation& call, const PatternOptions& options, engine::SignalStop& stopSignals)
{
    long long step = 0;
    if (!numtext::parseTrimmedInteger(options.step, step) || !engine::PatternStepAcceptable(step)) {
        call.err << engine::kPatternStepMessage << "\n";
        return 1;
    }
    std::vector<std::string> deck;
    if (!textlines::readAllLines(options.deck, deck)) {
        call.err << "Unable to read " << options.deck << "\n";
        return 1;
    }
    if (editor::AsksForSeveralFrequencies(deck)) {
        call.err << editor::kOneFrequencyMessage << "\n";
        return 1;
    }
    const engine::FullPatternDeck full = engine::MakeFullPatternDeck(deck, step);
    if (!full.message.empty()) {
        call.err << full.message << "\n";
        return 1;
    }
    WorkingFolder folder(options.keepDir, call.programFolder);
    if (!FolderReady(folder, call.err))
        return 1;

    engine::CalculationRequest request;
    request.programFolder = QString::fromStdString(call.programFolder);
    request.workingFolder = folder.path;
    request.deckText = full.text;
    request.parse.fullPattern = true;
    engine::Calculation calculation;
    if (!RunCalculation(calculation, request, stopSignals, call.err))
        return 1;
    const engine::CalculationResult& result = calculation.result();
    if (!result.listing.complete()) {
        call.err << result.listing.message << "\n";
        return 1;
    }
    const std::vector<engine::PatternTableRow>& rows = result.listing.blocks.front().fullPattern;
    const viewer::PatternSurfaceResult surface = viewer::BuildPatternSurface(rows);
    if (!surface.surface) {
        call.err << surface.message << "\n";
        return 1;
    }

    // Everything to write is made before the first file is written.
    std::string png;
    if (!options.pngFile.empty()) {
        std::string message;
        png = patternPicture(engine::Calculation::listingPath(request).toStdString(), *surface.surface, message);
        if (png.empty()) {
            call.err << message << "\n";
            return 1;
        }
    }
    const std::pair<const std::string*, std::string> files[] = {
        {&options.csvFile, options.csvFile.empty() ? std::string() : patternCsv(rows)}, {&options.pngFile, png}};
    for (const auto& [path, content] : files) {
        if (path->empty())
            continue;
        if (!atomicfile::WriteFileAtomically(*path, content).empty()) {
            call.err << atomicfile::UnableToWriteMessage(*path) << "\n";
            return 1;
        }
    }
    call.out << viewer::PatternMaxText(*surface.surface) << "\n"
             << viewer::PatternFrontToBackText(*surface.surface) << "\n";
    return 0;
}

int patternCommand(Invocation& call)
{
    PatternOptions options;
    const auto apply = [&options](const std::string& a, const std::string& v) {
        if (a == "--step")
            options.step = v;
        else if (a == "--csv")
            options.csvFile = v;
        else if (a == "--png")
            options.pngFile = v;
        else if (a == "--keep")
            options.keepDir = v;
        else
            return false;
        return true;
    };
    if (const int code =
            ScanArguments(call.args, {"--step", "--csv", "--png", "--keep"}, {}, apply, options.deck, call.err);
        code != 0)
        return code;
    return CheckFilesAndRun(call, {{options.deck, "deck"}}, {{options.csvFile, "CSV file"}, {options.pngFile, "picture"}},
                            options.keepDir, [&](Invocation& inner, engine::SignalStop& stopSignals) {
                                return runPattern(inner, options, stopSignals);
                            });
}

} // namespace

extern const Subcommand kPatternCommand{
    "pattern", "pattern [--step DEG] [--csv FILE] [--png FILE] [--keep DIR] DECK",
    "runs a deck for its full radiation pattern: maximum gain and direction, CSV table, picture", &patternCommand,
    true};

} // namespace vrnnec::necdeck
