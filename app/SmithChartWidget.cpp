#include "app/SmithChartWidget.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace vrnnec {

namespace {

const QColor kModel(Qt::blue);
const QColor kMeasured(Qt::magenta);

QPolygonF polygon(const analyses::SmithLine& line, const SmithChartWidget& chart)
{
    QPolygonF out;
    for (const analyses::SmithPoint& p : line)
        out << chart.toWidget(p);
    return out;
}

} // namespace

SmithChartWidget::SmithChartWidget(QWidget* parent) : QWidget(parent), grid_(analyses::MakeSmithGrid())
{
    setObjectName(QStringLiteral("SmithChart"));
    setMouseTracking(true);
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, Qt::white);
    setPalette(palette);
    setMinimumSize(300, 300);
}

void SmithChartWidget::setModel(std::vector<analyses::SmithPoint> points, int centre)
{
    model_ = std::move(points);
    centreIndex_ = centre;
    update();
}

void SmithChartWidget::setMeasured(std::vector<analyses::SmithPoint> points, const QString& name)
{
    measured_ = std::move(points);
    measuredName_ = name;
    update();
}

void SmithChartWidget::clearMeasured()
{
    measured_.clear();
    measuredName_.clear();
    update();
}

double SmithChartWidget::radius() const
{
    return std::max(10.0, std::min(width(), height()) / 2.0 - 24);
}

QPointF SmithChartWidget::centre() const
{
    return {width() / 2.0, height() / 2.0};
}

QPointF SmithChartWidget::toWidget(const analyses::SmithPoint& p) const
{
    return centre() + QPointF(p.u, -p.v) * radius();
}

int SmithChartWidget::nearestModelPoint(const QPointF& position) const
{
    int best = -1;
    double bestDistance = 0;
    for (std::size_t k = 0; k < model_.size(); ++k) {
        const QPointF d = toWidget(model_[k]) - position;
        const double distance = std::hypot(d.x(), d.y());
        if (best < 0 || distance < bestDistance) {
            best = static_cast<int>(k);
            bestDistance = distance;
        }
    }
    return best;
}

void SmithChartWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const double r = radius();
    QPainterPath disc;
    disc.addEllipse(centre(), r, r);

    // The grid, clipped to the unit circle.
    painter.save();
    painter.setClipPath(disc);
    painter.setPen(QPen(QColor(190, 190, 190), 1));
    for (const auto& line : grid_.resistance)
        painter.drawPolyline(polygon(line, *this));
    for (const auto& line : grid_.reactance)
        painter.drawPolyline(polygon(line, *this));
    painter.drawPolyline(polygon(grid_.realAxis, *this));
    // SWR = 2.
    painter.setPen(QPen(Qt::darkGreen, 1, Qt::DashLine));
    painter.drawPolyline(polygon(analyses::CircleLine(analyses::SwrCircle(2)), *this));
    painter.restore();
    painter.setPen(QPen(Qt::black, 1));
    painter.drawEllipse(centre(), r, r);

    // Labels of the resistance circles on the real axis.
    painter.setPen(Qt::darkGray);
    for (double value : grid_.resistanceValues) {
        const QPointF at = toWidget({(value - 1) / (value + 1), 0});
        painter.drawText(at + QPointF(2, -2), QString::number(value));
    }
    painter.setPen(Qt::darkGreen);
    painter.drawText(toWidget({0, -1.0 / 3}) + QPointF(4, 14), QStringLiteral("SWR 2"));

    const auto drawPoints = [&](const std::vector<analyses::SmithPoint>& points, const QColor& colour) {
        QPolygonF line;
        for (const auto& p : points)
            line << toWidget(p);
        painter.setPen(QPen(colour, 1.5));
        painter.drawPolyline(line);
        for (const QPointF& p : line) {
            painter.drawLine(p + QPointF(-3, -3), p + QPointF(3, 3));
            painter.drawLine(p + QPointF(-3, 3), p + QPointF(3, -3));
        }
    };
    drawPoints(measured_, kMeasured);
    drawPoints(model_, kModel);
    if (centreIndex_ >= 0 && centreIndex_ < static_cast<int>(model_.size())) {
        painter.setBrush(kModel);
        painter.drawEllipse(toWidget(model_[static_cast<std::size_t>(centreIndex_)]), 4, 4);
        painter.setBrush(Qt::NoBrush);
    }
    if (!measured_.empty()) {
        painter.setPen(kMeasured);
        painter.drawText(QPointF(6, 16), QStringLiteral("Measured: ") + measuredName_);
    }
}

void SmithChartWidget::mouseMoveEvent(QMouseEvent* event)
{
    const int nearest = nearestModelPoint(event->position());
    if (nearest >= 0 && onHover)
        onHover(nearest);
    QWidget::mouseMoveEvent(event);
}

} // namespace vrnnec
