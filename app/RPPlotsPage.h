// The page "RP plots" (`TabSheet2`): the azimuth and elevation diagrams, the results
// summary `ImpedanceScreen`, the polarization components and the page's popup menu.
#pragma once

#include "results/PatternDiagram.h"

#include "app/LazyPage.h"

#include <QList>

#include <optional>

namespace Ui {
class RPPlotsPage;
}

class QLabel;
class QMenu;

namespace vrnnec {

class RPPlotsPage : public LazyPage {
    Q_OBJECT
public:
    // The page builds its controls into `controls`, shows the empty diagram grids and
    // attaches the popup menu to the page.
    explicit RPPlotsPage(Ui::RPPlotsPage& controls, QWidget* parent = nullptr);

    // The two pattern diagrams (`Diagr`, `DiagrElev`), drawn when the page is built;
    // showDiagrams() puts them on the page.
    results::PatternImages& diagrams()
    {
        ensureBuilt();
        return *diagrams_;
    }
    void showDiagrams();

    // `PopupRPDiagrMenu`: viewer, angles, "Frequency plots" and the three save commands.
    QMenu* popupMenu() const { return popupMenu_; }

    // Enables the four polarization radio buttons (after a reading of the engine's
    // output).
    void enablePolarization();

protected:
    bool event(QEvent* event) override;
    void build() override;

private:
    Ui::RPPlotsPage& controls_;
    std::optional<results::PatternImages> diagrams_;
    QLabel* azimuthLabel_ = nullptr;
    QLabel* elevationLabel_ = nullptr;
    QMenu* popupMenu_ = nullptr;
    QList<QWidget*> polarization_;
};

} // namespace vrnnec
