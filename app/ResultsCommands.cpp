// What the window does with a listing: the reading into the table and memos, the
// pattern diagrams with their save commands, and the currents chart with its export.
#include "app/CurrentsPage.h"
#include "app/DataSheetPage.h"
#include "app/LocaleNumbers.h"
#include "app/MainWindow.h"
#include "app/NEC2InputPage.h"
#include "app/RPPlotsPage.h"
#include "app/ResultMemo.h"
#include "app/ResultsTablePage.h"
#include "app/SaveStatus.h"
#include "app/UserDialogs.h"
#include "common/AtomicFile.h"
#include "common/Messages.h"
#include "engine/EngineRun.h"
#include "engine/ListingReader.h"
#include "results/CurrentsCsv.h"
#include "results/DiagramFiles.h"
#include "results/RunTexts.h"
#include "results/WireCurrents.h"

#include <QDir>
#include <QStatusBar>

namespace vrnnec {

void TForm1::ReadEngineOutput()
{
    engine::ParseOptions options;
    options.readAdmittance = nec2InputPage().readAdmittance();
    options.viewerSections = true;
    ReadEngineOutput(
        engine::ParseListing(workingFile(QString::fromLatin1(engine::kListingFile)).toStdString(), options));
}

void TForm1::ReadEngineOutput(const engine::ListingData& listing)
{
    rpPlotsPage().clearResults();
    resultsTablePage().clearSummary();
    ++session().RunNumber;
    setViewerEnabled(false);

    engine::ReadingInputs inputs;
    inputs.runNumber = session().RunNumber;
    inputs.antennaHeight = session().AntennaHeight;
    inputs.heightUnknown = session().HeightUnknown;
    inputs.coatedRun = session().CoatedRun;
    inputs.readAdmittance = nec2InputPage().readAdmittance();
    const engine::EngineOutput output = engine::SummariseListing(listing, inputs, session().SwrReference);
    const results::RunTexts texts = results::FormatRunTexts(output, inputs, session().SwrReference);

    // Replay what the reading produced, then show its message.
    if (output.tags)
        currentsPage().setTags(*output.tags);
    if (output.wavelength)
        session().Wavelength = *output.wavelength;
    rpPlotsPage().appendSummary(texts.memos.impedanceScreen);
    dataSheetPage().appendToMemo(texts.memos.memo1);
    nec2InputPage().appendResults(texts.memos.nec2ResultSheetScreen);
    resultsTablePage().appendRun(texts.memos.impedanceScreen1, texts.table);
    session().CurrentLines = output.currents;
    session().ViewerLines = listing.viewer;
    session().PatternLines = output.patterns;
    if (!output.succeeded()) {
        dialogs_->showMessage(QString::fromStdString(output.message));
        return;
    }

    session().MaxTotalGain = output.maxTotalGain.value_or(0);
    ShowPolarization();
    dataSheetPage().setFrequency(output.frequency.value_or(0));
    resultsTablePage().setHeight(session().AntennaHeight);
    session().commands.resultsRead = true;
    updateCommands();
    if (const std::optional<long long> tag = currentsPage().selectFirstTag())
        ChartWireCurrents(*tag, currentsPage().distanceInWavelengths());
    currentsPage().setFieldRunsEnabled(true);
    session().commands.listingShown = true;
    session().commands.anglesRerun = true;
    session().commands.sweepUpToDate = true;
    updateCommands();
    session().CoatedRun = false;
    ReloadViewer();
}

void TForm1::ShowPolarization()
{
    const results::PolarizationOutcome outcome =
        rpPlotsPage().showPatterns(session().PatternLines, session().MaxTotalGain);
    if (outcome.enableSave && !session().commands.curvesDrawn) {
        session().commands.curvesDrawn = true;
        updateCommands();
    }
    for (const std::string& message : outcome.messages)
        dialogs_->showMessage(QString::fromStdString(message));
    rpPlotsPage().setOuterRingText(QString::fromStdString(outcome.outerRingText));
}

QString TForm1::proposeSave(const char* suffix, const QString& title, const QString& filter,
                            const QString& defaultSuffix)
{
    const results::ProposedFile proposal = results::proposedFile(dataSheetPage().antennaPath().toStdString(), suffix);
    return dialogs_->saveFileName(title, filter, defaultSuffix, QString::fromStdString(proposal.folder),
                                  QString::fromStdString(proposal.fileName));
}

void TForm1::saveDiagram(const QImage& image, const char* suffix, const QString& title)
{
    const QString path =
        proposeSave(suffix, title, QStringLiteral("Diagram bitmap file (*.bmp)|*.bmp"), QStringLiteral("*.bmp"));
    if (path.isEmpty())
        return;
    savestatus::clear(*statusBar());
    if (!results::saveDiagramBitmap(image, path.toStdString()))
        dialogs_->showMessage(QString::fromStdString(atomicfile::UnableToWriteMessage(path.toStdString())));
    else
        savestatus::saved(*statusBar(), messages::kSavedBitmap, path);
}

void TForm1::SaveRPClick()
{
    saveDiagram(rpPlotsPage().diagrams().azimuth, results::kAzimuthPlotSuffix, QStringLiteral("Save azimuth diagram"));
}

void TForm1::SaveElevationPlotClick()
{
    saveDiagram(rpPlotsPage().diagrams().elevation, results::kElevationPlotSuffix,
                QStringLiteral("Save elevation diagram"));
}

void TForm1::SaveResClick()
{
    const QString path = proposeSave(results::kResultsTextSuffix, QStringLiteral("Save all info from results window"),
                                     QStringLiteral("NEC-2 Results text file (*.txt)|*.txt"), QStringLiteral("*.txt"));
    if (path.isEmpty())
        return;
    savestatus::clear(*statusBar());
    if (!results::saveResultsText(rpPlotsPage().summaryLines(), path.toStdString()))
        dialogs_->showMessage(QString::fromStdString(atomicfile::UnableToWriteMessage(path.toStdString())));
    else
        savestatus::saved(*statusBar(), messages::kSavedText, path);
}

void TForm1::ChartWireCurrents(long long tag, bool inWavelengths)
{
    const results::WireCurrentChart chart = results::ChartWireCurrents(
        session().CurrentLines, session().Wavelength, tag, inWavelengths, currentsPage().phaseIndicated());
    currentsPage().showCurrents(chart);
    if (!chart.message.empty())
        dialogs_->showMessage(QString::fromStdString(chart.message));
}

void TForm1::TagNumFieldChange()
{
    const results::TagChoice choice = currentsPage().tagChoice();
    switch (choice.action) {
    case results::TagChoice::Action::Chart:
        ChartWireCurrents(choice.tag, currentsPage().distanceInWavelengths());
        break;
    case results::TagChoice::Action::Error: dialogs_->showMessage(QString::fromStdString(choice.message)); break;
    case results::TagChoice::Action::Nothing: break;
    }
}

void TForm1::SaveCurrentButtonClick()
{
    const QString path = dialogs_->saveFileName(QStringLiteral("Save currents in file"),
                                                QStringLiteral("Comma separated value file (*.csv)|*.csv"),
                                                QStringLiteral("csv"), QDir::currentPath(), QString());
    if (path.isEmpty())
        return;
    savestatus::clear(*statusBar());
    const std::string message =
        results::exportCurrents(session().CurrentLines, session().Wavelength, path.toStdString());
    if (!message.empty())
        dialogs_->showMessage(QString::fromStdString(message));
    else
        savestatus::saved(*statusBar(), messages::kSavedCsv, path);
}

void TForm1::connectCommands()
{
    // The commands with several entries are actions (createCommandActions).
    RPPlotsPage& rpPlots = rpPlotsPage();
    connect(&rpPlots, &RPPlotsPage::polarizationChosen, this, [this] { ShowPolarization(); });
    connect(&rpPlots, &RPPlotsPage::saveAzimuthRequested, this, [this] { SaveRPClick(); });
    connect(currents_, &CurrentsPage::nearFieldRequested, this,
            [this](results::NearField field) { nearField(field); });
    connect(&rpPlots, &RPPlotsPage::saveElevationRequested, this, [this] { SaveElevationPlotClick(); });
    connect(&rpPlots, &RPPlotsPage::saveResultsRequested, this, [this] { SaveResClick(); });

    connect(currents_, &CurrentsPage::currentsChoiceChanged, this, [this] { TagNumFieldChange(); });
    connect(currents_, &CurrentsPage::saveCurrentsRequested, this, [this] { SaveCurrentButtonClick(); });
    connectGreenFunctionCommands();
}

} // namespace vrnnec
