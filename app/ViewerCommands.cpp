// The main window's side of the 3-D viewer: its four entries open it, and a successful
// reading of the listing reloads it while it is visible.
#include "app/EngineBusyDialog.h"
#include "app/MainWindow.h"
#include "app/UserDialogs.h"
#include "common/TextLines.h"
#include "engine/Calculation.h"
#include "engine/EngineRun.h"
#include "engine/ViewerSectionsParse.h"
#include "viewer/ViewerWindow.h"

namespace vrnnec {

namespace {

// The viewer's pattern runs: the deck of the last calculation, run as an auxiliary run
// in the working folder with the busy window and its "Stop".
viewer::PatternRunHook patternRunHook(TForm1* window, QString programFolder, QString workingFolder, QString deckPath)
{
    viewer::PatternRunHook hook;
    hook.lastDeck = [deckPath]() -> std::optional<std::vector<std::string>> {
        std::vector<std::string> lines;
        if (!textlines::readAllLines(deckPath.toStdString(), lines))
            return std::nullopt;
        return lines;
    };
    hook.run = [window, programFolder, workingFolder](engine::CalculationRequest request) {
        request.programFolder = programFolder;
        request.workingFolder = workingFolder;
        engine::Calculation calculation;
        // The busy window over the viewer, which stays on top of the main window.
        QWidget* parent = window->viewerWindow();
        if (calculation.start(request))
            EngineBusyDialog::waitFor(calculation, parent != nullptr ? parent : window);
        return calculation.result();
    };
    return hook;
}

} // namespace

viewer::TFormV* TForm1::viewerWindow() const
{
    return viewer_.data();
}

engine::ViewerSections TForm1::viewerSections()
{
    if (session().ViewerLines)
        return *session().ViewerLines;
    return engine::ParseViewerSections(workingFile(QString::fromLatin1(engine::kListingFile)).toStdString());
}

void TForm1::OpenViewer()
{
    if (viewer_ && viewer_->isVisible()) {
        viewer_->raise();
        viewer_->activateWindow();
        return;
    }
    delete viewer_.data();
    auto* window = new viewer::TFormV([this](const QString& text) { dialogs_->showMessage(text); }, this);
    window->setQuestionSink([this](const QString& text) {
        return dialogs_->ask(text, UserDialogs::Buttons::YesNo, UserDialogs::Style::Confirmation)
            == UserDialogs::Answer::Yes;
    });
    window->setPatternRunHook(
        patternRunHook(this, programFolder_, workingFolder_, workingFile(QString::fromLatin1(engine::kDeckFile))));
    if (!window->load(viewerSections())) {
        delete window;
        return;
    }
    viewer_ = window;
    window->move(geometry().center() - window->rect().center());
    window->show();
    window->raise();
    window->activateWindow();
    window->setFocus();
}

void TForm1::ReloadViewer()
{
    if (!viewer_ || !viewer_->isVisible())
        return;
    if (!viewer_->load(viewerSections()))
        viewer_->close();
}

} // namespace vrnnec
