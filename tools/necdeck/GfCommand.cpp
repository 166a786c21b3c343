#include "GfCommand.h"
#include "CommandSupport.h"

#include "analyses/GreenFunctionCards.h"
#include "analyses/GreenFunctionRun.h"
#include "common/AtomicFile.h"
#include "common/Messages.h"
#include "common/TextLines.h"
#include "engine/WorkingFolder.h"

#include <QFile>

#include <ostream>

namespace vrnnec::necdeck {

namespace {

int writeGreenFunctionFile(Invocation& invocation, const std::string& deckPath, const std::string& outPath,
                           engine::SignalStop& stopSignals)
{
    std::vector<std::string> lines;
    if (!textlines::readAllLines(deckPath, lines)) {
        invocation.err << "Cannot open the deck " << deckPath << "\n";
        return 1;
    }
    if (const int refused = analyses::FirstRefusedCard(lines); refused >= 0) {
        invocation.err << messages::WithPlace(analyses::kIncorrectCardsMessage,
                                              messages::RefusedDeckLine(refused, lines[static_cast<std::size_t>(refused)]))
                       << "\n";
        return 1;
    }
    WorkingFolder folder({}, invocation.programFolder);
    if (!FolderReady(folder, invocation.err))
        return 1;
    analyses::GreenFunctionRun run;
    stopSignals.watch(run.calculation());
    if (run.start(lines, QString::fromStdString(invocation.programFolder), folder.path))
        run.calculation().waitForFinished();
    const analyses::GreenFunctionRunResult result = run.finish();
    if (!result.written) {
        invocation.err << result.message << "\n";
        return 1;
    }
    QFile file(analyses::GreenFunctionRun::filePath(folder.path));
    if (!file.open(QIODevice::ReadOnly)) {
        invocation.err << "Cannot read " << file.fileName().toStdString() << "\n";
        return 1;
    }
    const QByteArray bytes = file.readAll();
    if (!atomicfile::WriteFileAtomically(outPath, std::string_view(bytes.constData(), bytes.size())).empty()) {
        invocation.err << atomicfile::UnableToWriteMessage(outPath) << "\n";
        return 1;
    }
    invocation.out << "Green function file written to " << outPath << "\n";
    return 0;
}

} // namespace

int RunGf(Invocation& invocation)
{
    std::vector<std::string> files;
    if (const int code = ScanCommandLine(invocation.args, {}, {}, [](auto&, auto&) { return true; }, files,
                                         invocation.err);
        code != 0)
        return code;
    if (files.size() != 2) {
        invocation.err << "gf needs a deck and an output file.\n";
        return 2;
    }
    const std::string& deckPath = files[0];
    const std::string& outPath = files[1];
    return CheckFilesAndRun(invocation, {{deckPath, "deck"}}, {{outPath, "Green's function file"}}, {},
                            [&](Invocation& inner, engine::SignalStop& stopSignals) {
                                return writeGreenFunctionFile(inner, deckPath, outPath, stopSignals);
                            });
}

} // namespace vrnnec::necdeck
