// The main window `TForm1`: five pages of controls, the rules by which they enable,
// disable and mirror each other, the ground parameters dialog and the settings file.
// The commands behind the buttons live in their own files and are connected by the
// program's wiring.
#pragma once

#include "engine/Conversion.h"
#include "engine/ListingData.h"
#include "engine/Swr.h"
#include "results/PatternDiagram.h"

#include <QMainWindow>
#include <QPointer>
#include <QSize>
#include <QString>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace Ui {
class TForm1;
}
class GroundControls;
class QChart;
class QLineSeries;
class QMenu;
class QValueAxis;
class QtUserDialogs;
class TFormGND;
class UserDialogs;

// What the main window is created with.
struct AppContext {
    QString programFolder;           // folder of the program: settings file, working files
    UserDialogs* dialogs = nullptr;  // messages and file dialogs; nullptr: Qt's own
};

class TForm1 : public QMainWindow {
    Q_OBJECT
public:
    explicit TForm1(const AppContext& context, QWidget* parent = nullptr);
    TForm1(const QString& programFolder, UserDialogs* dialogs, QWidget* parent = nullptr);
    ~TForm1() override;

    Ui::TForm1& ui() { return *ui_; }
    UserDialogs& dialogs() { return *dialogs_; }
    GroundControls& groundControls() { return *groundControls_; }

    // The program folder without a trailing separator, and a file in it.
    const QString& programFolder() const { return programFolder_; }
    QString programFile(const QString& name) const;
    QString settingsPath() const;

    // The ground parameters dialog; recreated by every opening from `GNDParChangeButton`.
    TFormGND* groundDialog() const;

    // Popup menus: `AccessoriesPopupMenu` (angle and coat groups, results table),
    // `PopupRPDiagrMenu` ("RP plots" page) and `GFPopupMenu` (Green function group).
    QMenu* AccessoriesPopupMenu = nullptr;
    QMenu* PopupRPDiagrMenu = nullptr;
    QMenu* GFPopupMenu = nullptr;

    // The currents chart of the "Currents and fields" page; the bottom axis follows the
    // points of `CPSeries`, the left axis is set by whoever fills the series.
    QChart* CurrentChartModel = nullptr;
    QLineSeries* CPSeries = nullptr;
    QValueAxis* CurrentAxisLeft = nullptr;
    QValueAxis* CurrentAxisBottom = nullptr;

    // The two pattern diagrams (`Diagr`, `DiagrElev`); showDiagrams() puts them on the page.
    results::PatternImages Diagrams;
    void showDiagrams();

    // Values kept from the antenna file by the preview.
    double FileFrequency = 14; // MHz; restores `FreqVRNChangeField`
    double FileHeight = 0;     // m; restores `HAntField`
    engine::SwrReference FileSwrReference;

    // Per-run state of the listing reader.
    engine::SwrReference SwrReference;
    engine::SwrReference EditWindowSwrReference{50.0, 0.0};
    double AntennaHeight = 0;
    bool HeightUnknown = false;
    bool CoatedRun = false;
    std::int32_t RunNumber = 0;
    double Wavelength = 0;
    double MaxTotalGain = 0;
    engine::PatternCuts PatternLines;              // the two pattern cuts of the last reading
    std::vector<engine::CurrentRow> CurrentLines;  // the current rows of the last reading

    // Both "Frequency plots" menu items (`FreqPlotsShowMenuItem`, `FreqPlotsShowMenuItem1`).
    void setFrequencyPlotsEnabled(bool enabled);
    bool frequencyPlotsEnabled() const;

    // The largest size of the window: the size of `PageControl1` as designed.
    QSize pageControlSize() const { return pageControlSize_; }

    // Settings file: read once at creation, written when the window closes.
    void loadSettings();
    void saveSettings();

    // Commands on the antenna file (CalculationCommands.cpp).
    void ButtonVRNfileFindClick();
    void RefreshButtonClick();
    void Execute_OriginalClick();
    void ExecuteClick();

    // Results of a run (ResultsCommands.cpp): the reading of `Outdata.txo` into the
    // table, memos, diagrams and currents chart, and the commands on those results.
    void ReadEngineOutput();
    void ReadEngineOutput(const engine::ListingData& listing);
    void AddResultsRow();
    void ShowPolarization();
    void SaveRPClick();
    void SaveElevationPlotClick();
    void SaveResClick();
    void ChartWireCurrents(long long tag, bool inWavelengths);
    void TagNumFieldChange();
    void SaveCurrentButtonClick();

    // Handlers of this window's own rules.
    void EnableParamChangeCheckClick();
    void GNDParChangeButtonClick();
    void ZSwrNEC2FieldChange();

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void PrepareProg();
    void createGroundDialog();
    void setUpPopupMenus();
    void setUpCurrentChart();
    void fitCurrentAxisBottom();
    void setUpResultsTable();
    void connectRules();
    void connectCommands();
    void previewAntennaFile(const QString& path, bool picked);
    void calculate(conversion::ConversionOptions settings);
    void setViewerEnabled(bool enabled);
    results::Polarization selectedPolarization() const;
    QString proposeSave(const char* suffix, const QString& title, const QString& filter,
                        const QString& defaultSuffix);
    void saveDiagram(const QImage& image, const char* suffix, const QString& title);
    void FormClose();

    std::unique_ptr<Ui::TForm1> ui_;
    QString programFolder_;
    std::unique_ptr<QtUserDialogs> ownDialogs_;
    UserDialogs* dialogs_ = nullptr;
    GroundControls* groundControls_ = nullptr;
    QPointer<TFormGND> groundDialog_;
    QSize pageControlSize_;
};
