// The commands on an antenna file: pick and preview it, and the two calculations
// (as described, and with dielectric coated wires).
#include "app/DeckFileCommands.h"
#include "app/GroundControls.h"
#include "app/LocaleNumbers.h"
#include "app/MainWindow.h"
#include "app/MainWindowControls.h"
#include "app/ResultMemo.h"
#include "app/ResultsTablePage.h"
#include "app/RunController.h"
#include "app/UserDialogs.h"
#include "common/CoatParameters.h"
#include "common/DeckText.h"
#include "common/NumberText.h"
#include "engine/AntennaPreview.h"
#include "engine/Calculation.h"
#include "engine/Conversion.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace vrnnec {

namespace {

// A field that does not convert stops the command with the conversion message.
struct ConversionStop {
    QString message;
};

double readField(const QString& text)
{
    double value = 0;
    if (!localenum::readReal(text, value))
        throw ConversionStop{QString::fromStdString(numtext::invalidFloatMessage(text.toStdString()))};
    return value;
}

} // namespace

void TForm1::ButtonVRNfileFindClick()
{
    const QString path = dialogs_->openFileName(QStringLiteral("VORNA files to be calculated"),
                                                QStringLiteral("VORNA files|*.vrn"), QDir::currentPath());
    if (path.isEmpty())
        return;
    OpenAntennaFile(path);
}

void TForm1::OpenAntennaFile(const QString& path)
{
    ui().VRNfileName->setPlainText(path);
    resultsTablePage().setAntennaFileName(path);
    previewAntennaFile(path, true);
}

void TForm1::OpenFile(const QString& path)
{
    const QString suffix = QFileInfo(path).suffix();
    if (suffix.compare(QLatin1String("wcf"), Qt::CaseInsensitive) == 0
        || suffix.compare(QLatin1String("nec"), Qt::CaseInsensitive) == 0) {
        ui().PageControl1->setCurrentWidget(ui().TabSheet4);
        deckFiles_->OpenDeckFile(path);
        return;
    }
    OpenAntennaFile(path);
}

void TForm1::RefreshButtonClick()
{
    previewAntennaFile(ui().VRNfileName->toPlainText(), false);
}

void TForm1::previewAntennaFile(const QString& path, bool picked)
{
    MainWindowControls& u = ui();
    const AntennaPreviewReading reading = ReadAntennaPreview(path.toStdString());
    if (!reading.ok()) {
        dialogs_->showMessage(QString::fromStdString(reading.message));
        return;
    }
    const AntennaPreview& preview = reading.preview;

    // Ground controls from the ground type.
    ground::ControlsState state = groundControls_->state();
    state.perfectEnabled = preview.groundType != antenna::GroundType::FreeSpace;
    state.sommerfeldEnabled = preview.groundType == antenna::GroundType::RealGround;
    state.perfectChecked = preview.groundType != antenna::GroundType::RealGround;
    state.sommerfeldChecked = preview.groundType == antenna::GroundType::RealGround;
    state.epsEnabled = state.sigmaEnabled = state.standardEnabled =
        preview.groundType == antenna::GroundType::RealGround;
    groundControls_->setState(state);

    session().FileFrequency = preview.frequency;
    session().FileHeight = preview.groundType == antenna::GroundType::FreeSpace ? 0 : preview.height;
    session().FileSwrReference = engine::SwrReference{preview.swrReferenceR, preview.swrReferenceX};

    if (picked)
        session().commands.antennaFile = true;
    u.FreqField->setText(localenum::general(session().FileFrequency));
    resultsTablePage().resetParameterChange(session().FileHeight, session().FileFrequency, picked);

    const std::vector<double> radii = DistinctRadiiMm(preview);
    u.RwDField->clear();
    for (double radius : radii)
        u.RwDField->addItem(localenum::general(radius));
    if (!radii.empty())
        u.RwDField->setEditText(localenum::general(radii.front()));

    // Shrinking is offered only for antennas made of one wire radius.
    const bool oneRadius = radii.size() == 1;
    if (!oneRadius) {
        u.UkorBar->setValue(0);
        u.UkorField->setText(QStringLiteral("0"));
    }
    for (QWidget* w : {static_cast<QWidget*>(u.UkorField), static_cast<QWidget*>(u.UkorBar),
                       static_cast<QWidget*>(u.X_Shrinking_CheckBox), static_cast<QWidget*>(u.Y_Shrinking_CheckBox),
                       static_cast<QWidget*>(u.Z_Shrinking_CheckBox)})
        w->setEnabled(oneRadius);

    session().commands.listingShown = false;
    session().commands.anglesRerun = false;
    session().commands.sweepUpToDate = false;
    updateCommands();
}

// The parameters both calculations read alike.
static conversion::ConversionOptions commonSettings(MainWindowControls& u)
{
    conversion::ConversionOptions s;
    s.useDM2 = u.DM2AllSegmentationCheck->isChecked();
    s.useCSDVS = u.CDSVSCheck->isChecked();
    s.thetaDeg = 90 - readField(u.AngleElevField->text());
    s.azimuthDeg = readField(u.AngleAzField->text());
    s.useEK = u.EKSwitchCheck->isChecked();
    s.groundEps = readField(u.EPSField->text());
    s.groundSigma = readField(u.SigmaField->text()) * 0.001;
    s.perfectGround = u.PGround->isChecked();
    return s;
}

void TForm1::Execute_OriginalClick()
{
    MainWindowControls& u = ui();
    session().CoatedRun = false;
    conversion::ConversionOptions s;
    try {
        s = commonSettings(u);
        session().AntennaHeight = 30;
        s.frequencyMHz = 14;
        if (resultsTablePage().changesParameters()) {
            s.changeFrequency = s.changeHeight = true;
            s.frequencyMHz = readField(resultsTablePage().frequencyText());
            session().AntennaHeight = readField(resultsTablePage().heightText());
        }
    } catch (const ConversionStop& stop) {
        dialogs_->showMessage(stop.message);
        return;
    }
    calculate(s);
}

void TForm1::ExecuteClick()
{
    MainWindowControls& u = ui();
    session().CoatedRun = true;
    conversion::ConversionOptions s;
    coat::CoatInputs coatInputs;
    try {
        s = commonSettings(u);
        s.changeFrequency = true;
        s.frequencyMHz = readField(u.FreqField->text());
        session().AntennaHeight = 30;
        if (resultsTablePage().changesParameters()) {
            s.changeHeight = true;
            session().AntennaHeight = readField(resultsTablePage().heightText());
        }
        coatInputs.wireRadiusMm = readField(u.RwDField->currentText());
        coatInputs.coatRadiusMm = readField(u.RDField->text());
        coatInputs.permittivity = readField(u.EpsDielField->text());
        coatInputs.shorterPercent = readField(u.UkorField->text());
    } catch (const ConversionStop& stop) {
        dialogs_->showMessage(stop.message);
        return;
    }
    coatInputs.shrinkX = u.X_Shrinking_CheckBox->isChecked();
    coatInputs.shrinkY = u.Y_Shrinking_CheckBox->isChecked();
    coatInputs.shrinkZ = u.Z_Shrinking_CheckBox->isChecked();
    const std::string coatMessage = coat::computeCoatParameters(coatInputs, s.coat);
    if (!coatMessage.empty()) {
        dialogs_->showMessage(QString::fromStdString(coatMessage));
        return;
    }
    calculate(s);
}

void TForm1::calculate(conversion::ConversionOptions settings)
{
    MainWindowControls& u = ui();
    settings.heightM = session().AntennaHeight;
    engine::CalculationRequest request;
    request.programFolder = programFolder_;
    request.workingFolder = workingFolder_;
    request.antenna = engine::AntennaConversion{u.VRNfileName->toPlainText().toStdString(), settings};
    request.convertOnly = u.ShowNEC2InputCheck->isChecked();
    request.parse.viewerSections = true; // the viewer shows what this reading read

    engine::Calculation calculation;
    const bool running = calculation.start(request);
    const engine::CalculationResult& result = calculation.result();
    session().AntennaHeight = result.conversion.heightM;
    if (result.outcome == engine::CalculationOutcome::ConversionFailed) {
        dialogs_->showMessage(QString::fromStdString(result.message));
        return;
    }
    session().SwrReference = session().FileSwrReference;
    u.ReadADMCheck->setChecked(false);

    if (result.outcome == engine::CalculationOutcome::Converted) {
        QStringList listed{QStringLiteral("*******"), QStringLiteral("Input NEC-2 file:")};
        QFile deck(engine::Calculation::deckPath(request));
        if (deck.open(QIODevice::ReadOnly)) {
            const QByteArray bytes = deck.readAll();
            for (const std::string& line : decktext::SplitLines(std::string_view(bytes.constData(), bytes.size())))
                listed << QString::fromLatin1(line.data(), static_cast<qsizetype>(line.size()));
        }
        listed << QStringLiteral("*******");
        resultmemo::append(*u.Memo1, listed);
        u.StartNEC2Button->setEnabled(true);
        session().commands.anglesRerun = true;
        session().commands.sweepUpToDate = true;
        updateCommands();
        return;
    }

    if (running) {
        session().commands.running = true;
        updateCommands();
        const QList<QWidget*> busy = session().CoatedRun ? QList<QWidget*>{u.GroupBox3, u.Execute}
                                                         : QList<QWidget*>{u.TabSheet1, u.Execute_Original};
        for (QWidget* w : busy)
            w->setCursor(Qt::WaitCursor);
        const Command calculationCommand = session().CoatedRun ? Command::CalculateCoated : Command::CalculateOriginal;
        resultsTablePage().showBusy(calculationCommand, true);

        const bool goOn = runs_->wait(calculation);

        session().commands.running = false;
        updateCommands();
        for (QWidget* w : busy)
            w->unsetCursor();
        resultsTablePage().showBusy(calculationCommand, false);
        if (!goOn)
            return;
    }

    if (result.outcome != engine::CalculationOutcome::Finished) {
        dialogs_->showMessage(QString::fromStdString(result.message));
        return;
    }
    session().HeightUnknown = false;
    ReadEngineOutput(result.listing);
    rpPlotsPage().enablePolarization();
}

} // namespace vrnnec
