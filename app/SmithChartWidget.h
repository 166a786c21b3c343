// The "Smith" tab of the "Frequency plots" window: a Smith chart drawn with QPainter
// from the plain geometry of the analyses (resistance and reactance circles, the SWR = 2
// circle), the model's impedances joined in frequency order with the centre frequency
// marked, and measured impedances in another colour with their file name in a legend.
#pragma once

#include "analyses/SmithChart.h"

#include <QWidget>

#include <functional>
#include <vector>

namespace vrnnec {

class SmithChartWidget : public QWidget {
    Q_OBJECT
public:
    explicit SmithChartWidget(QWidget* parent = nullptr);

    // The model's points in frequency order; `centre` is the index of the centre frequency.
    void setModel(std::vector<analyses::SmithPoint> points, int centre);
    void setMeasured(std::vector<analyses::SmithPoint> points, const QString& name);
    void clearMeasured();

    const std::vector<analyses::SmithPoint>& modelPoints() const { return model_; }
    const std::vector<analyses::SmithPoint>& measuredPoints() const { return measured_; }

    // The widget position of a reflection coefficient, and the model point nearest to a
    // widget position (-1 when there is none).
    QPointF toWidget(const analyses::SmithPoint& p) const;
    int nearestModelPoint(const QPointF& position) const;

    // Called with the nearest model point while the mouse moves over the chart.
    std::function<void(int)> onHover;

protected:
    void paintEvent(QPaintEvent*) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    double radius() const;
    QPointF centre() const;

    analyses::SmithGrid grid_;
    std::vector<analyses::SmithPoint> model_;
    int centreIndex_ = -1;
    std::vector<analyses::SmithPoint> measured_;
    QString measuredName_;
};

} // namespace vrnnec
