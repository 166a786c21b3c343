#include "app/FreqPlotsForm.h"

#include "analyses/PortSweep.h"
#include "analyses/SweepRun.h"
#include "app/FreqPlotsExtras.h"
#include "app/LocaleNumbers.h"
#include "app/UserDialogs.h"
#include "engine/Calculation.h"

#include <QApplication>
#include <QChart>
#include <QChartView>
#include <QEventLoop>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QPainter>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QValueAxis>

namespace vrnnec {

namespace {

namespace msg = analyses::sweepmessages;

// Small diagonal crosses mark the points.
QImage crossMarker(const QColor& colour)
{
    QImage image(7, 7, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setPen(QPen(colour, 1));
    painter.drawLine(0, 0, 6, 6);
    painter.drawLine(0, 6, 6, 0);
    return image;
}

QLineSeries* markedSeries(QChart* chart, const char* name)
{
    auto* series = new QLineSeries(chart);
    series->setObjectName(QString::fromLatin1(name));
    series->setMarkerSize(7);
    chart->addSeries(series);
    return series;
}

void colour(QLineSeries* series, const QColor& colour, bool markers)
{
    series->setPen(QPen(colour, 1));
    series->setLightMarker(markers ? crossMarker(colour) : QImage());
}

QValueAxis* axis(QChart* chart, const QString& title, Qt::Alignment alignment, const QColor& labels = Qt::black)
{
    auto* a = new QValueAxis(chart);
    a->setTitleText(title);
    a->setLabelsColor(labels);
    chart->addAxis(a, alignment);
    return a;
}

QChart* chartIn(QChartView* view)
{
    auto* chart = new QChart();
    chart->legend()->hide();
    chart->setBackgroundBrush(Qt::white);
    view->setChart(chart);
    return chart;
}

void fill(QLineSeries* series, const std::vector<analyses::ChartPoint>& points)
{
    QList<QPointF> list;
    for (const auto& [x, y] : points)
        list.append(QPointF(x, y));
    series->replace(list);
}

} // namespace

TFreqPlotsForm::TFreqPlotsForm(const FreqPlotsContext& context, std::vector<std::string> bufferDeck, double centre,
                               QWidget* parent)
    : QDialog(parent), context_(context), buffer_(std::move(bufferDeck))
{
    setObjectName(QStringLiteral("TFreqPlotsForm"));
    setWindowTitle(QStringLiteral("Frequency plots"));
    buildControls();
    settings_.centre = centre;
    settings_.bandWidth = 0.4;
    settings_.points = 3;
    freqCentralField_->setText(localenum::general(centre));
    // The empty charts: twice the swept span, R 0 to 100, jX -100 to 100, SWR 1 to 5.
    setFrequencyAxes(centre - settings_.bandWidth, centre + settings_.bandWidth, false);
    rAxis_->setRange(0, 100);
    jxAxis_->setRange(-100, 100);
    swrAxis_->setRange(1, 5);
    extras_ = new FreqPlotsExtras({this, static_cast<QGridLayout*>(layout()), pages_, impedanceChart_, swrChart_,
                                   context_.dialogs, context_.swrReference,
                                   [this] {
                                       // The shown sweep again, solving each port too.
                                       analyses::SweepSettings ports = settings_;
                                       ports.portSources = analyses::SourceCards(buffer_);
                                       return runSweep(ports);
                                   }},
                                  buffer_);
    resize(sizeHint());
    setMinimumSize(sizeHint());
}

TFreqPlotsForm::~TFreqPlotsForm() = default;

void TFreqPlotsForm::buildControls()
{
    auto* grid = new QGridLayout(this);
    auto* fields = new QHBoxLayout();
    const auto label = [this, fields](const char* text) {
        fields->addWidget(new QLabel(QString::fromLatin1(text), this));
    };
    const auto edit = [this, fields](const char* name, const char* text, bool readOnly) {
        auto* e = new QLineEdit(QString::fromLatin1(text), this);
        e->setObjectName(QString::fromLatin1(name));
        e->setReadOnly(readOnly);
        e->setFixedWidth(70);
        fields->addWidget(e);
        return e;
    };
    const auto upDown = [this, fields](const char* name, int max, int step) {
        auto* s = new QSpinBox(this);
        s->setObjectName(QString::fromLatin1(name));
        s->setRange(0, max);
        s->setSingleStep(step);
        s->setFixedWidth(18); // the arrows only: the memo beside it shows the value
        fields->addWidget(s);
        return s;
    };
    label("Frequency:");
    freqCentralField_ = edit("FreqCentralField", "14", false);
    label("MHz,    Band width:");
    bandWidthField_ = edit("BandWidthField", "400", false);
    label("kHz,   Points:");
    pointsMemo_ = edit("FreqPlotsPointsMemo", "3", true);
    pointsMemo_->setFixedWidth(30);
    pointsUpDown_ = upDown("FreqPlotsPointsUpDown", analyses::kMaxPoints - analyses::kMinPoints, 2);
    label("In Wire N");
    sourceMemo_ = edit("SourceInWireNFreqPlotsMemo", "NA", true);
    sourceMemo_->setFixedWidth(40);
    sourceUpDown_ = upDown("SourceInWireNFreqPlotsUpDown", 0, 1);
    sourceUpDown_->setEnabled(false);
    calculateButton_ = new QPushButton(QStringLiteral("Calculate"), this);
    calculateButton_->setObjectName(QStringLiteral("FreqPlotsCalculateButton"));
    fields->addWidget(calculateButton_);
    fields->addStretch();
    grid->addLayout(fields, 0, 0);

    auto* progress = new QHBoxLayout();
    progressLabel_ = new QLabel(this);
    progressLabel_->setObjectName(QStringLiteral("FreqPlotsProgressLabel"));
    stopButton_ = new QPushButton(QStringLiteral("Stop"), this);
    stopButton_->setObjectName(QStringLiteral("FreqPlotsStopButton"));
    stopButton_->setEnabled(false);
    progress->addWidget(progressLabel_, 1);
    progress->addWidget(stopButton_);
    grid->addLayout(progress, 1, 0);

    pages_ = new QTabWidget(this);
    pages_->setObjectName(QStringLiteral("PageControl1"));
    auto* impedanceView = new QChartView(this);
    impedanceView->setObjectName(QStringLiteral("ImpedanceChart"));
    auto* swrView = new QChartView(this);
    swrView->setObjectName(QStringLiteral("SWRChart"));
    pages_->addTab(impedanceView, QStringLiteral("Impedance"));
    pages_->addTab(swrView, QStringLiteral("SWR"));
    pages_->setMinimumSize(640, 400);
    grid->addWidget(pages_, 2, 0);

    impedanceChart_ = chartIn(impedanceView);
    seriesR_ = markedSeries(impedanceChart_, "SeriesR");
    seriesJX_ = markedSeries(impedanceChart_, "SeriesJX");
    seriesZero_ = markedSeries(impedanceChart_, "SeriesZeroLine");
    impBottom_ = axis(impedanceChart_, QStringLiteral("Frequency, MHz"), Qt::AlignBottom);
    rAxis_ = axis(impedanceChart_, QStringLiteral("R, Ohm"), Qt::AlignLeft, Qt::blue);
    jxAxis_ = axis(impedanceChart_, QStringLiteral("jX, Ohm"), Qt::AlignRight, Qt::red);
    for (QLineSeries* s : {seriesR_, seriesJX_, seriesZero_})
        s->attachAxis(impBottom_);
    seriesR_->attachAxis(rAxis_);
    seriesJX_->attachAxis(jxAxis_);
    seriesZero_->attachAxis(jxAxis_);

    swrChart_ = chartIn(swrView);
    seriesSWR_ = markedSeries(swrChart_, "SeriesSWR");
    swrBottom_ = axis(swrChart_, QStringLiteral("Frequency, MHz"), Qt::AlignBottom);
    swrAxis_ = axis(swrChart_, QStringLiteral("SWR"), Qt::AlignLeft);
    swrAxis_->setTickType(QValueAxis::TicksDynamic);
    swrAxis_->setTickAnchor(1);
    swrAxis_->setTickInterval(0.5);
    seriesSWR_->attachAxis(swrBottom_);
    seriesSWR_->attachAxis(swrAxis_);

    // Empty series are white until the first drawing.
    for (QLineSeries* s : {seriesR_, seriesJX_, seriesZero_, seriesSWR_})
        colour(s, Qt::white, false);

    connect(calculateButton_, &QPushButton::clicked, this, [this] { FreqPlotsCalculateButtonClick(); });
    connect(pointsUpDown_, &QSpinBox::valueChanged, this, [this] { FreqPlotsPointsUpDownClick(); });
    connect(sourceUpDown_, &QSpinBox::valueChanged, this, [this] { SourceInWireNFreqPlotsUpDownClick(); });
    connect(stopButton_, &QPushButton::clicked, this, [this] {
        if (run_)
            run_->stop();
    });
}

void TFreqPlotsForm::setFrequencyAxes(double low, double high, bool grid)
{
    for (QValueAxis* a : {impBottom_, swrBottom_}) {
        a->setRange(low, high);
        a->setGridLineVisible(grid);
    }
}

QString TFreqPlotsForm::progressText(int done, int points, int seconds)
{
    return QStringLiteral("Frequencies: %1 of %2,  %3")
        .arg(done)
        .arg(points)
        .arg(engine::Calculation::elapsedText(seconds));
}

void TFreqPlotsForm::FreqPlotsPointsUpDownClick()
{
    pointsMemo_->setText(QString::number(pointsUpDown_->value() + analyses::kMinPoints));
}

void TFreqPlotsForm::FreqPlotsCalculateButtonClick()
{
    UserDialogs& dialogs = *context_.dialogs;
    double centre = 0;
    if (!localenum::readReal(freqCentralField_->text(), centre)) {
        centre = 14;
        dialogs.showMessage(QString::fromLatin1(msg::kCheckFrequency));
    }
    double band = 0;
    if (!localenum::readReal(bandWidthField_->text(), band)) {
        dialogs.showMessage(QString::fromLatin1(msg::kBadBandWidth));
        return;
    }
    bool pointsRead = false;
    const int points = pointsMemo_->text().trimmed().toInt(&pointsRead);
    if (!pointsRead) {
        dialogs.showMessage(QString::fromLatin1(msg::kBadPoints));
        return;
    }
    analyses::SweepSettings settings{centre, band / 1000, points};
    if (!extras_->prepare(settings))
        return;
    runSweep(settings);
}

bool TFreqPlotsForm::runSweep(analyses::SweepSettings settings)
{
    UserDialogs& dialogs = *context_.dialogs;
    std::vector<std::string> deck = buffer_;
    std::string message = analyses::CheckSweepSettings(settings);
    if (message.empty())
        message = analyses::PrepareSweepDeck(deck, settings);
    if (!message.empty()) {
        dialogs.showMessage(QString::fromStdString(message));
        return false;
    }

    // The settings become the shown ones only with the sweep that finished: a run that
    // fails or is stopped leaves the charts and their frequencies as they were.
    calculateButton_->setEnabled(false);
    stopButton_->setEnabled(true);
    extras_->setRunning(true);
    setCursor(Qt::WaitCursor);
    if (context_.disableViewer)
        context_.disableViewer();
    analyses::SweepRequest request;
    request.programFolder = context_.programFolder;
    request.workingFolder = context_.workingFolder;
    request.deck = deck;
    request.settings = settings;
    request.readAdmittance = context_.readAdmittance && context_.readAdmittance();
    request.processes = analyses::SweepProcesses(settings.points, context_.processes);
    analyses::SweepRun run;
    run_ = &run;
    connect(&run, &analyses::SweepRun::progress, this,
            [this](int done, int total, int seconds) { progressLabel_->setText(progressText(done, total, seconds)); });
    progressLabel_->setText(progressText(0, settings.points, 0));
    const analyses::SweepResult result = run.run(request);
    run_ = nullptr;
    calculateButton_->setEnabled(true);
    stopButton_->setEnabled(false);
    extras_->setRunning(false);
    unsetCursor();
    if (closeAfterRun_) {
        closeAfterRun_ = false;
        QDialog::reject();
        return false;
    }

    if (result.outcome != analyses::SweepOutcome::Finished) {
        dialogs.showMessage(QString::fromStdString(result.message));
        return false;
    }
    settings_ = settings;
    extras_->sweepDone(request, result);
    // The same sources as before (a sweep run again, say with its ports): the shown one stays.
    const bool sameSources = !outputCleared_ && listing_.sourceTags == result.listing.sourceTags;
    const int shown = sameSources ? sourceUpDown_->value() : 0;
    listing_ = result.listing;
    outputCleared_ = false;
    if (listing_.sourceTags.empty()) {
        stopOnOutput(listing_.message);
        return false;
    }
    const QSignalBlocker block(sourceUpDown_);
    const long long tag = listing_.sourceTags[static_cast<std::size_t>(shown)];
    sourceMemo_->setText(QString::number(tag));
    sourceUpDown_->setRange(0, static_cast<int>(listing_.sourceTags.size()) - 1);
    sourceUpDown_->setValue(shown);
    sourceUpDown_->setEnabled(true);
    DrawCharts(tag);
    return listing_.ok();
}

void TFreqPlotsForm::stopOnOutput(const std::string& message)
{
    outputCleared_ = true;
    listing_ = {};
    context_.dialogs->showMessage(QString::fromStdString(message));
}

void TFreqPlotsForm::SourceInWireNFreqPlotsUpDownClick()
{
    const int index = sourceUpDown_->value();
    if (index < 0 || index >= static_cast<int>(listing_.sourceTags.size())) {
        if (outputCleared_)
            context_.dialogs->showMessage(QString::fromLatin1(engine::sweepmessages::kNoOutputData));
        return;
    }
    const long long tag = listing_.sourceTags[static_cast<std::size_t>(index)];
    sourceMemo_->setText(QString::number(tag));
    DrawCharts(tag);
}

void TFreqPlotsForm::DrawCharts(long long tag)
{
    if (outputCleared_) {
        context_.dialogs->showMessage(QString::fromLatin1(engine::sweepmessages::kNoOutputData));
        return;
    }
    if (!listing_.ok()) {
        const std::string message = listing_.message;
        listing_.blocks.clear();
        stopOnOutput(message);
        return;
    }
    const auto values = analyses::SweepValuesForTag(listing_, settings_, tag, *context_.swrReference);
    const analyses::SweepChartData chart = analyses::MakeSweepChart(values);

    colour(seriesR_, Qt::blue, true);
    colour(seriesJX_, Qt::red, true);
    colour(seriesSWR_, Qt::green, true);
    QPen dotted(Qt::red, 1, Qt::DotLine);
    seriesZero_->setPen(dotted);
    seriesZero_->setLightMarker(QImage());

    setFrequencyAxes(chart.lowest, chart.highest, true);
    swrAxis_->setTitleText(QString::fromStdString(chart.swrTitle(localenum::decimalSeparator())));
    fill(seriesZero_, chart.zeroLine);
    fill(seriesR_, chart.r);
    fill(seriesJX_, chart.x);
    fill(seriesSWR_, chart.swr);

    // The value axes fit their points; the SWR axis starts at 1.
    const auto fit = [](QValueAxis* a, const std::vector<analyses::ChartPoint>& points, double low, double high) {
        for (const auto& p : points) {
            low = std::min(low, p.second);
            high = std::max(high, p.second);
        }
        if (low == high)
            high = low + 1;
        a->setRange(low, high);
        a->applyNiceNumbers();
    };
    const auto bounds = [](const std::vector<analyses::ChartPoint>& points, double fallback) {
        return points.empty() ? fallback : points.front().second;
    };
    fit(rAxis_, chart.r, bounds(chart.r, 0), bounds(chart.r, 100));
    std::vector<analyses::ChartPoint> jx = chart.x;
    jx.insert(jx.end(), chart.zeroLine.begin(), chart.zeroLine.end());
    fit(jxAxis_, jx, 0, 0);
    double swrHigh = 1.5;
    for (const auto& p : chart.swr)
        swrHigh = std::max(swrHigh, p.second);
    const analyses::SwrAxisRange swrRange = analyses::SwrAxis(swrHigh);
    swrAxis_->setTickInterval(swrRange.step);
    swrAxis_->setRange(1, swrRange.top);
    extras_->draw(tag, values);
}

void TFreqPlotsForm::reject()
{
    if (run_) {
        // Closing the window during a sweep stops it; the window closes once it ended.
        closeAfterRun_ = true;
        run_->stop();
        return;
    }
    QDialog::reject();
}

} // namespace vrnnec
