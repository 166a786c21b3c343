#include "GfCommand.h"

#include "analyses/GreenFunctionCards.h"
#include "analyses/GreenFunctionRun.h"
#include "common/AtomicFile.h"
#include "common/TextLines.h"
#include "engine/WorkingFolder.h"

#include <QFile>
#include <QTemporaryDir>

#include <ostream>

namespace vrnnec::necdeck {

int RunGf(Invocation& invocation)
{
    if (invocation.args.size() != 2)
        return 2;
    const std::string& deckPath = invocation.args[0];
    const std::string& outPath = invocation.args[1];
    std::vector<std::string> lines;
    if (!textlines::readAllLines(deckPath, lines)) {
        invocation.err << "Cannot open the deck " << deckPath << "\n";
        return 1;
    }
    if (!analyses::AllCardsAccepted(lines)) {
        invocation.err << analyses::kIncorrectCardsMessage << "\n";
        return 1;
    }
    QTemporaryDir folder;
    if (!folder.isValid()) {
        invocation.err << "Cannot create a temporary folder: " << folder.errorString().toStdString() << "\n";
        return 1;
    }
    if (!engine::TakeUsersEngineConf(QString::fromStdString(invocation.programFolder), folder.path())) {
        invocation.err << atomicfile::UnableToWriteMessage(folder.filePath(QStringLiteral("engine.conf")).toStdString())
                       << "\n";
        return 1;
    }
    analyses::GreenFunctionRun run;
    if (run.start(lines, QString::fromStdString(invocation.programFolder), folder.path()))
        run.calculation().waitForFinished();
    const analyses::GreenFunctionRunResult result = run.finish();
    if (!result.written) {
        invocation.err << result.message << "\n";
        return 1;
    }
    QFile file(analyses::GreenFunctionRun::filePath(folder.path()));
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

} // namespace vrnnec::necdeck
