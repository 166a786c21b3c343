// The page "Currents and fields" (`TabSheet5`): the chart of the current along a wire,
// the wire choice, the currents export, the SWR reference fields, the Green function
// group with its popup menu and the near fields group.
#pragma once

#include <QWidget>

namespace Ui {
class CurrentsPage;
}

class QChart;
class QLineSeries;
class QMenu;
class QValueAxis;

namespace vrnnec {

class CurrentsPage : public QWidget {
    Q_OBJECT
public:
    // Builds the page's controls into `controls`, the currents chart into `CurrentChart`
    // and the popup menu of the Green function group.
    explicit CurrentsPage(Ui::CurrentsPage& controls, QWidget* parent = nullptr);

    // The currents chart shown by `CurrentChart`, owned by this page. The bottom axis
    // follows the points of the series; the left axis is set by whoever fills the series.
    QChart* chartModel() const { return chart_; }
    QLineSeries* series() const { return series_; }
    QValueAxis* axisLeft() const { return axisLeft_; }
    QValueAxis* axisBottom() const { return axisBottom_; }

    // `GFPopupMenu` of the group "Green function writing".
    QMenu* popupMenu() const { return popupMenu_; }

private:
    void setUpChart(Ui::CurrentsPage& controls);
    void fitAxisBottom();

    QChart* chart_ = nullptr;
    QLineSeries* series_ = nullptr;
    QValueAxis* axisLeft_ = nullptr;
    QValueAxis* axisBottom_ = nullptr;
    QMenu* popupMenu_ = nullptr;
};

} // namespace vrnnec
