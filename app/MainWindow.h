// The main window `TForm1`: the frame with its five pages (DataSheetPage and the other
// page classes; the first page is built with the window, the others when first needed),
// the commands with more than one entry as one action each, the rules by which controls of different pages enable, disable and
// mirror each other, the ground parameters dialog and the settings file. What the runs
// leave for the next command is kept in session(). The commands behind the buttons live
// in their own files and are connected by the program's wiring.
#pragma once

#include "app/RunSession.h"
#include "engine/Conversion.h"
#include "results/NearField.h"
#include "results/PatternDiagram.h"

#include <QMainWindow>
#include <QPointer>
#include <QSize>
#include <QString>

#include <array>
#include <memory>
#include <utility>
#include <vector>

class QAbstractButton;
class QAction;
class QMenu;
class QWidget;

namespace Ui {
class MainWindowFrame;
}

namespace vrnnec {

namespace viewer {
class TFormV;
}

class CurrentsPage;
class DataSheetPage;
class DeckFileCommands;
class DirectRunCommands;
class GroundControls;
class NEC2InputPage;
class QtUserDialogs;
class RPPlotsPage;
class RunController;
class ResultsTablePage;
class TFormGND;
class TFreqPlotsForm;
class UserDialogs;
class WorkPlacesKeeper;

// What the main window is created with.
struct AppContext {
    QString programFolder;          // folder of the program: settings file, working files
    UserDialogs* dialogs = nullptr; // messages and file dialogs; nullptr: Qt's own
};

class TForm1 : public QMainWindow {
    Q_OBJECT
public:
    explicit TForm1(const AppContext& context, QWidget* parent = nullptr);
    TForm1(const QString& programFolder, UserDialogs* dialogs, QWidget* parent = nullptr);
    ~TForm1() override;

    // The pages after "Data sheet" are built when one of them is first shown, or when a
    // command asks for one of them; buildPages() builds them now.
    void buildPages();
    bool pagesBuilt() const { return pagesBuilt_; }
    // The state the commands share: file values and the last run.
    RunSession& session() { return session_; }
    const RunSession& session() const { return session_; }
    UserDialogs& dialogs() { return *dialogs_; }
    // Every engine run the window starts is waited for here.
    RunController& runs() { return *runs_; }
    GroundControls& groundControls() { return *groundControls_; }
    // Window places, remembered folders, recent files and drops (WorkPlacesKeeper.h).
    WorkPlacesKeeper& workPlaces() { return *workPlaces_; }

    // The program folder without a trailing separator.
    const QString& programFolder() const { return programFolder_; }
    // The folder of the settings and the working files: the program folder while it can
    // be written, else the user's own (engine/WorkingFolder.h); and a file in it.
    const QString& workingFolder() const { return workingFolder_; }
    QString workingFile(const QString& name) const;
    QString settingsPath() const;

    // The ground parameters dialog, hidden until opened; made when first asked for and
    // recreated by every opening from `GNDParChangeButton`.
    TFormGND* groundDialog();

    // The pages of `PageControl1`; a page not built yet is built first.
    DataSheetPage& dataSheetPage() const;
    ResultsTablePage& resultsTablePage();
    RPPlotsPage& rpPlotsPage();
    NEC2InputPage& nec2InputPage();
    CurrentsPage& currentsPage();

    // The action of a command with several entries. Its entries (buttons and menu items
    // of every page) follow its enabled state and trigger it.
    QAction* commandAction(Command command) const { return commands_.at(static_cast<std::size_t>(command)); }

    // `AccessoriesPopupMenu` of the angle and coat groups and of the results table. The
    // pages own their own menus (RPPlotsPage::popupMenu, CurrentsPage::popupMenu).
    QMenu* accessoriesPopupMenu() const { return accessoriesPopupMenu_; }

    // Both "Frequency plots" menu items (`FreqPlotsShowMenuItem`, `FreqPlotsShowMenuItem1`).
    void setFrequencyPlotsEnabled(bool enabled);
    bool frequencyPlotsEnabled() const;
    // Sets the entries of the viewer: `ViewerCallButton`, `ViewerCallButton1`, "Viewer
    // call", "Viewer Call".
    void setViewerEnabled(bool enabled);
    // Both "Set Angles for RP calculations" menu items.
    void setAnglesDialogEnabled(bool enabled);
    // The enabled state of every command action from session().commands: the one place
    // where it is set.
    void updateCommands();

    // The designed size of the window: the size of `PageControl1` as designed.
    QSize pageControlSize() const { return pageControlSize_; }

    // Settings file: read once at creation, written when the window closes.
    void loadSettings();
    void saveSettings();

    // Commands on the antenna file (CalculationCommands.cpp); "Find VORNA file",
    // "Refresh" and the calculations are given by their actions (commandAction).
    // Takes `path` as "Find VORNA file" takes the chosen file (also the file given on the
    // program's command line).
    void OpenAntennaFile(const QString& path);
    // A file given on the program's command line: a deck (".wcf", ".nec") opens on the
    // "NEC-2 input" page as "Open WCF file" opens it, any other file is taken as an
    // antenna file.
    void OpenFile(const QString& path);

    // Results of a run (ResultsCommands.cpp): the reading of `Outdata.txo` into the
    // table, memos, diagrams and currents chart; the commands on those results are the
    // page's controls' own.
    void ReadEngineOutput();
    void ReadEngineOutput(const engine::ListingData& listing);

    // The 3-D viewer (ViewerCommands.cpp): opened by the viewer entries (Command::Viewer),
    // reloaded after every successful reading while it is visible.
    void ReloadViewer();
    viewer::TFormV* viewerWindow() const;
    // "Frequency plots" (FrequencyPlotsCommands.cpp, Command::FrequencyPlots): the sweep
    // window, recreated by every opening; nullptr before the first.
    TFreqPlotsForm* freqPlotsForm() const;
    // "Change ground parameters": opens the ground parameters dialog.
    void GNDParChangeButtonClick();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // Brings `page` of `PageControl1` to the front.
    void showPage(QWidget& page);
    // What the viewer shows: the sections of the last reading, else those of the listing.
    engine::ViewerSections viewerSections();
    // The handlers of the commands and controls, each connected where its control is
    // built.
    void ButtonVRNfileFindClick();
    void RefreshButtonClick();
    void Execute_OriginalClick();
    void ExecuteClick();
    void ShowPolarization();
    void SaveRPClick();
    void SaveElevationPlotClick();
    void SaveResClick();
    void TagNumFieldChange();
    void ChartWireCurrents(long long tag, bool inWavelengths);
    void SaveCurrentButtonClick();
    void OpenViewer();
    void GFwriteButtonClick();
    void CopyGFClick();
    void FreqPlotsShowMenuItemClick();
    void ZSwrNEC2FieldChange();

    void PrepareProg();
    void createCommandActions();
    void bindEntry(QAbstractButton* button, Command command);
    void bindEntry(QAction* entry, Command command);
    void bindPageEntries();
    void applyPendingSettings();
    // Checks the reference impedance texts and sets the session's reference from them; a
    // refused pair is reported and both texts are put back to the defaults.
    bool takeSwrReference(QString& r, QString& x);
    void createGroundDialog();
    void setUpPages();
    void setUpPopupMenus();
    void connectRules();
    void connectPageRules();
    void connectCommands();
    void connectGreenFunctionCommands();
    void previewAntennaFile(const QString& path, bool picked);
    void calculate(conversion::ConversionOptions settings);
    void nearField(results::NearField field);
    QString proposeSave(const char* suffix, const QString& title, const QString& filter, const QString& defaultSuffix);
    void saveDiagram(const QImage& image, const char* suffix, const QString& title);
    void FormClose();

    // The frame's own controls (page control, the frame's actions); the pages own theirs.
    std::unique_ptr<Ui::MainWindowFrame> frame_;
    // The pages in the order of their tabs.
    DataSheetPage* dataSheet_ = nullptr;       // "Data sheet"
    ResultsTablePage* resultsTable_ = nullptr; // "Table of results"
    RPPlotsPage* rpPlots_ = nullptr;           // "RP plots"
    NEC2InputPage* nec2Input_ = nullptr;       // "NEC-2 input"
    CurrentsPage* currents_ = nullptr;         // "Currents and fields"
    RunSession session_;
    QString programFolder_;
    QString workingFolder_;
    std::unique_ptr<QtUserDialogs> ownDialogs_;
    UserDialogs* dialogs_ = nullptr;
    RunController* runs_ = nullptr;
    GroundControls* groundControls_ = nullptr;
    QPointer<TFormGND> groundDialog_;
    DeckFileCommands* deckFiles_ = nullptr;
    DirectRunCommands* directRuns_ = nullptr;
    QPointer<viewer::TFormV> viewer_;
    QPointer<TFreqPlotsForm> freqPlotsForm_;
    QMenu* accessoriesPopupMenu_ = nullptr;
    QSize pageControlSize_;
    WorkPlacesKeeper* workPlaces_ = nullptr;
    bool pagesBuilt_ = false;
    std::array<QAction*, std::size(kCommands)> commands_{};
    // Settings of controls on pages not built yet, set when the pages are built.
    std::vector<std::pair<QString, bool>> pendingFlags_;
};

} // namespace vrnnec
