// necdeck near: the near field of a deck on a grid of points, as "Electric" and
// "Magnetic" on "Currents and fields" compute and save it.
#include "CommandSupport.h"
#include "Subcommand.h"

#include "analyses/NearFieldRun.h"
#include "results/NearField.h"

#include "common/TextLines.h"

#include <ostream>

namespace vrnnec::necdeck {

namespace {

int runNear(Invocation& call)
{
    std::optional<results::NearField> field;
    results::NearFieldGrid grid;
    std::string keepDir, csv, deckPath;
    const auto& args = call.args;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--electric" || a == "--magnetic") {
            field = a == "--electric" ? results::NearField::Electric : results::NearField::Magnetic;
            continue;
        }
        if ((a == "--origin" || a == "--step" || a == "--points" || a == "--keep" || a == "--csv")
            && i + 1 < args.size()) {
            const std::string& v = args[++i];
            bool ok = true;
            if (a == "--origin" || a == "--step") {
                const auto reals = ParseReals(v, 3);
                ok = reals.has_value();
                for (int k = 0; ok && k < 3; ++k)
                    (a == "--origin" ? grid.origin : grid.step)[k] = (*reals)[static_cast<std::size_t>(k)];
            } else if (a == "--points") {
                const auto counts = ParseIntegers(v, 3);
                ok = counts.has_value();
                for (int k = 0; ok && k < 3; ++k)
                    grid.points[k] = (*counts)[static_cast<std::size_t>(k)];
            } else {
                (a == "--keep" ? keepDir : csv) = v;
            }
            if (!ok) {
                call.err << "Invalid value for " << a << ": " << v << "\n";
                return 2;
            }
            continue;
        }
        if (a.starts_with("--") || !deckPath.empty()) {
            call.err << "Unexpected argument: " << a << "\n";
            return 2;
        }
        deckPath = a;
    }
    if (!field || csv.empty() || deckPath.empty()) {
        call.err << "--electric or --magnetic, --csv FILE and a deck are needed.\n";
        return 2;
    }

    std::vector<std::string> deck;
    if (!textlines::readAllLines(deckPath, deck)) {
        call.err << "Unable to read " << deckPath << "\n";
        return 1;
    }
    // The grid and the deck are refused before a working folder is made.
    analyses::NearFieldRun run;
    const std::string refusal = run.prepare(std::move(deck), *field, grid);
    if (!refusal.empty()) {
        call.err << refusal << "\n";
        return 1;
    }
    WorkingFolder folder(keepDir, call.programFolder);
    if (folder.path.isEmpty()) {
        call.err << folder.message << "\n";
        return 1;
    }
    if (run.start(QString::fromStdString(call.programFolder), folder.path))
        run.calculation().waitForFinished();
    if (!run.finished()) {
        call.err << run.message() << "\n";
        return 1;
    }
    const results::NearFieldSave save = run.save(csv);
    if (save.powerBudgetLine)
        call.out << *save.powerBudgetLine << "\n";
    if (!save.message.empty()) {
        call.err << save.message << "\n";
        return 1;
    }
    return 0;
}

} // namespace

extern const Subcommand kNearCommand{"near",
                                     "near --electric|--magnetic [--origin X,Y,Z] [--step DX,DY,DZ] "
                                     "[--points NX,NY,NZ] [--keep DIR] --csv FILE DECK",
                                     "near electric or magnetic field on a grid of points, saved as CSV", &runNear};

} // namespace vrnnec::necdeck
