#include "app/CurrentsPage.h"

#include "ui_CurrentsPage.h"

#include <QChart>
#include <QEvent>
#include <QLineSeries>
#include <QMenu>
#include <QValueAxis>

#include <algorithm>

namespace vrnnec {

CurrentsPage::CurrentsPage(Ui::CurrentsPage& controls, QWidget* parent)
    : LazyPage("TabSheet5", parent), controls_(controls)
{}

void CurrentsPage::build()
{
    Ui::CurrentsPage& controls = controls_;
    controls.setupUi(this);
    controls.CurrentChart->installEventFilter(this);

    popupMenu_ = new QMenu(this);
    popupMenu_->setObjectName(QStringLiteral("GFPopupMenu"));
    popupMenu_->addAction(controls.CopyGF);
    QWidget* group = controls.GroupBox6;
    connect(group, &QWidget::customContextMenuRequested, popupMenu_,
            [this, group](const QPoint& position) { popupMenu_->popup(group->mapToGlobal(position)); });
}

bool CurrentsPage::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Show && watched == controls_.CurrentChart)
        ensureChart();
    return LazyPage::eventFilter(watched, event);
}

void CurrentsPage::ensureChart()
{
    if (chart_ != nullptr)
        return;
    ensureBuilt();
    // The page owns the chart, whatever the chart view does with it (the view gives a
    // chart up when it is handed another one).
    chart_ = new QChart();
    chart_->setParent(this);
    chart_->legend()->hide();
    chart_->setBackgroundBrush(Qt::white);
    QFont titleFont = chart_->titleFont();
    titleFont.setPointSize(8);
    chart_->setTitleFont(titleFont);
    chart_->setTitleBrush(QBrush(Qt::black));

    series_ = new QLineSeries(chart_);
    series_->setObjectName(QStringLiteral("CPSeries"));
    series_->setPen(QPen(Qt::blue, 1));
    series_->setPointsVisible(false);
    chart_->addSeries(series_);

    axisLeft_ = new QValueAxis(chart_);
    axisLeft_->setTitleText(QStringLiteral("Current value in ampers"));
    axisLeft_->setRange(-1, 1);
    axisLeft_->setGridLineVisible(false);
    // Short labels, upright, so that they fit beside and under the plot.
    axisLeft_->setLabelFormat(QStringLiteral("%.4g"));
    axisBottom_ = new QValueAxis(chart_);
    axisBottom_->setLabelFormat(QStringLiteral("%.4g"));
    axisBottom_->setGridLineVisible(false);
    chart_->addAxis(axisLeft_, Qt::AlignLeft);
    chart_->addAxis(axisBottom_, Qt::AlignBottom);
    series_->attachAxis(axisLeft_);
    series_->attachAxis(axisBottom_);

    // The bottom axis follows the points of the series.
    connect(series_, &QXYSeries::pointsReplaced, this, &CurrentsPage::fitAxisBottom);
    connect(series_, &QXYSeries::pointAdded, this, &CurrentsPage::fitAxisBottom);
    connect(series_, &QXYSeries::pointsRemoved, this, &CurrentsPage::fitAxisBottom);
    connect(series_, &QXYSeries::pointRemoved, this, &CurrentsPage::fitAxisBottom);

    controls_.CurrentChart->setChart(chart_);
    controls_.CurrentChart->setRenderHint(QPainter::Antialiasing, false);
}

void CurrentsPage::fitAxisBottom()
{
    const QList<QPointF> points = series_->points();
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
    axisBottom_->setRange(low, high);
}

} // namespace vrnnec
