#include "app/ResultsTablePage.h"

#include "app/ResultMemo.h"
#include "common/NumberText.h"
#include "ui_ResultsTablePage.h"

#include <QEvent>
#include <QHeaderView>

#include <algorithm>

namespace vrnnec {

ResultsTablePage::ResultsTablePage(Ui::ResultsTablePage& controls, QWidget* parent)
    : LazyPage("TabSheet3", parent), controls_(controls)
{}

void ResultsTablePage::build()
{
    Ui::ResultsTablePage& controls = controls_;
    controls.setupUi(this);
    resultmemo::setUp(*controls.ImpedanceScreen1, false);

    // The grid of the results has its titles in the horizontal header, so the first data
    // row is table row 0: "row 1" of the results is row 0 here, and the table starts with
    // that one empty data row. There is no row header; the run number is column "N".
    table_ = controls.ResultsTable;
    table_->verticalHeader()->hide();
    table_->setRowCount(1);
    // The columns share the grid's width: set whenever the grid changes its size, as the
    // window may first be shown smaller than designed (on a small screen).
    table_->installEventFilter(this);
}

bool ResultsTablePage::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == table_ && event->type() == QEvent::Resize) {
        const long long width = numtext::roundHalfEven(table_->width() / 15.0) - 2;
        const int columnWidth = static_cast<int>(std::max(width, 10LL));
        table_->horizontalHeader()->setDefaultSectionSize(columnWidth);
        for (int column = 0; column < table_->columnCount(); ++column)
            table_->setColumnWidth(column, columnWidth);
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace vrnnec
