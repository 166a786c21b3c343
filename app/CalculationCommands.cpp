// The commands on an antenna file: pick and preview it, and the two calculations
// (as described, and with dielectric coated wires).
#include "app/DataSheetPage.h"
#include "app/DeckFileCommands.h"
#include "app/LocaleNumbers.h"
#include "app/MainWindow.h"
#include "app/NEC2InputPage.h"
#include "app/RPPlotsPage.h"
#include "app/ResultMemo.h"
#include "app/ResultsTablePage.h"
#include "app/RunController.h"
#include "app/UserDialogs.h"
#include "common/CoatParameters.h"
#include "common/DeckText.h"
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
    localenum::FieldReader read;
    const double value = read(text);
    if (!read.refusal.isEmpty())
        throw ConversionStop{read.refusal};
    return value;
}

// The values the page read, or the stop with the message of its first refused field.
template <typename T>
T take(const DataSheetPage::Checked<T>& checked)
{
    if (!checked.ok())
        throw ConversionStop{checked.refusal};
    return checked.value;
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
    dataSheetPage().setAntennaPath(path);
    resultsTablePage().setAntennaFileName(path);
    previewAntennaFile(path, true);
}

void TForm1::OpenFile(const QString& path)
{
    const QString suffix = QFileInfo(path).suffix();
    if (suffix.compare(QLatin1String("wcf"), Qt::CaseInsensitive) == 0
        || suffix.compare(QLatin1String("nec"), Qt::CaseInsensitive) == 0) {
        showPage(nec2InputPage());
        deckFiles_->OpenDeckFile(path);
        return;
    }
    OpenAntennaFile(path);
}

void TForm1::RefreshButtonClick()
{
    previewAntennaFile(dataSheetPage().antennaPath(), false);
}

void TForm1::previewAntennaFile(const QString& path, bool picked)
{
    const AntennaPreviewReading reading = ReadAntennaPreview(path.toStdString());
    if (!reading.ok()) {
        dialogs_->showMessage(QString::fromStdString(reading.message));
        return;
    }
    const AntennaPreview& preview = reading.preview;

    // Ground choices, frequency and wire radii on "Data sheet".
    dataSheetPage().showPreview(preview);

    session().FileFrequency = preview.frequency;
    session().FileHeight = preview.groundType == antenna::GroundType::FreeSpace ? 0 : preview.height;
    session().FileSwrReference = engine::SwrReference{preview.swrReferenceR, preview.swrReferenceX};

    if (picked)
        session().commands.antennaFile = true;
    resultsTablePage().resetParameterChange(session().FileHeight, session().FileFrequency, picked);

    session().commands.listingShown = false;
    session().commands.anglesRerun = false;
    session().commands.sweepUpToDate = false;
    updateCommands();
}

void TForm1::Execute_OriginalClick()
{
    session().CoatedRun = false;
    conversion::ConversionOptions s;
    try {
        s = take(dataSheetPage().conversionOptions());
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
    session().CoatedRun = true;
    conversion::ConversionOptions s;
    coat::CoatInputs coatInputs;
    try {
        s = take(dataSheetPage().conversionOptions());
        s.changeFrequency = true;
        s.frequencyMHz = take(dataSheetPage().frequencyMHz());
        session().AntennaHeight = 30;
        if (resultsTablePage().changesParameters()) {
            s.changeHeight = true;
            session().AntennaHeight = readField(resultsTablePage().heightText());
        }
        coatInputs = take(dataSheetPage().coatInputs());
    } catch (const ConversionStop& stop) {
        dialogs_->showMessage(stop.message);
        return;
    }
    const std::string coatMessage = coat::computeCoatParameters(coatInputs, s.coat);
    if (!coatMessage.empty()) {
        dialogs_->showMessage(QString::fromStdString(coatMessage));
        return;
    }
    calculate(s);
}

void TForm1::calculate(conversion::ConversionOptions settings)
{
    settings.heightM = session().AntennaHeight;
    engine::CalculationRequest request;
    request.programFolder = programFolder_;
    request.workingFolder = workingFolder_;
    request.antenna = engine::AntennaConversion{dataSheetPage().antennaPath().toStdString(), settings};
    request.convertOnly = dataSheetPage().convertOnly();
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
    nec2InputPage().setReadAdmittance(false);

    if (result.outcome == engine::CalculationOutcome::Converted) {
        QStringList listed{QStringLiteral("*******"), QStringLiteral("Input NEC-2 file:")};
        QFile deck(engine::Calculation::deckPath(request));
        if (deck.open(QIODevice::ReadOnly)) {
            const QByteArray bytes = deck.readAll();
            for (const std::string& line : decktext::SplitLines(std::string_view(bytes.constData(), bytes.size())))
                listed << QString::fromLatin1(line.data(), static_cast<qsizetype>(line.size()));
        }
        listed << QStringLiteral("*******");
        dataSheetPage().appendToMemo(listed);
        nec2InputPage().setStartEnabled(true);
        session().commands.anglesRerun = true;
        session().commands.sweepUpToDate = true;
        updateCommands();
        return;
    }

    if (running) {
        session().commands.running = true;
        updateCommands();
        const bool coated = session().CoatedRun;
        dataSheetPage().setCalculationBusy(coated, true);
        const Command calculationCommand = session().CoatedRun ? Command::CalculateCoated : Command::CalculateOriginal;
        resultsTablePage().showBusy(calculationCommand, true);

        const bool goOn = runs_->wait(calculation);

        session().commands.running = false;
        updateCommands();
        dataSheetPage().setCalculationBusy(coated, false);
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
