// The page "Table of results" (`TabSheet3`): the results table, newest run on top, the
// second set of file and calculation buttons, the parameter change group and the memo
// `ImpedanceScreen1`.
#pragma once

#include <QWidget>

namespace Ui {
class ResultsTablePage;
}

class QTableWidget;

namespace vrnnec {

class ResultsTablePage : public QWidget {
    Q_OBJECT
public:
    // Builds the page's controls into `controls` and sets up the results table.
    explicit ResultsTablePage(Ui::ResultsTablePage& controls, QWidget* parent = nullptr);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QTableWidget* table_ = nullptr;
};

} // namespace vrnnec
