// What the window does with a listing: the reading into the table and memos, the
// pattern diagrams with their save commands, and the currents chart with its export.
#include "app/CurrentsPage.h"
#include "app/LocaleNumbers.h"
#include "app/MainWindow.h"
#include "app/MainWindowControls.h"
#include "app/RPPlotsPage.h"
#include "app/ResultMemo.h"
#include "app/ResultsTablePage.h"
#include "app/SaveStatus.h"
#include "app/UserDialogs.h"
#include "common/AtomicFile.h"
#include "common/Messages.h"
#include "common/NumberText.h"
#include "engine/EngineRun.h"
#include "engine/ListingReader.h"
#include "results/CurrentsCsv.h"
#include "results/DiagramFiles.h"
#include "results/RunTexts.h"
#include "results/WireCurrents.h"

#include <QChart>
#include <QDir>
#include <QLineSeries>
#include <QStatusBar>
#include <QSignalBlocker>
#include <QValueAxis>

namespace vrnnec {

void TForm1::ReadEngineOutput()
{
    engine::ParseOptions options;
    options.readAdmittance = ui().ReadADMCheck->isChecked();
    options.viewerSections = true;
    ReadEngineOutput(
        engine::ParseListing(workingFile(QString::fromLatin1(engine::kListingFile)).toStdString(), options));
}

void TForm1::ReadEngineOutput(const engine::ListingData& listing)
{
    MainWindowControls& u = ui();
    rpPlotsPage().clearResults();
    resultsTablePage().clearSummary();
    ++session().RunNumber;
    setViewerEnabled(false);

    engine::ReadingInputs inputs;
    inputs.runNumber = session().RunNumber;
    inputs.antennaHeight = session().AntennaHeight;
    inputs.heightUnknown = session().HeightUnknown;
    inputs.coatedRun = session().CoatedRun;
    inputs.readAdmittance = u.ReadADMCheck->isChecked();
    const engine::EngineOutput output = engine::SummariseListing(listing, inputs, session().SwrReference);
    const results::RunTexts texts = results::FormatRunTexts(output, inputs, session().SwrReference);

    // Replay what the reading produced, then show its message.
    if (output.tags) {
        const QSignalBlocker block(u.TagNumField);
        u.TagNumField->clear();
        for (const std::string& tag : *output.tags)
            u.TagNumField->addItem(QString::fromStdString(tag));
    }
    if (output.wavelength)
        session().Wavelength = *output.wavelength;
    rpPlotsPage().appendSummary(texts.memos.impedanceScreen);
    resultmemo::append(*u.Memo1, texts.memos.memo1);
    resultmemo::append(*u.NEC2ResultSheetScreen, texts.memos.nec2ResultSheetScreen);
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
    u.FreqField->setText(localenum::general(output.frequency.value_or(0)));
    resultsTablePage().setHeight(session().AntennaHeight);
    session().commands.resultsRead = true;
    updateCommands();
    if (u.TagNumField->count() > 0) {
        {
            const QSignalBlocker block(u.TagNumField);
            u.TagNumField->setCurrentIndex(0);
        }
        long long tag = 0;
        if (numtext::parseInteger(u.TagNumField->itemText(0).toStdString(), tag))
            ChartWireCurrents(tag, u.LLCheckBox->isChecked());
    }
    for (QWidget* w : {u.GFwriteButton, u.ElectricNFButton, u.MagneticNFButton})
        w->setEnabled(true);
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
    const results::ProposedFile proposal = results::proposedFile(ui().VRNfileName->toPlainText().toStdString(), suffix);
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
        session().CurrentLines, session().Wavelength, tag, inWavelengths, ui().PHIndCheckBox->isChecked());
    currentsPage().chartModel()->setTitle(QString::fromStdString(chart.title));
    if (chart.setAxis)
        currentsPage().axisLeft()->setRange(chart.axisMinimum, chart.axisMaximum);
    if (chart.replaceSeries) {
        QList<QPointF> points;
        points.reserve(static_cast<qsizetype>(chart.points.size()));
        for (const results::CurrentPoint& p : chart.points)
            points.append(QPointF(p.distance, p.current));
        currentsPage().series()->replace(points);
    }
    if (!chart.message.empty())
        dialogs_->showMessage(QString::fromStdString(chart.message));
}

void TForm1::TagNumFieldChange()
{
    std::vector<std::string> items;
    for (int i = 0; i < ui().TagNumField->count(); ++i)
        items.push_back(ui().TagNumField->itemText(i).toStdString());
    const results::TagChoice choice = results::chooseTag(ui().TagNumField->currentText().toStdString(), items);
    switch (choice.action) {
    case results::TagChoice::Action::Chart: ChartWireCurrents(choice.tag, ui().LLCheckBox->isChecked()); break;
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
    MainWindowControls& u = ui();
    RPPlotsPage& rpPlots = rpPlotsPage();
    connect(&rpPlots, &RPPlotsPage::polarizationChosen, this, [this] { ShowPolarization(); });
    connect(&rpPlots, &RPPlotsPage::saveAzimuthRequested, this, [this] { SaveRPClick(); });
    connect(u.ElectricNFButton, &QPushButton::clicked, this, [this] { ElectricNFButtonClick(); });
    connect(u.MagneticNFButton, &QPushButton::clicked, this, [this] { MagneticNFButtonClick(); });
    connect(&rpPlots, &RPPlotsPage::saveElevationRequested, this, [this] { SaveElevationPlotClick(); });
    connect(&rpPlots, &RPPlotsPage::saveResultsRequested, this, [this] { SaveResClick(); });

    connect(u.TagNumField, &QComboBox::currentTextChanged, this, [this] { TagNumFieldChange(); });
    connect(u.LLCheckBox, &QCheckBox::clicked, this, [this] { TagNumFieldChange(); });
    connect(u.PHIndCheckBox, &QCheckBox::clicked, this, [this] { TagNumFieldChange(); });
    connect(u.SaveCurrentButton, &QPushButton::clicked, this, [this] { SaveCurrentButtonClick(); });
    connectGreenFunctionCommands();
}

} // namespace vrnnec
