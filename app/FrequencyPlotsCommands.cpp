// "Frequency plots": opens the sweep window on the deck of the last calculation.
#include "app/FreqPlotsForm.h"
#include "app/LocaleNumbers.h"
#include "app/MainWindow.h"
#include "app/NEC2InputPage.h"
#include "app/ResultsTablePage.h"
#include "app/UserDialogs.h"
#include "common/TextLines.h"
#include "engine/EngineRun.h"

#include <QFile>
#include "engine/EngineJobs.h"

namespace vrnnec {

void TForm1::FreqPlotsShowMenuItemClick()
{
    const QString buffer = workingFile(QString::fromLatin1(engine::kDeckFile));
    std::vector<std::string> deck;
    if (!QFile::exists(buffer) || !textlines::readAllLines(buffer.toStdString(), deck)) {
        dialogs_->showMessage(QString::fromLatin1(analyses::sweepmessages::kBufferMissing));
        return;
    }
    delete freqPlotsForm_;

    double centre = 0;
    if (!localenum::readReal(resultsTablePage().frequencyText(), centre)) {
        centre = 14;
        dialogs_->showMessage(QString::fromLatin1(analyses::sweepmessages::kCheckFrequency));
    }
    FreqPlotsContext context;
    context.programFolder = programFolder_;
    context.workingFolder = workingFolder_;
    context.dialogs = dialogs_;
    context.swrReference = &session_.SwrReference;
    context.readAdmittance = [this] { return nec2InputPage().readAdmittance(); };
    context.disableViewer = [this] { setViewerEnabled(false); };
    context.processes = engine::EngineJobs(workingFolder_, programFolder_);
    freqPlotsForm_ = new TFreqPlotsForm(context, std::move(deck), centre, this);
    // The main window takes no input while the sweep window is open.
    freqPlotsForm_->setWindowModality(Qt::WindowModal);
    freqPlotsForm_->show();
    freqPlotsForm_->move(geometry().center() - freqPlotsForm_->rect().center());
    freqPlotsForm_->raise();
    freqPlotsForm_->activateWindow();
}

TFreqPlotsForm* TForm1::freqPlotsForm() const
{
    return freqPlotsForm_.data();
}

} // namespace vrnnec
