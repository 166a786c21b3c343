// The page "Table of results" (`TabSheet3`): the results table, newest run on top, the
// second set of file and calculation buttons, the parameter change group and the memo
// `ImpedanceScreen1`.
#pragma once

#include "app/LazyPage.h"

namespace Ui {
class ResultsTablePage;
}

class QTableWidget;

namespace vrnnec {

class ResultsTablePage : public LazyPage {
    Q_OBJECT
public:
    // The page builds its controls into `controls` and sets up the results table.
    explicit ResultsTablePage(Ui::ResultsTablePage& controls, QWidget* parent = nullptr);

protected:
    void build() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Ui::ResultsTablePage& controls_;
    QTableWidget* table_ = nullptr;
};

} // namespace vrnnec
