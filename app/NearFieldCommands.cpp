// "Electric" and "Magnetic" on "Currents and fields": the near field on a grid of points,
// computed by the engine and saved as comma-separated values.
#include "analyses/NearFieldRun.h"
#include "app/LocaleNumbers.h"
#include "app/MainWindow.h"
#include "app/MainWindowControls.h"
#include "app/NEC2InputPage.h"
#include "app/RunController.h"
#include "app/SaveStatus.h"
#include "app/UserDialogs.h"
#include "common/Messages.h"
#include "common/NumberText.h"
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

long long integerField(const QLineEdit* field)
{
    long long value = 0;
    if (!numtext::parseInteger(numtext::trimBlanks(field->text().toStdString()), value))
        throw FieldStop{QString::fromStdString(numtext::invalidIntegerMessage(field->text().toStdString()))};
    return value;
}

double realField(const QLineEdit* field)
{
    double value = 0;
    if (!localenum::readReal(field->text(), value))
        throw FieldStop{QString::fromStdString(numtext::invalidFloatMessage(field->text().toStdString()))};
    return value;
}

} // namespace

void TForm1::ElectricNFButtonClick()
{
    nearField(results::NearField::Electric);
}

void TForm1::MagneticNFButtonClick()
{
    nearField(results::NearField::Magnetic);
}

void TForm1::nearField(results::NearField field)
{
    MainWindowControls& u = ui();
    const results::NearFieldTexts& texts = results::Texts(field);
    analyses::NearFieldRun run;
    results::NearFieldGrid grid;
    std::vector<std::string> deck;
    try {
        const QLineEdit* counts[3] = {u.PointsXField, u.PointsYField, u.PointsZField};
        for (int k = 0; k < 3; ++k)
            grid.points[k] = integerField(counts[k]);
        const std::string refusal = results::CheckNearFieldGrid(grid);
        if (!refusal.empty())
            throw FieldStop{QString::fromStdString(refusal)};
        const QLineEdit* origin[3] = {u.X0Field, u.Y0Field, u.Z0Field};
        const QLineEdit* step[3] = {u.StepXField, u.StepYField, u.StepZField};
        for (int k = 0; k < 3; ++k) {
            grid.origin[k] = realField(origin[k]);
            grid.step[k] = realField(step[k]);
        }
        if (u.NFfromEditWindowCheck->isChecked()) {
            deck = nec2InputPage().deckRunLines();
            if (deck.empty())
                throw FieldStop{QString::fromLatin1(msg::kEditWindowEmpty)};
        } else if (!textlines::readAllLines(workingFile(QString::fromLatin1(engine::kDeckFile)).toStdString(), deck)) {
            throw FieldStop{QString::fromLatin1(msg::kIndataMissing)};
        }
        const int refusedLine = u.NFfromEditWindowCheck->isChecked() ? results::FirstRefusedNearFieldLine(deck) : -1;
        const std::string refusal2 = run.prepare(std::move(deck), field, grid);
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
        QPushButton* clicked = field == results::NearField::Electric ? u.ElectricNFButton : u.MagneticNFButton;
        const QList<QPushButton*> buttons{u.ElectricNFButton, u.MagneticNFButton, u.GFwriteButton};
        for (QPushButton* b : buttons)
            b->setEnabled(false);
        for (QWidget* w : {static_cast<QWidget*>(u.GroupBox7), static_cast<QWidget*>(clicked)})
            w->setCursor(Qt::WaitCursor);
        const bool goOn = runs_->wait(run.calculation());
        for (QPushButton* b : buttons)
            b->setEnabled(true);
        for (QWidget* w : {static_cast<QWidget*>(u.GroupBox7), static_cast<QWidget*>(clicked)})
            w->unsetCursor();
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
        u.PowerBudgetMemo->setPlainText(QString::fromStdString(*save.powerBudgetLine));
    if (!save.message.empty())
        dialogs_->showMessage(QString::fromStdString(save.message));
    else
        savestatus::saved(*statusBar(), messages::kSavedCsv, path);
}

} // namespace vrnnec
