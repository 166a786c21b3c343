// The page "RP plots" (`TabSheet2`): the azimuth and elevation diagrams, the results
// summary `ImpedanceScreen`, the polarization components and the page's popup menu. The
// page owns its controls; the window reaches them through the typed calls below.
#pragma once

#include "results/PatternDiagram.h"

#include "app/LazyPage.h"
#include "app/RunSession.h"

#include <QList>
#include <QString>

#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace Ui {
class RPPlotsPage;
}

class QAction;
class QMenu;

namespace vrnnec {

class RPPlotsPage : public LazyPage {
    Q_OBJECT
public:
    // The page builds its controls when first needed, shows the empty diagram grids and
    // attaches the popup menu to the page.
    explicit RPPlotsPage(QWidget* parent = nullptr);
    ~RPPlotsPage() override;

    // The two pattern diagrams (`Diagr`, `DiagrElev`) as the saves write them: the empty
    // grids when the page is built; showDiagrams() puts them on the page.
    const results::PatternImages& diagrams()
    {
        ensureBuilt();
        return *diagrams_;
    }
    void showDiagrams();
    // Draws the two pattern cuts in the chosen polarization on clean grids and shows them;
    // what the drawing reports (messages, the outer ring's text) is for the caller.
    results::PolarizationOutcome showPatterns(const engine::PatternCuts& cuts, double maxTotalGain);

    // `PopupRPDiagrMenu`: viewer, angles, "Frequency plots" and the three save commands.
    QMenu* popupMenu() const { return popupMenu_; }
    // The page's menu items that are entries of a window command, for TForm1::bindEntry.
    QList<std::pair<QAction*, Command>> commandEntries();

    // The start of a reading: the summary and the outer ring text are emptied and the
    // diagrams show their empty grids.
    void clearResults();
    // The summary `ImpedanceScreen`: lines are added with the newest in view; its lines
    // are what "Save Results" writes.
    void appendSummary(const std::vector<std::string>& lines);
    std::vector<std::string> summaryLines();
    // The level of the diagrams' outer ring.
    void setOuterRingText(const QString& text);

    // The polarization component chosen by the radio buttons.
    results::Polarization polarization();
    // Enables the four polarization radio buttons (after a reading of the engine's
    // output).
    void enablePolarization();
    // The saves of the azimuth diagram and the results, and of the elevation diagram.
    void setSavesEnabled(bool azimuthAndResults, bool elevation);

signals:
    // The user chose a polarization component.
    void polarizationChosen(results::Polarization polarization);
    // "Save Azimuth Plot", "Save Elevation Plot", "Save Results".
    void saveAzimuthRequested();
    void saveElevationRequested();
    void saveResultsRequested();

protected:
    bool event(QEvent* event) override;
    void build() override;

private:
    std::unique_ptr<Ui::RPPlotsPage> ui_;
    std::optional<results::PatternImages> diagrams_;
    QMenu* popupMenu_ = nullptr;
};

} // namespace vrnnec
