#include "app/DeckFileCommands.h"

#include "app/CurrentsPage.h"
#include "app/MainWindow.h"
#include "app/MainWindowControls.h"
#include "app/UserDialogs.h"
#include "common/AtomicFile.h"
#include "common/DeckText.h"
#include "editor/DeckFile.h"

#include <QFile>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

namespace vrnnec {

namespace {

const QString kOpenTitle = QStringLiteral("Open NEC-2 for VORNA engine input file (NEC-2 input)");
const QString kOpenFilter =
    QStringLiteral("NEC-2 for VORNA engine input file|*.wcf|Code files NEC-2|*.nec|All files|*");
const QString kSaveTitle = QStringLiteral("Save NEC-2 for VORNA engine input file (NEC-2 input)");
const QString kSaveFilter = QStringLiteral("NEC-2 for VORNA engine input file|*.wcf|Code files NEC-2|*.nec");
const QString kDiscardQuestion =
    QStringLiteral("The NEC-2 input has been changed since it was last read, opened or saved. Discard the changes?");

std::string localPath(const QString& path)
{
    return QFile::encodeName(path).toStdString();
}

} // namespace

namespace deckmemo {

std::vector<std::string> lines(const QString& text)
{
    std::vector<std::string> result;
    if (text.isEmpty())
        return result;
    for (const QString& line : text.split(QLatin1Char('\n'))) {
        // Each character is the byte it was read from; a typed character beyond them
        // goes as its UTF-8 bytes.
        std::string bytes;
        for (const QChar c : line) {
            if (c.unicode() <= 0xFF)
                bytes += static_cast<char>(c.unicode());
            else
                bytes += QString(c).toStdString();
        }
        result.push_back(decktext::CutLine(bytes));
    }
    return result;
}

// The memo's raw text: its plain text would turn 0xA0 (no-break space) into a blank.
static QString memoText(const QPlainTextEdit& memo)
{
    QString text = memo.document()->toRawText();
    text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    text.replace(QChar::LineSeparator, QLatin1Char('\n'));
    return text;
}

std::vector<std::string> lines(const QPlainTextEdit& memo)
{
    return lines(memoText(memo));
}

std::vector<std::string> runLines(const QPlainTextEdit& memo)
{
    return runLines(memoText(memo));
}

std::vector<std::string> runLines(const QString& text)
{
    std::vector<std::string> result = lines(text);
    if (!result.empty() && result.back().empty())
        result.pop_back();
    return result;
}

void selectLine(QPlainTextEdit& memo, int index)
{
    const QTextBlock block = memo.document()->findBlockByNumber(index);
    if (!block.isValid())
        return;
    QTextCursor cursor(block);
    cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    memo.setTextCursor(cursor);
    for (QWidget* w = &memo; w->parentWidget(); w = w->parentWidget())
        if (auto* pages = qobject_cast<QTabWidget*>(w->parentWidget()->parentWidget()); pages && pages->indexOf(w) >= 0)
            pages->setCurrentWidget(w);
    memo.ensureCursorVisible();
}

void setLines(QPlainTextEdit& memo, const std::vector<std::string>& newLines)
{
    QString text;
    for (std::size_t i = 0; i < newLines.size(); ++i) {
        if (i > 0)
            text += QLatin1Char('\n');
        text += QString::fromLatin1(newLines[i].data(), static_cast<qsizetype>(newLines[i].size()));
    }
    if (lines(memo) == newLines)
        return;
    // A rewrite by the program is a change of the deck like a typed one: the deck stays
    // marked as changed until it is saved or replaced by a file.
    memo.setPlainText(text);
    memo.document()->setModified(true);
}

} // namespace deckmemo

DeckFileCommands::DeckFileCommands(TForm1& window) : QObject(&window), window_(window)
{
    MainWindowControls& u = window.ui();
    connect(u.ReadIndataButton, &QPushButton::clicked, this, [this] { ReadIndataButtonClick(); });
    connect(u.OpenNEC2Button, &QPushButton::clicked, this, [this] { OpenNEC2ButtonClick(); });
    connect(u.SaveNEC2Button, &QPushButton::clicked, this, [this] { SaveNEC2ButtonClick(); });
    connect(u.ViewOutdataButton, &QPushButton::clicked, this, [this] { ViewOutdataButtonClick(); });
}

bool DeckFileCommands::mayReplaceDeck()
{
    if (!window_.ui().GeometryNEC2->document()->isModified())
        return true;
    return window_.dialogs().ask(kDiscardQuestion, UserDialogs::Buttons::YesNo, UserDialogs::Style::Warning)
        == UserDialogs::Answer::Yes;
}

void DeckFileCommands::showDeck(const std::vector<std::string>& lines)
{
    MainWindowControls& u = window_.ui();
    deckmemo::setLines(*u.GeometryNEC2, lines);
    u.GeometryNEC2->document()->setModified(false);
    for (QWidget* w : {static_cast<QWidget*>(u.StartNEC2Button), static_cast<QWidget*>(u.SaveNEC2Button),
                       static_cast<QWidget*>(u.NEC2CodeEditorButton)})
        w->setEnabled(true);
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
    QPlainTextEdit& memo = *window_.ui().GeometryNEC2;
    const std::string bytes = editor::DeckFileBytes(deckmemo::lines(memo));
    if (!atomicfile::WriteFileAtomically(localPath(name), bytes).empty()) {
        window_.dialogs().showMessage((QStringLiteral("Unable to save in file ") + name).left(255));
        return;
    }
    memo.document()->setModified(false);
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
