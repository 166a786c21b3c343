// The window "Frequency plots" (`TFreqPlotsForm`): R and jX (or the admittance) and the
// SWR of the antenna against frequency around a centre frequency, one source tag at a
// time. It sweeps the deck of the last calculation (the buffer deck) through the
// calculation core and shows the progress of the engines while they run.
#pragma once

#include "analyses/SweepChart.h"
#include "analyses/SweepDeck.h"
#include "engine/SweepListing.h"
#include "engine/Swr.h"

#include <QDialog>

#include <functional>
#include <vector>

class QChart;
class QChartView;
class QLabel;
class QLineEdit;
class QLineSeries;
class QPushButton;
class QSpinBox;
class QTabWidget;
class QValueAxis;

namespace vrnnec {

class FreqPlotsExtras;
class UserDialogs;

namespace analyses {
class SweepRun;
}

// What the window needs of the main window.
struct FreqPlotsContext {
    QString programFolder;
    QString workingFolder; // the sweep's decks and listings
    UserDialogs* dialogs = nullptr;
    engine::SwrReference* swrReference = nullptr; // `SwrReference` of the session
    std::function<bool()> readAdmittance;         // `ReadADMCheck`
    std::function<void()> disableViewer;          // the four viewer entries
    int processes = 1;                            // engine processes at most
};

class TFreqPlotsForm : public QDialog {
    Q_OBJECT
public:
    TFreqPlotsForm(const FreqPlotsContext& context, std::vector<std::string> bufferDeck, double centre,
                   QWidget* parent = nullptr);
    ~TFreqPlotsForm() override;

    // The handlers.
    void FreqPlotsCalculateButtonClick();
    void FreqPlotsPointsUpDownClick();
    void SourceInWireNFreqPlotsUpDownClick();
    void DrawCharts(long long tag);

    // The charts' series and axes, as drawn.
    QLineSeries* seriesR() const { return seriesR_; }
    QLineSeries* seriesJX() const { return seriesJX_; }
    QLineSeries* seriesZeroLine() const { return seriesZero_; }
    QLineSeries* seriesSWR() const { return seriesSWR_; }
    QValueAxis* swrAxis() const { return swrAxis_; }
    QValueAxis* impedanceBottomAxis() const { return impBottom_; }
    const std::vector<std::string>& bufferDeck() const { return buffer_; }
    FreqPlotsExtras* extras() const { return extras_; }

    // "Frequencies: 3 of 7,  0:05".
    static QString progressText(int done, int points, int seconds);

private:
    void buildControls();
    void setFrequencyAxes(double low, double high, bool grid);
    void stopOnOutput(const std::string& message);
    // Runs the sweep of `settings` on the buffer deck, draws it and hands it to the
    // extras; true when it finished (otherwise the message has been shown).
    bool runSweep(analyses::SweepSettings settings);
    void reject() override;

    FreqPlotsContext context_;
    std::vector<std::string> buffer_;
    analyses::SweepSettings settings_;
    engine::SweepListing listing_;
    bool outputCleared_ = true;
    analyses::SweepRun* run_ = nullptr;
    FreqPlotsExtras* extras_ = nullptr; // Smith, gain, readout, band, save and measured data
    bool closeAfterRun_ = false; // the window was closed during the sweep

    QLineEdit* freqCentralField_ = nullptr;
    QLineEdit* bandWidthField_ = nullptr;
    QLineEdit* pointsMemo_ = nullptr;
    QSpinBox* pointsUpDown_ = nullptr;
    QLineEdit* sourceMemo_ = nullptr;
    QSpinBox* sourceUpDown_ = nullptr;
    QPushButton* calculateButton_ = nullptr;
    QPushButton* stopButton_ = nullptr;
    QLabel* progressLabel_ = nullptr;
    QTabWidget* pages_ = nullptr;
    QChart* impedanceChart_ = nullptr;
    QChart* swrChart_ = nullptr;
    QLineSeries* seriesR_ = nullptr;
    QLineSeries* seriesJX_ = nullptr;
    QLineSeries* seriesZero_ = nullptr;
    QLineSeries* seriesSWR_ = nullptr;
    QValueAxis* impBottom_ = nullptr;
    QValueAxis* rAxis_ = nullptr;
    QValueAxis* jxAxis_ = nullptr;
    QValueAxis* swrBottom_ = nullptr;
    QValueAxis* swrAxis_ = nullptr;
};

} // namespace vrnnec
