#include "app/MainWindow.h"

#include "app/DeckFileCommands.h"
#include "app/DesktopKeys.h"
#include "app/DirectRunCommands.h"
#include "app/EditorCommands.h"
#include "app/OptimizeCommands.h"
#include "app/GroundControls.h"
#include "app/GroundDialog.h"
#include "app/LazyPage.h"
#include "app/MainWindowControls.h"
#include "app/QtUserDialogs.h"
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
    : QMainWindow(parent), ui_(std::make_unique<MainWindowControls>()),
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
    ui_->Ui::MainWindowFrame::setupUi(this);
    createCommandActions();
    setUpPages();
    groundControls_ = &ui_->TabSheet1->groundControls();
    setUpPopupMenus();
    connectRules();
    InstallDesktopKeys(*this);
    workPlaces_->attach();
    PrepareProg();
    updateCommands();
    connect(ui_->PageControl1, &QTabWidget::currentChanged, this, [this] { buildPages(); });
}

void TForm1::buildPages()
{
    if (pagesBuilt_)
        return;
    pagesBuilt_ = true;
    MainWindowControls& u = *ui_;
    for (LazyPage* page : std::initializer_list<LazyPage*>{u.TabSheet3, u.TabSheet2, u.TabSheet4, u.TabSheet5})
        page->ensureBuilt();
    bindPageEntries();
    u.TabSheet3->setTableMenu(accessoriesPopupMenu_);
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
    const DataSheetPage::PatternAngles angles = u.TabSheet1->patternAngles();
    u.TabSheet4->setElevationText(angles.elevationText);
    u.TabSheet4->setAzimuthText(angles.azimuthText);
    u.TabSheet3->setFrequencyText(u.TabSheet1->frequencyText());
}

void TForm1::createCommandActions()
{
    MainWindowControls& u = *ui_;
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
    connect(make(Command::Viewer, nullptr, u.ViewerCall), &QAction::triggered, this, [this] { OpenViewer(); });
    connect(make(Command::AnglesDialog, nullptr, u.SetAnglesforRPcalculations), &QAction::triggered, this, [this] {
        buildPages();
        directRuns_->SetAnglesforRPcalculationsClick();
    });
    connect(make(Command::FrequencyPlots, nullptr, u.FreqPlotsShowMenuItem), &QAction::triggered, this,
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
    MainWindowControls& u = *ui_;
    for (auto [button, command] : u.TabSheet3->commandEntries())
        bindEntry(button, command);
    for (auto [button, command] : u.TabSheet5->commandEntries())
        bindEntry(button, command);
    for (auto [button, command] : u.TabSheet4->commandEntries())
        bindEntry(button, command);
    for (auto [entry, command] : u.TabSheet2->commandEntries())
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
    MainWindowControls& u = *ui_;
    u.TabSheet1 = new DataSheetPage();
    u.TabSheet1->ensureBuilt();
    for (auto [button, command] : u.TabSheet1->commandEntries())
        bindEntry(button, command);
    u.PageControl1->addTab(u.TabSheet1, QStringLiteral("Data sheet"));
    u.TabSheet3 = new ResultsTablePage();
    u.PageControl1->addTab(u.TabSheet3, QStringLiteral("Table of results"));
    u.TabSheet2 = new RPPlotsPage();
    u.PageControl1->addTab(u.TabSheet2, QStringLiteral("RP plots"));
    u.TabSheet4 = new NEC2InputPage();
    u.PageControl1->addTab(u.TabSheet4, QStringLiteral("NEC-2 input"));
    u.TabSheet5 = new CurrentsPage();
    u.PageControl1->addTab(u.TabSheet5, QStringLiteral("Currents and fields"));
}

DataSheetPage& TForm1::dataSheetPage() const
{
    return *ui_->TabSheet1;
}

ResultsTablePage& TForm1::resultsTablePage()
{
    return *ui().TabSheet3;
}

RPPlotsPage& TForm1::rpPlotsPage()
{
    return *ui().TabSheet2;
}

NEC2InputPage& TForm1::nec2InputPage()
{
    return *ui().TabSheet4;
}

CurrentsPage& TForm1::currentsPage()
{
    return *ui().TabSheet5;
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
    accessoriesPopupMenu_->addActions({ui_->ViewerCall, ui_->SetAnglesforRPcalculations, ui_->FreqPlotsShowMenuItem});

    // Over the angle and the coat groups of "Data sheet".
    connect(ui_->TabSheet1, &DataSheetPage::accessoriesMenuRequested, accessoriesPopupMenu_,
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
    MainWindowControls& u = *ui_;
    const CommandState& s = session_.commands;
    u.TabSheet2->setSavesEnabled(s.resultsRead || s.curvesDrawn, s.resultsRead);
    u.TabSheet5->setResultsRead(s.resultsRead);
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
    if (!runs_->mayClose()) {
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
