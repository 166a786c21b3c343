// The analysis parts of the "Frequency plots" window beside its specified controls: the
// "Smith" and "Gain" tabs, the "Gain and F/B" check box, the value readout under the
// charts, the minimum SWR and the SWR <= 2 band under the SWR chart, "Save…" (CSV or
// Touchstone), and measured one-port data drawn beside the model ("Load measured…",
// "Clear measured"). The window hands it its sweeps and the values it draws.
#pragma once

#include "analyses/SweepRun.h"
#include "analyses/SweepSummary.h"
#include "analyses/Touchstone.h"
#include "engine/Swr.h"

#include <QObject>
#include <QString>

#include <functional>
#include <optional>

#include <vector>

class QChart;
class QCheckBox;
class QGridLayout;
class QLabel;
class QLineSeries;
class QPushButton;
class QStatusBar;
class QTabWidget;
class QValueAxis;
class QWidget;

namespace vrnnec {

class SmithChartWidget;
class UserDialogs;

struct FreqPlotsParts {
    QWidget* form = nullptr;
    QGridLayout* grid = nullptr; // the window's layout; the extras take its next rows
    QTabWidget* pages = nullptr; // "Impedance" and "SWR"
    QChart* impedanceChart = nullptr;
    QChart* swrChart = nullptr;
    UserDialogs* dialogs = nullptr;
    engine::SwrReference* swrReference = nullptr;
    // Runs the shown sweep again with each port solved too (for an N-port file), through
    // the window's own run with its progress and Stop; true when it finished.
    std::function<bool()> runPortSweep;
};

class FreqPlotsExtras : public QObject {
    Q_OBJECT
public:
    // `bufferDeck` is the deck of the last calculation as opened: its pattern cards are
    // the ones the gain sweep keeps.
    FreqPlotsExtras(const FreqPlotsParts& parts, const std::vector<std::string>& bufferDeck);
    ~FreqPlotsExtras() override;

    // Before a sweep: with "Gain and F/B" on, the settings keep the pattern cards; false
    // (with the message shown) when the deck has none.
    bool prepare(analyses::SweepSettings& settings);
    // After a sweep that finished.
    void sweepDone(const analyses::SweepRequest& request, const analyses::SweepResult& result);
    // While a sweep runs nothing can be saved.
    void setRunning(bool running);
    // After the window drew the charts of `tag`.
    void draw(long long tag, const std::vector<analyses::SweepPointValues>& values);

    // The handlers.
    void SaveButtonClick();
    void LoadMeasuredButtonClick();
    void ClearMeasuredButtonClick();
    // The readout of point `index` of the shown tag.
    void showReadout(int index);

    SmithChartWidget* smithChart() const { return smith_; }
    QLineSeries* seriesGain() const { return seriesGain_; }
    QLineSeries* seriesFrontToBack() const { return seriesFB_; }
    QLineSeries* measuredSwr() const { return measuredSwr_; }
    QLineSeries* measuredR() const { return measuredR_; }
    QLabel* bandLabel() const { return bandLabel_; }
    QLabel* readoutLabel() const { return readout_; }
    QStatusBar* statusLine() const { return statusLine_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void drawMeasured();
    void drawGain();
    double touchstoneReference() const;
    // The message of a failed save, empty when written; nothing when the run with the
    // ports solved did not finish (the window has said why).
    std::optional<std::string> saveTouchstone(const QString& path);

    FreqPlotsParts parts_;
    std::vector<std::string> patternCards_;
    int sourceCount_ = 0; // EX cards of the buffer deck
    analyses::SweepRequest request_;
    engine::SweepListing listing_;
    std::vector<analyses::GainPoint> gains_;
    long long tag_ = 0;
    bool drawn_ = false;
    std::vector<analyses::SweepPointValues> values_;
    analyses::MeasuredSweep measured_;
    QString measuredName_;

    QCheckBox* gainCheck_ = nullptr;
    QPushButton* saveButton_ = nullptr;
    QPushButton* loadButton_ = nullptr;
    QPushButton* clearButton_ = nullptr;
    QLabel* bandLabel_ = nullptr;
    QLabel* readout_ = nullptr;
    QStatusBar* statusLine_ = nullptr;
    SmithChartWidget* smith_ = nullptr;
    QChart* gainChart_ = nullptr;
    QLineSeries* seriesGain_ = nullptr;
    QLineSeries* seriesFB_ = nullptr;
    QValueAxis* gainBottom_ = nullptr;
    QValueAxis* gainAxis_ = nullptr;
    QValueAxis* fbAxis_ = nullptr;
    QLineSeries* measuredR_ = nullptr;
    QLineSeries* measuredJX_ = nullptr;
    QLineSeries* measuredSwr_ = nullptr;
};

} // namespace vrnnec
