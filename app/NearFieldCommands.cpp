// "Electric" and "Magnetic" on "Currents and fields": the near field on a grid of points,
// computed by the engine and saved as comma-separated values.
#include "analyses/NearFieldRun.h"
#include "app/CurrentsPage.h"
#include "app/MainWindow.h"
#include "app/NEC2InputPage.h"
#include "app/RunController.h"
#include "app/SaveStatus.h"
#include "app/UserDialogs.h"
#include "common/Messages.h"
#include "common/TextLines.h"
#include "engine/Calculation.h"
#include "results/NearField.h"

#include <QFile>
#include <QStatusBar>

namespace vrnnec {

namespace {

namespace msg = results::nearfieldmessages;

struct FieldStop {
    QString message;
};

} // namespace

void TForm1::nearField(results::NearField field)
{
    const results::NearFieldTexts& texts = results::Texts(field);
    analyses::NearFieldRun run;
    const NearFieldRequest request = currentsPage().nearFieldRequest();
    std::vector<std::string> deck;
    try {
        if (!request.refusal.isEmpty())
            throw FieldStop{request.refusal};
        if (request.fromEditWindow) {
            deck = nec2InputPage().deckRunLines();
            if (deck.empty())
                throw FieldStop{QString::fromLatin1(msg::kEditWindowEmpty)};
        } else if (!textlines::readAllLines(workingFile(QString::fromLatin1(engine::kDeckFile)).toStdString(), deck)) {
            throw FieldStop{QString::fromLatin1(msg::kIndataMissing)};
        }
        const int refusedLine = request.fromEditWindow ? results::FirstRefusedNearFieldLine(deck) : -1;
        const std::string refusal2 = run.prepare(std::move(deck), field, request.grid);
        if (!refusal2.empty()) {
            if (refusedLine >= 0)
                nec2InputPage().selectDeckLine(refusedLine);
            throw FieldStop{QString::fromStdString(refusal2)};
        }
    } catch (const FieldStop& stop) {
        dialogs_->showMessage(stop.message);
        return;
    }

    if (run.start(programFolder_, workingFolder_)) {
        const FieldRun busy = field == results::NearField::Electric ? FieldRun::ElectricField : FieldRun::MagneticField;
        currentsPage().setRunBusy(busy, true);
        const bool goOn = runs_->wait(run.calculation());
        currentsPage().setRunBusy(busy, false);
        if (!goOn)
            return;
    }
    if (!run.finished()) {
        dialogs_->showMessage(QString::fromStdString(run.message()));
        return;
    }

    const QString path =
        dialogs_->saveFileName(QString::fromLatin1(texts.dialogTitle), QString::fromLatin1(msg::kFilter),
                               QString::fromLatin1(msg::kDefaultSuffix), QString(), QString());
    if (path.isEmpty())
        return;
    savestatus::clear(*statusBar());
    const results::NearFieldSave save = run.save(path.toStdString());
    if (save.powerBudgetLine)
        currentsPage().showPowerBudget(QString::fromStdString(*save.powerBudgetLine));
    if (!save.message.empty())
        dialogs_->showMessage(QString::fromStdString(save.message));
    else
        savestatus::saved(*statusBar(), messages::kSavedCsv, path);
}

} // namespace vrnnec
