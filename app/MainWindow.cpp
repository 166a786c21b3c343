#include "app/CurrentsPage.h"
#include "app/DataSheetPage.h"
#include "app/MainWindow.h"

#include "app/DeckFileCommands.h"
#include "app/DesktopKeys.h"
#include "app/DirectRunCommands.h"
#include "app/EditorCommands.h"
#include "app/NEC2InputPage.h"
#include "app/OptimizeCommands.h"
#include "app/GroundControls.h"
#include "app/GroundDialog.h"
#include "app/LazyPage.h"
#include "app/QtUserDialogs.h"
#include "app/RPPlotsPage.h"
#include "app/ResultsTablePage.h"
#include "app/RunController.h"
#include "app/SettingsFile.h"
#include "app/WorkPlacesKeeper.h"
#include "engine/WorkingFolder.h"
#include "ui_MainWindowFrame.h"

#include <QAbstractButton>
#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QMenu>
#include <QResizeEvent>
#include <QStatusBar>

namespace vrnnec {

TForm1::TForm1(const AppContext& context, QWidget* parent)
    : QMainWindow(parent), frame_(std::make_unique<Ui::MainWindowFrame>()),
      programFolder_(QDir::cleanPath(context.programFolder)),
      workingFolder_(engine::ChooseWorkingFolder(programFolder_))
{
    dialogs_ = context.dialogs;
    if (dialogs_ == nullptr) {
        ownDialogs_ = std::make_unique<QtUserDialogs>(this);
        dialogs_ = ownDialogs_.get();
    }
    workPlaces_ = new WorkPlacesKeeper(*this);
    dialogs_ = workPlaces_->wrap(*dialogs_);
    runs_ = new RunController(*this, *dialogs_);

    // At the start only the frame and the page on show are built: the other pages, with
    // their rules and commands, when first needed (buildPages).
    frame_->setupUi(this);
    createCommandActions();
    setUpPages();
    groundControls_ = &dataSheet_->groundControls();
    setUpPopupMenus();
    connectRules();
    InstallDesktopKeys(*this);
    workPlaces_->attach();
    PrepareProg();
    updateCommands();
    connect(frame_->PageControl1, &QTabWidget::currentChanged, this, [this] { buildPages(); });
}

void TForm1::buildPages()
{
    if (pagesBuilt_)
        return;
    pagesBuilt_ = true;
    for (LazyPage* page : std::initializer_list<LazyPage*>{resultsTable_, rpPlots_, nec2Input_, currents_})
        page->ensureBuilt();
    bindPageEntries();
    resultsTable_->setTableMenu(accessoriesPopupMenu_);
    connectPageRules();
    connectCommands();
    deckFiles_ = new DeckFileCommands(*this);
    directRuns_ = new DirectRunCommands(*this);
    new EditorCommands(*this);
    new OptimizeCommands(*this);
    workPlaces_->attachPages();
    applyPendingSettings();
    updateCommands();
    // The fields that mirror fields of the first page start with their texts.
    const DataSheetPage::PatternAngles angles = dataSheet_->patternAngles();
    nec2Input_->setElevationText(angles.elevationText);
    nec2Input_->setAzimuthText(angles.azimuthText);
    resultsTable_->setFrequencyText(dataSheet_->frequencyText());
}

void TForm1::createCommandActions()
{
    const auto make = [this](Command command, const char* name, QAction* existing = nullptr) {
        QAction* action = existing;
        if (action == nullptr) {
            action = new QAction(this);
            action->setObjectName(QString::fromLatin1(name));
        }
        commands_.at(static_cast<std::size_t>(command)) = action;
        return action;
    };
    connect(make(Command::FindAntennaFile, "FindAntennaFileCommand"), &QAction::triggered, this,
            [this] { ButtonVRNfileFindClick(); });
    connect(make(Command::Refresh, "RefreshCommand"), &QAction::triggered, this, [this] { RefreshButtonClick(); });
    connect(make(Command::CalculateOriginal, "CalculateOriginalCommand"), &QAction::triggered, this,
            [this] { Execute_OriginalClick(); });
    connect(make(Command::CalculateCoated, "CalculateCoatedCommand"), &QAction::triggered, this,
            [this] { ExecuteClick(); });
    // The menu entries of the frame are the actions of their commands.
    connect(make(Command::Viewer, nullptr, frame_->ViewerCall), &QAction::triggered, this, [this] { OpenViewer(); });
    connect(make(Command::AnglesDialog, nullptr, frame_->SetAnglesforRPcalculations), &QAction::triggered, this, [this] {
        buildPages();
        directRuns_->SetAnglesforRPcalculationsClick();
    });
    connect(make(Command::FrequencyPlots, nullptr, frame_->FreqPlotsShowMenuItem), &QAction::triggered, this,
            [this] { FreqPlotsShowMenuItemClick(); });
}

void TForm1::bindEntry(QAbstractButton* button, Command command)
{
    QAction* action = commandAction(command);
    button->setEnabled(action->isEnabled());
    connect(action, &QAction::enabledChanged, button, &QWidget::setEnabled);
    connect(button, &QAbstractButton::clicked, action, &QAction::trigger);
}

void TForm1::bindEntry(QAction* entry, Command command)
{
    QAction* action = commandAction(command);
    entry->setEnabled(action->isEnabled());
    connect(action, &QAction::enabledChanged, entry, &QAction::setEnabled);
    connect(entry, &QAction::triggered, action, &QAction::trigger);
}

void TForm1::bindPageEntries()
{
    for (auto [button, command] : resultsTable_->commandEntries())
        bindEntry(button, command);
    for (auto [button, command] : currents_->commandEntries())
        bindEntry(button, command);
    for (auto [button, command] : nec2Input_->commandEntries())
        bindEntry(button, command);
    for (auto [entry, command] : rpPlots_->commandEntries())
        bindEntry(entry, command);
}

void TForm1::createGroundDialog()
{
    groundDialog_ = new TFormGND(groundControls_, this);
    connect(groundDialog_, &TFormGND::groundParametersSet, this, [this] { setFrequencyPlotsEnabled(false); });
}

TForm1::TForm1(const QString& programFolder, UserDialogs* dialogs, QWidget* parent)
    : TForm1(AppContext{programFolder, dialogs}, parent)
{}

TForm1::~TForm1() = default;

TFormGND* TForm1::groundDialog()
{
    if (!groundDialog_)
        createGroundDialog();
    return groundDialog_.data();
}

void TForm1::setUpPages()
{
    // Each page builds its controls before it goes into the tab widget: adding a page
    // takes the first size hints of its controls (the list of standard grounds keeps the
    // minimum width it has then, while still empty).
    dataSheet_ = new DataSheetPage();
    dataSheet_->ensureBuilt();
    for (auto [button, command] : dataSheet_->commandEntries())
        bindEntry(button, command);
    frame_->PageControl1->addTab(dataSheet_, QStringLiteral("Data sheet"));
    resultsTable_ = new ResultsTablePage();
    frame_->PageControl1->addTab(resultsTable_, QStringLiteral("Table of results"));
    rpPlots_ = new RPPlotsPage();
    frame_->PageControl1->addTab(rpPlots_, QStringLiteral("RP plots"));
    nec2Input_ = new NEC2InputPage();
    frame_->PageControl1->addTab(nec2Input_, QStringLiteral("NEC-2 input"));
    currents_ = new CurrentsPage();
    frame_->PageControl1->addTab(currents_, QStringLiteral("Currents and fields"));
}

DataSheetPage& TForm1::dataSheetPage() const
{
    return *dataSheet_;
}

ResultsTablePage& TForm1::resultsTablePage()
{
    buildPages();
    return *resultsTable_;
}

RPPlotsPage& TForm1::rpPlotsPage()
{
    buildPages();
    return *rpPlots_;
}

NEC2InputPage& TForm1::nec2InputPage()
{
    buildPages();
    return *nec2Input_;
}

CurrentsPage& TForm1::currentsPage()
{
    buildPages();
    return *currents_;
}

void TForm1::showPage(QWidget& page)
{
    frame_->PageControl1->setCurrentWidget(&page);
}

QString TForm1::workingFile(const QString& name) const
{
    return QDir(workingFolder_).filePath(name);
}

QString TForm1::settingsPath() const
{
    return workingFile(
        QString::fromUtf8(settings::kFileName.data(), static_cast<qsizetype>(settings::kFileName.size())));
}

void TForm1::PrepareProg()
{
    // The page control fills the client area at the form's designed size (or what its
    // layout needs, when more); the user may enlarge it, and the pages take the room.
    pageControlSize_ = size().expandedTo(minimumSizeHint());
    // The status line under the pages (where saved files went) adds its own height, so
    // that the pages keep their designed size.
    statusBar()->setObjectName(QStringLiteral("StatusLine"));
    resize(pageControlSize_ + QSize(0, statusBar()->sizeHint().height()));

    session_.PatternLines = {};
    session_.CurrentLines.clear();
    session_.EditWindowSwrReference = engine::SwrReference{50.0, 0.0};
    loadSettings();
}

void TForm1::setUpPopupMenus()
{
    // The pages attach their own menus; this one is shared by two pages.
    accessoriesPopupMenu_ = new QMenu(this);
    accessoriesPopupMenu_->setObjectName(QStringLiteral("AccessoriesPopupMenu"));
    accessoriesPopupMenu_->addActions({frame_->ViewerCall, frame_->SetAnglesforRPcalculations, frame_->FreqPlotsShowMenuItem});

    // Over the angle and the coat groups of "Data sheet".
    connect(dataSheet_, &DataSheetPage::accessoriesMenuRequested, accessoriesPopupMenu_,
            [menu = accessoriesPopupMenu_](const QPoint& position) { menu->popup(position); });
    // The results table's menu is attached with its page (buildPages).
}

void TForm1::setFrequencyPlotsEnabled(bool enabled)
{
    session_.commands.sweepUpToDate = enabled;
    updateCommands();
}

bool TForm1::frequencyPlotsEnabled() const
{
    return session_.commands.sweepUpToDate;
}

void TForm1::setViewerEnabled(bool enabled)
{
    session_.commands.listingShown = enabled;
    updateCommands();
}

void TForm1::setAnglesDialogEnabled(bool enabled)
{
    session_.commands.anglesRerun = enabled;
    updateCommands();
}

void TForm1::updateCommands()
{
    for (Command command : kCommands)
        commandAction(command)->setEnabled(session_.commands.allows(command));
    // What a reading of the listing offers from then on: the saves of the diagrams and
    // results, and the currents chart's controls (set with their pages).
    if (!pagesBuilt_)
        return;
    const CommandState& s = session_.commands;
    rpPlots_->setSavesEnabled(s.resultsRead || s.curvesDrawn, s.resultsRead);
    currents_->setResultsRead(s.resultsRead);
}

void TForm1::GNDParChangeButtonClick()
{
    if (groundDialog_ && groundDialog_->isVisible())
        return;
    delete groundDialog_;
    createGroundDialog();
    groundDialog_->show();
    groundDialog_->raise();
    groundDialog_->activateWindow();
}

void TForm1::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
}

void TForm1::closeEvent(QCloseEvent* event)
{
    // The deck commands exist once the pages are built; before, nothing was edited.
    if (!runs_->mayClose() || (deckFiles_ && !deckFiles_->mayClose())) {
        event->ignore();
        return;
    }
    FormClose();
    QMainWindow::closeEvent(event);
}

void TForm1::FormClose()
{
    if (groundDialog_ && groundDialog_->isVisible())
        groundDialog_->close();
    session_.PatternLines = {};
    session_.CurrentLines = {};
    saveSettings();
}

} // namespace vrnnec
