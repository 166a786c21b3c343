#include "app/DirectRunCommands.h"

#include "app/AnglesRPForm.h"
#include "app/LocaleNumbers.h"
#include "app/MainWindow.h"
#include "app/NEC2InputPage.h"
#include "app/RPPlotsPage.h"
#include "app/RunController.h"
#include "app/UserDialogs.h"
#include "common/DeckText.h"
#include "editor/PatternCards.h"
#include "engine/Calculation.h"

#include <QSignalBlocker>

namespace vrnnec {

namespace {

bool complete(const QString& angle)
{
    return editor::IsCompleteAngleText(angle.toStdString(), localenum::decimalSeparator());
}

} // namespace

DirectRunCommands::DirectRunCommands(TForm1& window) : QObject(&window), window_(window)
{
    NEC2InputPage* page = &window.nec2InputPage();
    connect(page, &NEC2InputPage::startRequested, this, [this] { StartNEC2ButtonClick(); });
    connect(page, &NEC2InputPage::anglesForPatternsClicked, this, [this] { AzimElevNEC2CheckClick(); });
    connect(page, &NEC2InputPage::elevationEdited, this, [this] { Elevation1FieldChange(); });
    connect(page, &NEC2InputPage::azimuthEdited, this, [this] { Azimuth1FieldChange(); });
}

DirectRunCommands::~DirectRunCommands()
{
    delete anglesDialog_.data();
}

TAnglesRPForm* DirectRunCommands::anglesDialog() const
{
    return anglesDialog_.data();
}

void DirectRunCommands::SetAnglesforRPcalculationsClick()
{
    delete anglesDialog_.data();
    anglesDialog_ = new TAnglesRPForm(window_);
    window_.setEnabled(false);
    anglesDialog_->show();
    anglesDialog_->activateWindow();
    anglesDialog_->setFocus();
}

void DirectRunCommands::applyAngleRule(bool modeZeroElevationCounts, const char* outOfRange)
{
    NEC2InputPage& page = window_.nec2InputPage();
    localenum::FieldReader read;
    const double elevation = read(page.elevationText());
    const double azimuth = read(page.azimuthText());
    if (!read.refusal.isEmpty()) {
        window_.dialogs().showMessage(read.refusal);
        return;
    }
    if (!editor::AnglesAcceptable(elevation, azimuth)) {
        window_.dialogs().showMessage(QString::fromLatin1(outOfRange));
        return;
    }
    std::vector<std::string> lines = page.deckLines();
    if (lines.empty())
        return;
    const editor::RPRewrite rewrite = editor::RewriteRPCards(lines, 90 - elevation, azimuth, modeZeroElevationCounts);
    if (rewrite.modeMessage)
        window_.dialogs().showMessage(QString::fromStdString(*rewrite.modeMessage));
    page.setDeckLines(lines);
}

void DirectRunCommands::AzimElevNEC2CheckClick()
{
    NEC2InputPage& page = window_.nec2InputPage();
    if (page.anglesForPatterns() && complete(page.elevationText()) && complete(page.azimuthText()))
        applyAngleRule(true, editor::kAnglesOutOfRangeMessage);
}

void DirectRunCommands::Elevation1FieldChange()
{
    NEC2InputPage& page = window_.nec2InputPage();
    if (page.anglesForPatterns() && complete(page.elevationText()))
        applyAngleRule(true, editor::kAnglesOutOfRangeMessage);
}

void DirectRunCommands::Azimuth1FieldChange()
{
    NEC2InputPage& page = window_.nec2InputPage();
    if (page.anglesForPatterns() && complete(page.azimuthText()))
        applyAngleRule(false, editor::kAnglesOutOfRangeMessage);
}

void DirectRunCommands::StartNEC2ButtonClick()
{
    NEC2InputPage& page = window_.nec2InputPage();
    const std::vector<std::string> lines = page.deckLines();
    const editor::RPPairCheck check = editor::CheckRPPair(lines);
    if (!check.ok) {
        window_.dialogs().showMessage(QString::fromLatin1(editor::kIncorrectRPCardsMessage));
        if (!page.anglesForPatterns()) {
            page.setAnglesForPatterns(true);
            AzimElevNEC2CheckClick();
        }
        if (complete(page.elevationText()) && complete(page.azimuthText()))
            applyAngleRule(true, editor::kAnglesOutOfRangeInfoMessage);
        return;
    }
    if (editor::AsksForSeveralFrequencies(lines)) {
        window_.dialogs().showMessage(QString::fromLatin1(editor::kOneFrequencyMessage));
        return;
    }
    page.appendResults(check.attentionLines());

    engine::CalculationRequest request;
    request.programFolder = window_.programFolder();
    request.workingFolder = window_.workingFolder();
    request.deckText = decktext::JoinLines(lines);
    request.parse.viewerSections = true; // the viewer shows what this reading read
    window_.session().SwrReference = window_.session().EditWindowSwrReference;

    engine::Calculation calculation;
    const bool running = calculation.start(request);
    if (running) {
        page.setRunning(true);
        window_.setCursor(Qt::WaitCursor);
        const bool goOn = window_.runs().wait(calculation);
        page.setRunning(false);
        window_.unsetCursor();
        if (!goOn)
            return;
    }
    const engine::CalculationResult& result = calculation.result();
    if (result.outcome != engine::CalculationOutcome::Finished) {
        window_.dialogs().showMessage(QString::fromStdString(result.message));
        return;
    }
    window_.session().HeightUnknown = true;
    window_.ReadEngineOutput(result.listing);
    window_.rpPlotsPage().enablePolarization();
}

} // namespace vrnnec
