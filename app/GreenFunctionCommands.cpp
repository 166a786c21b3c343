// The group "Green function writing": "Write" runs the deck of the edit window or of the
// current engine input with a WG card and may rewrite the edit window to read the file;
// "Copy GF to working folder" puts a chosen Green's function file in the working folder.
#include "analyses/GreenFunctionCards.h"
#include "analyses/GreenFunctionRun.h"
#include "app/CurrentsPage.h"
#include "app/MainWindow.h"
#include "app/NEC2InputPage.h"
#include "app/RunController.h"
#include "app/UserDialogs.h"
#include "common/AtomicFile.h"
#include "common/TextLines.h"
#include "engine/EngineRun.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace vrnnec {

namespace {

const QString kWrittenMessage =
    QStringLiteral("Green function file Ngf2d.nec has been written in NEC-2 for VORNA allocation directory.");

// The program folder is the allocation directory; a user's own working folder is named.
QString writtenMessage(const QString& programFolder, const QString& workingFolder)
{
    if (QDir::cleanPath(workingFolder) == QDir::cleanPath(programFolder))
        return kWrittenMessage;
    return QStringLiteral("Green function file Ngf2d.nec has been written in the working folder ")
        + QDir::toNativeSeparators(workingFolder) + QLatin1Char('.');
}

QString fromStd(const std::string& text)
{
    return QString::fromStdString(text);
}

} // namespace

void TForm1::GFwriteButtonClick()
{
    const bool fromEditWindow = currentsPage().greenFunctionFromEditWindow();
    std::vector<std::string> lines;
    if (fromEditWindow) {
        lines = nec2InputPage().deckRunLines();
        if (lines.empty()) {
            dialogs_->showMessage(QString::fromLatin1(analyses::kEditWindowEmptyMessage));
            return;
        }
    } else if (!textlines::readAllLines(workingFile(QString::fromLatin1(engine::kDeckFile)).toStdString(), lines)) {
        dialogs_->showMessage(QString::fromLatin1(analyses::kIndataNotFoundMessage));
        return;
    }
    if (const int refused = analyses::FirstRefusedCard(lines); refused >= 0) {
        if (fromEditWindow)
            nec2InputPage().selectDeckLine(refused);
        dialogs_->showMessage(QString::fromStdString(messages::WithPlace(
            analyses::kIncorrectCardsMessage,
            messages::RefusedDeckLine(refused, lines[static_cast<std::size_t>(refused)]))));
        return;
    }

    currentsPage().setRunBusy(FieldRun::GreenFunction, true);
    analyses::GreenFunctionRun run;
    const bool goOn = !run.start(lines, programFolder_, workingFolder_) || runs_->wait(run.calculation());
    currentsPage().setRunBusy(FieldRun::GreenFunction, false);
    if (!goOn)
        return;

    const analyses::GreenFunctionRunResult result = run.finish();
    if (!result.engineEnded) {
        dialogs_->showMessage(fromStd(result.message));
        return;
    }
    // The run left its listing in Outdata.txo: the viewer would show another structure.
    setViewerEnabled(false);
    if (!result.written) {
        dialogs_->showMessage(fromStd(result.message));
        return;
    }
    if (!fromEditWindow) {
        dialogs_->showMessage(writtenMessage(programFolder_, workingFolder_));
        return;
    }
    const UserDialogs::Answer answer =
        dialogs_->ask(writtenMessage(programFolder_, workingFolder_)
                          + QStringLiteral(" Replace all structure cards by GF card in Edit window?"),
                      UserDialogs::Buttons::YesNo, UserDialogs::Style::Confirmation);
    if (answer != UserDialogs::Answer::Yes)
        return;
    nec2InputPage().setDeckLines(analyses::RewriteToReadGreenFunction(lines));
}

void TForm1::CopyGFClick()
{
    const QString chosen = dialogs_->openFileName(
        QStringLiteral("Copy Green function to working folder from...."),
        QStringLiteral("NEC-2 Green function file|Ngf2d.nec|All NEC-2 files|*.nec|All files|*.*"), QDir::currentPath());
    if (chosen.isEmpty())
        return;
    const QString source = QDir::toNativeSeparators(QFileInfo(chosen).absoluteFilePath());
    const QString target = workingFile(QString::fromLatin1(analyses::kGreenFunctionFile));
    const QFileInfo targetInfo(target);
    if (targetInfo.exists() && QFileInfo(chosen).canonicalFilePath() == targetInfo.canonicalFilePath()) {
        dialogs_->showMessage(QStringLiteral("The chosen file ") + source
                              + QStringLiteral(" is the Green function file of the working folder itself."));
        return;
    }
    if (targetInfo.exists()
        && dialogs_->ask(QStringLiteral("Green function file, Ngf2d.nec, in working folder will be overwritten. OK?"),
                         UserDialogs::Buttons::OkCancel, UserDialogs::Style::Warning)
            != UserDialogs::Answer::Ok)
        return;
    // The copy replaces the target only once it is complete.
    QFile file(chosen);
    bool copied = file.open(QIODevice::ReadOnly);
    if (copied) {
        const QByteArray bytes = file.readAll();
        copied = file.error() == QFileDevice::NoError
            && atomicfile::WriteFileAtomically(target.toStdString(), std::string_view(bytes.constData(), bytes.size()))
                   .empty();
    }
    if (copied)
        dialogs_->showMessage(QStringLiteral("Green function is copied from ") + source
                              + QStringLiteral(" to working directory."));
    else
        dialogs_->showMessage(QStringLiteral("Attempt to copy ") + source + QStringLiteral(" failed!"));
}

void TForm1::connectGreenFunctionCommands()
{
    connect(&currentsPage(), &CurrentsPage::greenFunctionWriteRequested, this, [this] { GFwriteButtonClick(); });
    connect(&currentsPage(), &CurrentsPage::copyGreenFunctionRequested, this, [this] { CopyGFClick(); });
}

} // namespace vrnnec
