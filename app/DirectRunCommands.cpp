#include "app/DirectRunCommands.h"

#include "app/AnglesRPForm.h"
#include "app/DeckFileCommands.h"
#include "app/LocaleNumbers.h"
#include "app/MainWindow.h"
#include "app/MainWindowControls.h"
#include "app/ResultMemo.h"
#include "app/RunController.h"
#include "app/UserDialogs.h"
#include "common/DeckText.h"
#include "common/NumberText.h"
#include "editor/PatternCards.h"
#include "engine/Calculation.h"

#include <QSignalBlocker>

namespace vrnnec {

namespace {

bool complete(const QLineEdit* field)
{
    return editor::IsCompleteAngleText(field->text().toStdString(), localenum::decimalSeparator());
}

} // namespace

DirectRunCommands::DirectRunCommands(TForm1& window) : QObject(&window), window_(window)
{
    MainWindowControls& u = window.ui();
    connect(u.StartNEC2Button, &QPushButton::clicked, this, [this] { StartNEC2ButtonClick(); });
    connect(u.AzimElevNEC2Check, &QCheckBox::clicked, this, [this] { AzimElevNEC2CheckClick(); });
    connect(u.Elevation1Field, &QLineEdit::textChanged, this, [this] { Elevation1FieldChange(); });
    connect(u.Azimuth1Field, &QLineEdit::textChanged, this, [this] { Azimuth1FieldChange(); });
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
    MainWindowControls& u = window_.ui();
    double elevation = 0;
    double azimuth = 0;
    for (auto [field, value] : {std::pair{u.Elevation1Field, &elevation}, std::pair{u.Azimuth1Field, &azimuth}}) {
        if (!localenum::readReal(field->text(), *value)) {
            window_.dialogs().showMessage(
                QString::fromStdString(numtext::invalidFloatMessage(field->text().toStdString())));
            return;
        }
    }
    if (!editor::AnglesAcceptable(elevation, azimuth)) {
        window_.dialogs().showMessage(QString::fromLatin1(outOfRange));
        return;
    }
    std::vector<std::string> lines = deckmemo::lines(*u.GeometryNEC2);
    if (lines.empty())
        return;
    const editor::RPRewrite rewrite = editor::RewriteRPCards(lines, 90 - elevation, azimuth, modeZeroElevationCounts);
    if (rewrite.modeMessage)
        window_.dialogs().showMessage(QString::fromStdString(*rewrite.modeMessage));
    deckmemo::setLines(*u.GeometryNEC2, lines);
}

void DirectRunCommands::AzimElevNEC2CheckClick()
{
    MainWindowControls& u = window_.ui();
    const bool checked = u.AzimElevNEC2Check->isChecked();
    u.Elevation1Field->setEnabled(checked);
    u.Azimuth1Field->setEnabled(checked);
    if (checked && complete(u.Elevation1Field) && complete(u.Azimuth1Field))
        applyAngleRule(true, editor::kAnglesOutOfRangeMessage);
}

void DirectRunCommands::Elevation1FieldChange()
{
    MainWindowControls& u = window_.ui();
    if (u.AzimElevNEC2Check->isChecked() && complete(u.Elevation1Field))
        applyAngleRule(true, editor::kAnglesOutOfRangeMessage);
}

void DirectRunCommands::Azimuth1FieldChange()
{
    MainWindowControls& u = window_.ui();
    if (u.AzimElevNEC2Check->isChecked() && complete(u.Azimuth1Field))
        applyAngleRule(false, editor::kAnglesOutOfRangeMessage);
}

void DirectRunCommands::StartNEC2ButtonClick()
{
    MainWindowControls& u = window_.ui();
    const std::vector<std::string> lines = deckmemo::lines(*u.GeometryNEC2);
    const editor::RPPairCheck check = editor::CheckRPPair(lines);
    if (!check.ok) {
        window_.dialogs().showMessage(QString::fromLatin1(editor::kIncorrectRPCardsMessage));
        if (!u.AzimElevNEC2Check->isChecked()) {
            u.AzimElevNEC2Check->setChecked(true);
            AzimElevNEC2CheckClick();
        }
        u.Elevation1Field->setEnabled(true);
        u.Azimuth1Field->setEnabled(true);
        if (complete(u.Elevation1Field) && complete(u.Azimuth1Field))
            applyAngleRule(true, editor::kAnglesOutOfRangeInfoMessage);
        return;
    }
    if (editor::AsksForSeveralFrequencies(lines)) {
        window_.dialogs().showMessage(QString::fromLatin1(editor::kOneFrequencyMessage));
        return;
    }
    resultmemo::append(*u.NEC2ResultSheetScreen, check.attentionLines());

    engine::CalculationRequest request;
    request.programFolder = window_.programFolder();
    request.workingFolder = window_.workingFolder();
    request.deckText = decktext::JoinLines(lines);
    request.parse.viewerSections = true; // the viewer shows what this reading read
    window_.session().SwrReference = window_.session().EditWindowSwrReference;

    engine::Calculation calculation;
    const bool running = calculation.start(request);
    if (running) {
        const QList<QWidget*> busy{u.TabSheet4, u.StartNEC2Button, &window_};
        for (QWidget* w : busy)
            w->setCursor(Qt::WaitCursor);
        u.StartNEC2Button->setEnabled(false);
        const bool goOn = window_.runs().wait(calculation);
        for (QWidget* w : busy)
            w->unsetCursor();
        u.StartNEC2Button->setEnabled(true);
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
