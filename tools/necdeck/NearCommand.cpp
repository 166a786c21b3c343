// necdeck near: the near field of a deck on a grid of points, as "Electric" and
// "Magnetic" on "Currents and fields" compute and save it.
#include "CommandSupport.h"
#include "Subcommand.h"

#include "analyses/NearFieldRun.h"
#include "results/NearField.h"

#include "common/TextLines.h"
#include "engine/SignalStop.h"

#include <ostream>

namespace vrnnec::necdeck {

namespace {

struct NearOptions {
    std::optional<results::NearField> field;
    results::NearFieldGrid grid;
    std::string keepDir, csv, deck;
};

// 0 when the arguments were understood, else 2 with the reason on `err`.
int parseOptions(const std::vector<std::string>& args, NearOptions& o, std::ostream& err)
{
    bool electric = false, magnetic = false;
    const auto apply = [&](const std::string& a, const std::string& v) {
        if (a == "--electric" || a == "--magnetic") {
            (a == "--electric" ? electric : magnetic) = true;
            o.field = a == "--electric" ? results::NearField::Electric : results::NearField::Magnetic;
        } else if (a == "--origin" || a == "--step") {
            const auto reals = ParseReals(v, 3);
            for (int k = 0; reals && k < 3; ++k)
                (a == "--origin" ? o.grid.origin : o.grid.step)[k] = (*reals)[static_cast<std::size_t>(k)];
            return reals.has_value();
        } else if (a == "--points") {
            const auto counts = ParseIntegers(v, 3);
            for (int k = 0; counts && k < 3; ++k)
                o.grid.points[k] = (*counts)[static_cast<std::size_t>(k)];
            return counts.has_value();
        } else {
            (a == "--keep" ? o.keepDir : o.csv) = v;
        }
        return true;
    };
    if (const int code = ScanArguments(args, {"--origin", "--step", "--points", "--keep", "--csv"},
                                       {"--electric", "--magnetic"}, apply, o.deck, err);
        code != 0)
        return code;
    if (electric && magnetic) {
        err << "Give --electric or --magnetic, not both.\n";
        return 2;
    }
    if (!o.field || o.csv.empty()) {
        err << "--electric or --magnetic, --csv FILE and a deck are needed.\n";
        return 2;
    }
    return 0;
}

int computeNearField(Invocation& call, NearOptions& o, engine::SignalStop& stopSignals)
{
    std::vector<std::string> deck;
    if (!textlines::readAllLines(o.deck, deck)) {
        call.err << "Unable to read " << o.deck << "\n";
        return 1;
    }
    // The grid and the deck are refused before a working folder is made.
    analyses::NearFieldRun run;
    const std::string refusal = run.prepare(std::move(deck), *o.field, o.grid);
    if (!refusal.empty()) {
        call.err << refusal << "\n";
        return 1;
    }
    WorkingFolder folder(o.keepDir, call.programFolder);
    if (!FolderReady(folder, call.err))
        return 1;
    stopSignals.watch(run.calculation());
    if (run.start(QString::fromStdString(call.programFolder), folder.path))
        run.calculation().waitForFinished();
    if (!run.finished()) {
        call.err << run.message() << "\n";
        return 1;
    }
    const results::NearFieldSave save = run.save(o.csv);
    if (save.powerBudgetLine)
        call.out << *save.powerBudgetLine << "\n";
    if (!save.message.empty()) {
        call.err << save.message << "\n";
        return 1;
    }
    return 0;
}

int runNear(Invocation& call)
{
    NearOptions options;
    if (const int code = parseOptions(call.args, options, call.err); code != 0)
        return code;
    return CheckFilesAndRun(call, {{options.deck, "deck"}}, {{options.csv, "CSV file"}}, options.keepDir,
                            [&](Invocation& inner, engine::SignalStop& stopSignals) {
                                return computeNearField(inner, options, stopSignals);
                            });
}

} // namespace

extern const Subcommand kNearCommand{"near",
                                     "near --electric|--magnetic [--origin X,Y,Z] [--step DX,DY,DZ] "
                                     "[--points NX,NY,NZ] [--keep DIR] --csv FILE DECK",
                                     "near electric or magnetic field on a grid of points, saved as CSV", &runNear};

} // namespace vrnnec::necdeck
