// The page "Currents and fields" (`TabSheet5`): the chart of the current along a wire,
// the wire choice, the currents export, the SWR reference fields, the Green function
// group with its popup menu and the near fields group.
#pragma once

#include "app/LazyPage.h"

namespace Ui {
class CurrentsPage;
}

class QChart;
class QLineSeries;
class QMenu;
class QValueAxis;

namespace vrnnec {

class CurrentsPage : public LazyPage {
    Q_OBJECT
public:
    // The page builds its controls into `controls` and the popup menu of the Green
    // function group; the currents chart goes into `CurrentChart` when the chart is first
    // shown or asked for.
    explicit CurrentsPage(Ui::CurrentsPage& controls, QWidget* parent = nullptr);

    // The currents chart shown by `CurrentChart`, owned by this page. The bottom axis
    // follows the points of the series; the left axis is set by whoever fills the series.
    QChart* chartModel() { ensureChart(); return chart_; }
    QLineSeries* series() { ensureChart(); return series_; }
    QValueAxis* axisLeft() { ensureChart(); return axisLeft_; }
    QValueAxis* axisBottom() { ensureChart(); return axisBottom_; }

    // `GFPopupMenu` of the group "Green function writing".
    QMenu* popupMenu() const { return popupMenu_; }

protected:
    void build() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ensureChart();
    void fitAxisBottom();

    Ui::CurrentsPage& controls_;
    QChart* chart_ = nullptr;
    QLineSeries* series_ = nullptr;
    QValueAxis* axisLeft_ = nullptr;
    QValueAxis* axisBottom_ = nullptr;
    QMenu* popupMenu_ = nullptr;
};

} // namespace vrnnec
