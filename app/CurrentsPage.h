// The page "Currents and fields" (`TabSheet5`): the chart of the current along a wire,
// the wire choice, the currents export, the SWR reference fields, the Green function
// group with its popup menu and the near fields group. The page owns its controls; the
// window reads and sets them through the calls below and reacts to its signals.
#pragma once

#include "app/LazyPage.h"
#include "app/RunSession.h"
#include "results/NearField.h"
#include "results/WireCurrents.h"

#include <QString>

#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace Ui {
class CurrentsPage;
}

class QAbstractButton;
class QChart;
class QLineSeries;
class QMenu;
class QValueAxis;

namespace vrnnec {

// What "Electric" and "Magnetic" compute: the grid typed into the group "Near fields
// calculations" and where the deck comes from.
struct NearFieldRequest {
    results::NearFieldGrid grid;
    bool fromEditWindow = false; // "From Edit window", else the current engine input
    // The message for the first field that does not read, or for a grid that is too
    // large; empty when `grid` holds what the user typed.
    QString refusal;
};

// The texts of the reference impedance for the SWR of runs from the deck editor.
struct SwrReferenceTexts {
    QString r;
    QString x;
};

// A run started from this page: the button pressed.
enum class FieldRun { ElectricField, MagneticField, GreenFunction };

class CurrentsPage : public LazyPage {
    Q_OBJECT
public:
    // The page builds its controls and the popup menu of the Green function group when
    // first shown or asked for; the currents chart when the chart is first shown or
    // asked for.
    explicit CurrentsPage(QWidget* parent = nullptr);
    ~CurrentsPage() override;

    // The currents chart shown by `CurrentChart`, owned by this page. The bottom axis
    // follows the points of the series; the left axis is set by showCurrents.
    QChart* chartModel() { ensureChart(); return chart_; }
    QLineSeries* series() { ensureChart(); return series_; }
    QValueAxis* axisLeft() { ensureChart(); return axisLeft_; }
    QValueAxis* axisBottom() { ensureChart(); return axisBottom_; }

    // `GFPopupMenu` of the group "Green function writing".
    QMenu* popupMenu() const { return popupMenu_; }

    // The buttons that are entries of a window command, for the window to bind.
    std::vector<std::pair<QAbstractButton*, Command>> commandEntries();

    // The currents chart. The wires of the last reading, without a change signal; the
    // first is then chosen (also silently) and its tag returned when it reads as one.
    void setTags(const std::vector<std::string>& tags);
    std::optional<long long> selectFirstTag();
    // What the chosen wire text asks for (results::chooseTag over the listed wires).
    results::TagChoice tagChoice();
    // "Distance in wavelengths" and "Phase indicator".
    bool distanceInWavelengths();
    bool phaseIndicated();
    // Shows a chart: its title always, the left axis and the points when it sets them.
    void showCurrents(const results::WireCurrentChart& chart);
    // The wire choice, its two check boxes and the export follow the reading of results.
    void setResultsRead(bool read);

    // The reference impedance fields; set without a change signal. Before the page is
    // built the texts are kept and put into the fields when it is.
    SwrReferenceTexts swrReferenceTexts() const;
    void setSwrReferenceTexts(const SwrReferenceTexts& texts);

    // The near fields group.
    NearFieldRequest nearFieldRequest();
    void showPowerBudget(const QString& line);
    // Green's function writing: from the edit window, else from the current engine input.
    bool greenFunctionFromEditWindow();
    // The runs of the page: "Write" alone (a deck is shown), or with the near fields
    // (results are read).
    void setGreenFunctionWriteEnabled(bool enabled);
    void setFieldRunsEnabled(bool enabled);
    // While `run` is waited for, the run buttons are disabled and its group and button
    // show the busy cursor; afterwards every run button is enabled.
    void setRunBusy(FieldRun run, bool busy);

signals:
    // The wire text or one of the two check boxes changed.
    void currentsChoiceChanged();
    void saveCurrentsRequested();
    void swrReferenceEdited();
    void nearFieldRequested(results::NearField field);
    void greenFunctionWriteRequested();
    void copyGreenFunctionRequested();

protected:
    void build() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ensureChart();
    void fitAxisBottom();
    Ui::CurrentsPage& controls();

    std::unique_ptr<Ui::CurrentsPage> ui_;
    SwrReferenceTexts pendingSwr_;
    bool swrPending_ = false;
    QChart* chart_ = nullptr;
    QLineSeries* series_ = nullptr;
    QValueAxis* axisLeft_ = nullptr;
    QValueAxis* axisBottom_ = nullptr;
    QMenu* popupMenu_ = nullptr;
};

} // namespace vrnnec
