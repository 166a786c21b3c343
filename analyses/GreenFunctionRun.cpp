#include "analyses/GreenFunctionRun.h"

#include "analyses/GreenFunctionCards.h"
#include "common/DeckText.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace vrnnec::analyses {

QString GreenFunctionRun::filePath(const QString& folder)
{
    return QDir(folder).filePath(QString::fromLatin1(kGreenFunctionFile));
}

QString GreenFunctionRun::asidePath(const QString& folder)
{
    return QDir(folder).filePath(QStringLiteral("Ngf2d.nec.old"));
}

bool GreenFunctionRun::start(const std::vector<std::string>& deckLines, const QString& programFolder,
                             const QString& workingFolder)
{
    folder_ = workingFolder.isEmpty() ? programFolder : workingFolder;
    const std::vector<std::string> deck = GreenFunctionWriteDeck(deckLines);
    reads_ = ReadsGreenFunction(deck);
    hadOldFile_ = false;
    refusal_.clear();

    const QString file = filePath(folder_);
    const QString aside = asidePath(folder_);
    if (QFileInfo::exists(file)) {
        QFile::remove(aside);
        const bool kept = reads_ ? QFile::copy(file, aside) : QFile::rename(file, aside);
        if (!kept) {
            refusal_ =
                "The old Green function file " + QDir::toNativeSeparators(file).toStdString() + " cannot be removed.";
            return false;
        }
        hadOldFile_ = true;
        oldModified_ = QFileInfo(file).lastModified();
    }

    std::string text = decktext::JoinLines(deck);
    engine::CalculationRequest request;
    request.programFolder = programFolder;
    request.workingFolder = workingFolder;
    request.auxiliary = true;
    request.parseListing = false; // the run is judged by the file it writes
    request.deckText = std::move(text);
    return calculation_.start(request);
}

void GreenFunctionRun::putBack()
{
    if (!hadOldFile_)
        return;
    const QString file = filePath(folder_);
    QFile::remove(file);
    QFile::rename(asidePath(folder_), file);
}

GreenFunctionRunResult GreenFunctionRun::finish()
{
    GreenFunctionRunResult outcome;
    if (!refusal_.empty()) {
        outcome.message = refusal_;
        return outcome;
    }
    const engine::CalculationResult& result = calculation_.result();
    if (result.outcome != engine::CalculationOutcome::Finished) {
        putBack();
        outcome.message = result.message;
        return outcome;
    }
    outcome.engineEnded = true;
    const QFileInfo file(filePath(folder_));
    const bool isNew = file.exists() && !(reads_ && hadOldFile_ && file.lastModified() == oldModified_);
    if (!isNew) {
        putBack();
        outcome.message = kGreenFunctionNotCreatedMessage;
        return outcome;
    }
    if (hadOldFile_)
        QFile::remove(asidePath(folder_));
    outcome.written = true;
    return outcome;
}

} // namespace vrnnec::analyses
