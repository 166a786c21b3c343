#include "app/DeckFileCommands.h"

#include "app/CurrentsPage.h"
#include "app/MainWindow.h"
#include "app/NEC2InputPage.h"
#include "app/UserDialogs.h"
#include "common/AtomicFile.h"
#include "editor/DeckFile.h"

#include <QFile>

namespace vrnnec {

namespace {

const QString kOpenTitle = QStringLiteral("Open NEC-2 for VORNA engine input file (NEC-2 input)");
const QString kOpenFilter =
    QStringLiteral("NEC-2 for VORNA engine input file|*.wcf|Code files NEC-2|*.nec|All files|*");
const QString kSaveTitle = QStringLiteral("Save NEC-2 for VORNA engine input file (NEC-2 input)");
const QString kSaveFilter = QStringLiteral("NEC-2 for VORNA engine input file|*.wcf|Code files NEC-2|*.nec");
const QString kDiscardQuestion =
    QStringLiteral("The NEC-2 input has been changed since it was last read, opened or saved. Discard the changes?");
const QString kSaveQuestion =
    QStringLiteral("The NEC-2 input has been changed since it was last read, opened or saved. Save the changes?");

std::string localPath(const QString& path)
{
    return QFile::encodeName(path).toStdString();
}

} // namespace

DeckFileCommands::DeckFileCommands(TForm1& window) : QObject(&window), window_(window)
{
    NEC2InputPage* page = &window.nec2InputPage();
    connect(page, &NEC2InputPage::readRequested, this, [this] { ReadIndataButtonClick(); });
    connect(page, &NEC2InputPage::openRequested, this, [this] { OpenNEC2ButtonClick(); });
    connect(page, &NEC2InputPage::saveRequested, this, [this] { SaveNEC2ButtonClick(); });
    connect(page, &NEC2InputPage::viewListingRequested, this, [this] { ViewOutdataButtonClick(); });
}

bool DeckFileCommands::mayReplaceDeck()
{
    if (!window_.nec2InputPage().isDeckModified())
        return true;
    return window_.dialogs().ask(kDiscardQuestion, UserDialogs::Buttons::YesNo, UserDialogs::Style::Warning)
        == UserDialogs::Answer::Yes;
}

bool DeckFileCommands::mayClose()
{
    if (!window_.nec2InputPage().isDeckModified())
        return true;
    switch (window_.dialogs().ask(kSaveQuestion, UserDialogs::Buttons::YesNoCancel, UserDialogs::Style::Warning)) {
    case UserDialogs::Answer::No:
        return true;
    case UserDialogs::Answer::Yes:
        SaveNEC2ButtonClick();
        return !window_.nec2InputPage().isDeckModified(); // saved, not cancelled or failed
    default:
        return false;
    }
}

void DeckFileCommands::showDeck(const std::vector<std::string>& lines)
{
    window_.nec2InputPage().showDeckFromFile(lines);
    window_.currentsPage().setGreenFunctionWriteEnabled(true);
}

void DeckFileCommands::ReadIndataButtonClick()
{
    auto lines = editor::ReadDeckFile(localPath(window_.workingFile(QStringLiteral("Indata.txo"))));
    if (!lines) {
        window_.dialogs().showMessage(QStringLiteral("File Indata.txo is not found."));
        return;
    }
    if (!mayReplaceDeck())
        return;
    // The file is read at least once: an empty file is one empty line.
    if (lines->empty())
        lines->emplace_back();
    showDeck(*lines);
}

void DeckFileCommands::OpenNEC2ButtonClick()
{
    const QString name = window_.dialogs().openFileName(kOpenTitle, kOpenFilter, QString());
    if (!name.isEmpty())
        OpenDeckFile(name);
}

void DeckFileCommands::OpenDeckFile(const QString& name)
{
    const auto lines = editor::ReadDeckFile(localPath(name));
    if (!lines) {
        window_.dialogs().showMessage(QString::fromStdString(editor::FileNotFoundMessage(name.toStdString())));
        return;
    }
    if (!mayReplaceDeck())
        return;
    showDeck(*lines);
    // The results on show belong to a deck that is no longer shown.
    CommandState& commands = window_.session().commands;
    commands.listingShown = false;
    commands.anglesRerun = false;
    commands.sweepUpToDate = false;
    window_.updateCommands();
}

void DeckFileCommands::SaveNEC2ButtonClick()
{
    const QString name =
        window_.dialogs().saveFileName(kSaveTitle, kSaveFilter, QStringLiteral("wcf"), QString(), QString());
    if (name.isEmpty())
        return;
    NEC2InputPage& page = window_.nec2InputPage();
    const std::string bytes = editor::DeckFileBytes(page.deckLines());
    if (!atomicfile::WriteFileAtomically(localPath(name), bytes).empty()) {
        window_.dialogs().showMessage((QStringLiteral("Unable to save in file ") + name).left(255));
        return;
    }
    page.setDeckModified(false);
}

void DeckFileCommands::ViewOutdataButtonClick()
{
    const QString path = window_.workingFile(QStringLiteral("Outdata.txo"));
    if (!QFile::exists(path)) {
        window_.dialogs().showMessage(QString::fromStdString(editor::FileNotFoundMessage(path.toStdString())));
        return;
    }
    if (!window_.dialogs().openWithDesktop(path))
        window_.dialogs().showMessage(
            (QStringLiteral("No program is registered on this computer to show the NEC-2 output file ") + path
             + QStringLiteral(". Open it with a text editor."))
                .left(255));
}

} // namespace vrnnec
