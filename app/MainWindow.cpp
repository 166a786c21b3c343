#include "app/MainWindow.h"

#include "app/GroundControls.h"
#include "app/GroundDialog.h"
#include "app/QtUserDialogs.h"
#include "app/SettingsFile.h"
#include "common/NumberText.h"
#include "ui_TForm1.h"

#include <QChart>
#include <QCloseEvent>
#include <QDir>
#include <QHeaderView>
#include <QLayout>
#include <QLineSeries>
#include <QMenu>
#include <QPixmap>
#include <QResizeEvent>
#include <QValueAxis>

TForm1::TForm1(const AppContext& context, QWidget* parent)
    : QMainWindow(parent), ui_(std::make_unique<Ui::TForm1>()),
      programFolder_(QDir::cleanPath(context.programFolder))
{
    dialogs_ = context.dialogs;
    if (dialogs_ == nullptr) {
        ownDialogs_ = std::make_unique<QtUserDialogs>(this);
        dialogs_ = ownDialogs_.get();
    }

    ui_->setupUi(this);
    groundControls_ = new GroundControls({ui_->PGround, ui_->SNGround, ui_->EPSField, ui_->SigmaField,
                                          ui_->GroundListComboBox},
                                         this);
    groundControls_->setStandardText(QString::fromUtf8(ground::kDefaultPresetText.data(),
                                                       static_cast<qsizetype>(ground::kDefaultPresetText.size())));
    setUpPopupMenus();
    connectRules();
    connectCommands();
    PrepareProg();

    // The ground parameters dialog exists from the start, hidden.
    createGroundDialog();
}

void TForm1::createGroundDialog()
{
    groundDialog_ = new TFormGND(groundControls_, this);
    connect(groundDialog_, &TFormGND::groundParametersSet, this, [this] { setFrequencyPlotsEnabled(false); });
}

TForm1::TForm1(const QString& programFolder, UserDialogs* dialogs, QWidget* parent)
    : TForm1(AppContext{programFolder, dialogs}, parent)
{
}

TForm1::~TForm1() = default;

TFormGND* TForm1::groundDialog() const
{
    return groundDialog_.data();
}

QString TForm1::programFile(const QString& name) const
{
    return QDir(programFolder_).filePath(name);
}

QString TForm1::settingsPath() const
{
    return programFile(QString::fromUtf8(settings::kFileName.data(),
                                         static_cast<qsizetype>(settings::kFileName.size())));
}

void TForm1::PrepareProg()
{
    // The page control fills the client area at the form's designed size (or what its
    // layout needs, when more); the window never grows beyond it.
    pageControlSize_ = size().expandedTo(minimumSizeHint());
    resize(pageControlSize_);
    setMaximumSize(pageControlSize_);

    results::DrawPatternGrid(Diagrams);
    showDiagrams();
    PatternLines = {};
    CurrentLines.clear();
    setUpCurrentChart();
    setUpResultsTable();
    EditWindowSwrReference = engine::SwrReference{50.0, 0.0};
    loadSettings();
}

void TForm1::showDiagrams()
{
    ui_->Diagr->setPixmap(QPixmap::fromImage(Diagrams.azimuth));
    ui_->DiagrElev->setPixmap(QPixmap::fromImage(Diagrams.elevation));
}

void TForm1::setUpPopupMenus()
{
    AccessoriesPopupMenu = new QMenu(this);
    AccessoriesPopupMenu->setObjectName(QStringLiteral("AccessoriesPopupMenu"));
    AccessoriesPopupMenu->addActions({ui_->ViewerCall, ui_->SetAnglesforRPcalculations, ui_->FreqPlotsShowMenuItem});

    PopupRPDiagrMenu = new QMenu(this);
    PopupRPDiagrMenu->setObjectName(QStringLiteral("PopupRPDiagrMenu"));
    PopupRPDiagrMenu->addActions({ui_->ViewerCall1, ui_->SetAnglesforRPcalculations1, ui_->FreqPlotsShowMenuItem1,
                                  ui_->SaveRP, ui_->SaveElevationPlot, ui_->SaveRes});

    GFPopupMenu = new QMenu(this);
    GFPopupMenu->setObjectName(QStringLiteral("GFPopupMenu"));
    GFPopupMenu->addAction(ui_->CopyGF);

    const auto attach = [](QWidget* owner, QWidget* area, QMenu* menu) {
        connect(owner, &QWidget::customContextMenuRequested, menu,
                [area, menu](const QPoint& position) { menu->popup(area->mapToGlobal(position)); });
    };
    attach(ui_->GroupBox2, ui_->GroupBox2, AccessoriesPopupMenu);
    attach(ui_->GroupBox3, ui_->GroupBox3, AccessoriesPopupMenu);
    // A scroll area reports the position in its viewport.
    attach(ui_->ResultsTable, ui_->ResultsTable->viewport(), AccessoriesPopupMenu);
    attach(ui_->TabSheet2, ui_->TabSheet2, PopupRPDiagrMenu);
    attach(ui_->GroupBox6, ui_->GroupBox6, GFPopupMenu);
}

void TForm1::setUpCurrentChart()
{
    CurrentChartModel = new QChart();
    CurrentChartModel->legend()->hide();
    CurrentChartModel->setBackgroundBrush(Qt::white);
    QFont titleFont = CurrentChartModel->titleFont();
    titleFont.setPointSize(8);
    CurrentChartModel->setTitleFont(titleFont);
    CurrentChartModel->setTitleBrush(QBrush(Qt::black));

    CPSeries = new QLineSeries(CurrentChartModel);
    CPSeries->setObjectName(QStringLiteral("CPSeries"));
    CPSeries->setPen(QPen(Qt::blue, 1));
    CPSeries->setPointsVisible(false);
    CurrentChartModel->addSeries(CPSeries);

    CurrentAxisLeft = new QValueAxis(CurrentChartModel);
    CurrentAxisLeft->setTitleText(QStringLiteral("Current value in ampers"));
    CurrentAxisLeft->setRange(-1, 1);
    CurrentAxisLeft->setGridLineVisible(false);
    CurrentAxisLeft->setLabelsAngle(-90);
    CurrentAxisLeft->setLabelFormat(QStringLiteral("%.9g"));
    CurrentAxisBottom = new QValueAxis(CurrentChartModel);
    CurrentAxisBottom->setGridLineVisible(false);
    CurrentChartModel->addAxis(CurrentAxisLeft, Qt::AlignLeft);
    CurrentChartModel->addAxis(CurrentAxisBottom, Qt::AlignBottom);
    CPSeries->attachAxis(CurrentAxisLeft);
    CPSeries->attachAxis(CurrentAxisBottom);

    // The bottom axis follows the points of the series.
    connect(CPSeries, &QXYSeries::pointsReplaced, this, &TForm1::fitCurrentAxisBottom);
    connect(CPSeries, &QXYSeries::pointAdded, this, &TForm1::fitCurrentAxisBottom);
    connect(CPSeries, &QXYSeries::pointsRemoved, this, &TForm1::fitCurrentAxisBottom);
    connect(CPSeries, &QXYSeries::pointRemoved, this, &TForm1::fitCurrentAxisBottom);

    ui_->CurrentChart->setChart(CurrentChartModel);
    ui_->CurrentChart->setRenderHint(QPainter::Antialiasing, false);
}

void TForm1::fitCurrentAxisBottom()
{
    const QList<QPointF> points = CPSeries->points();
    if (points.isEmpty())
        return;
    double low = points.constFirst().x();
    double high = low;
    for (const QPointF& point : points) {
        low = std::min(low, point.x());
        high = std::max(high, point.x());
    }
    if (low == high) {
        low -= 0.5;
        high += 0.5;
    }
    CurrentAxisBottom->setRange(low, high);
}

void TForm1::setUpResultsTable()
{
    // The grid of the results has its titles in the horizontal header, so the first data
    // row is table row 0: "row 1" of the results is row 0 here, and the table starts with
    // that one empty data row. There is no row header; the run number is column "N".
    QTableWidget* table = ui_->ResultsTable;
    table->verticalHeader()->hide();
    table->setRowCount(1);
    // The columns share the grid's width: set whenever the grid changes its size, as the
    // window may first be shown smaller than designed (on a small screen).
    table->installEventFilter(this);
}

bool TForm1::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == ui_->ResultsTable && event->type() == QEvent::Resize) {
        QTableWidget* table = ui_->ResultsTable;
        const long long width = numtext::roundHalfEven(table->width() / 15.0) - 2;
        const int columnWidth = static_cast<int>(std::max(width, 10LL));
        table->horizontalHeader()->setDefaultSectionSize(columnWidth);
        for (int column = 0; column < table->columnCount(); ++column)
            table->setColumnWidth(column, columnWidth);
    }
    return QMainWindow::eventFilter(watched, event);
}

void TForm1::setFrequencyPlotsEnabled(bool enabled)
{
    ui_->FreqPlotsShowMenuItem->setEnabled(enabled);
    ui_->FreqPlotsShowMenuItem1->setEnabled(enabled);
}

bool TForm1::frequencyPlotsEnabled() const
{
    return ui_->FreqPlotsShowMenuItem->isEnabled() || ui_->FreqPlotsShowMenuItem1->isEnabled();
}

void TForm1::GNDParChangeButtonClick()
{
    if (groundDialog_ && groundDialog_->isVisible())
        return;
    delete groundDialog_;
    createGroundDialog();
    groundDialog_->show();
    groundDialog_->raise();
    groundDialog_->activateWindow();
}

void TForm1::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    if (pageControlSize_.isEmpty())
        return;
    const QSize limited = event->size().boundedTo(pageControlSize_);
    if (limited != event->size())
        resize(limited);
}

void TForm1::closeEvent(QCloseEvent* event)
{
    FormClose();
    QMainWindow::closeEvent(event);
}

void TForm1::FormClose()
{
    if (groundDialog_ && groundDialog_->isVisible())
        groundDialog_->close();
    PatternLines = {};
    CurrentLines = {};
    saveSettings();
}
