#include "app/MainWindow.h"

#include "app/DeckFileCommands.h"
#include "app/DesktopKeys.h"
#include "app/DirectRunCommands.h"
#include "app/EditorCommands.h"
#include "app/OptimizeCommands.h"
#include "app/GroundControls.h"
#include "app/GroundDialog.h"
#include "app/MainWindowControls.h"
#include "app/QtUserDialogs.h"
#include "app/RunController.h"
#include "app/SettingsFile.h"
#include "app/WorkPlacesKeeper.h"
#include "engine/WorkingFolder.h"
#include "ui_MainWindowFrame.h"

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

    ui_->Ui::MainWindowFrame::setupUi(this);
    setUpPages();
    groundControls_ = new GroundControls(
        {ui_->PGround, ui_->SNGround, ui_->EPSField, ui_->SigmaField, ui_->GroundListComboBox}, this);
    groundControls_->setStandardText(QString::fromUtf8(ground::kDefaultPresetText.data(),
                                                       static_cast<qsizetype>(ground::kDefaultPresetText.size())));
    setUpPopupMenus();
    connectRules();
    connectCommands();
    deckFiles_ = new DeckFileCommands(*this);
    new DirectRunCommands(*this);
    new EditorCommands(*this);
    new OptimizeCommands(*this);
    InstallDesktopKeys(*this);
    workPlaces_->attach();
    PrepareProg();
    updateCommands();

    // The ground parameters dialog exists from the start, hidden.
    createGroundDialog();
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

TFormGND* TForm1::groundDialog() const
{
    return groundDialog_.data();
}

void TForm1::setUpPages()
{
    // Each page builds its controls before it goes into the tab widget: adding a page
    // takes the first size hints of its controls (the list of standard grounds keeps the
    // minimum width it has then, while still empty).
    MainWindowControls& u = *ui_;
    u.TabSheet1 = new DataSheetPage(u);
    u.PageControl1->addTab(u.TabSheet1, QStringLiteral("Data sheet"));
    u.TabSheet3 = new ResultsTablePage(u);
    u.PageControl1->addTab(u.TabSheet3, QStringLiteral("Table of results"));
    u.TabSheet2 = new RPPlotsPage(u);
    u.PageControl1->addTab(u.TabSheet2, QStringLiteral("RP plots"));
    u.TabSheet4 = new NEC2InputPage(u);
    u.PageControl1->addTab(u.TabSheet4, QStringLiteral("NEC-2 input"));
    u.TabSheet5 = new CurrentsPage(u);
    u.PageControl1->addTab(u.TabSheet5, QStringLiteral("Currents and fields"));
}

DataSheetPage& TForm1::dataSheetPage() const
{
    return *ui_->TabSheet1;
}

ResultsTablePage& TForm1::resultsTablePage() const
{
    return *ui_->TabSheet3;
}

RPPlotsPage& TForm1::rpPlotsPage() const
{
    return *ui_->TabSheet2;
}

NEC2InputPage& TForm1::nec2InputPage() const
{
    return *ui_->TabSheet4;
}

CurrentsPage& TForm1::currentsPage() const
{
    return *ui_->TabSheet5;
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

    const auto attach = [](QWidget* owner, QWidget* area, QMenu* menu) {
        connect(owner, &QWidget::customContextMenuRequested, menu,
                [area, menu](const QPoint& position) { menu->popup(area->mapToGlobal(position)); });
    };
    attach(ui_->GroupBox2, ui_->GroupBox2, accessoriesPopupMenu_);
    attach(ui_->GroupBox3, ui_->GroupBox3, accessoriesPopupMenu_);
    // A scroll area reports the position in its viewport.
    attach(ui_->ResultsTable, ui_->ResultsTable->viewport(), accessoriesPopupMenu_);
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
    const CommandState& s = session_.commands;
    MainWindowControls& u = *ui_;
    const auto set = [](std::initializer_list<QObject*> entries, bool enabled) {
        for (QObject* entry : entries) {
            if (auto* widget = qobject_cast<QWidget*>(entry))
                widget->setEnabled(enabled);
            else if (auto* action = qobject_cast<QAction*>(entry))
                action->setEnabled(enabled);
        }
    };
    set({u.Execute_Original, u.Execute, u.Execute_Original1, u.Execute1}, s.antennaFile && !s.running);
    set({u.RefreshButton, u.RefreshButton1}, s.antennaFile);
    set({u.ViewerCallButton, u.ViewerCallButton1, u.ViewerCall, u.ViewerCall1}, s.listingShown);
    set({u.SetAnglesforRPcalculations, u.SetAnglesforRPcalculations1}, s.anglesRerun);
    set({u.FreqPlotsShowMenuItem, u.FreqPlotsShowMenuItem1}, s.sweepUpToDate);
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
