#include "app/FreqPlotsExtras.h"

#include "analyses/PortSweep.h"
#include "analyses/SmithChart.h"
#include "analyses/SweepGain.h"
#include "app/LocaleNumbers.h"
#include "app/SaveStatus.h"
#include "app/SmithChartWidget.h"
#include "app/UserDialogs.h"
#include "common/AtomicFile.h"
#include "common/Messages.h"
#include "editor/PatternCards.h"

#include <QApplication>
#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLegendMarker>
#include <QLineSeries>
#include <QMouseEvent>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QVBoxLayout>
#include <QValueAxis>

#include <algorithm>
#include <cmath>

namespace vrnnec {

namespace {

constexpr int kSwrTab = 1;
const QColor kMeasuredColour(Qt::magenta);

QLineSeries* seriesNamed(QChart* chart, const char* name)
{
    for (QAbstractSeries* s : chart->series())
        if (s->objectName() == QLatin1String(name))
            return qobject_cast<QLineSeries*>(s);
    return nullptr;
}

// A series beside `model` on the same axes, hidden from the legend until measured data
// arrive.
QLineSeries* measuredBeside(QChart* chart, QLineSeries* model, const char* name)
{
    auto* series = new QLineSeries(chart);
    series->setObjectName(QString::fromLatin1(name));
    series->setPen(QPen(kMeasuredColour, 1));
    chart->addSeries(series);
    for (QAbstractAxis* axis : model->attachedAxes())
        series->attachAxis(axis);
    return series;
}

// Widens a value axis so that the points' values show.
void widen(QLineSeries* series, Qt::Orientation orientation)
{
    if (series->count() == 0)
        return;
    for (QAbstractAxis* a : series->attachedAxes()) {
        auto* axis = qobject_cast<QValueAxis*>(a);
        if (!axis || axis->orientation() != orientation)
            continue;
        double low = axis->min(), high = axis->max();
        for (const QPointF& p : series->points()) {
            low = std::min(low, p.y());
            high = std::max(high, p.y());
        }
        axis->setRange(low, high);
    }
}

// Only the measured series has a legend entry; the legend shows while it has points.
void showLegend(QChart* chart, QLineSeries* measured, const QString& name)
{
    measured->setName(name);
    for (QLegendMarker* marker : chart->legend()->markers())
        marker->setVisible(marker->series() == measured);
    chart->legend()->setVisible(measured->count() > 0);
    chart->legend()->setAlignment(Qt::AlignTop);
}

QString number(double value, int decimals)
{
    return localenum::general(std::round(value * std::pow(10.0, decimals)) / std::pow(10.0, decimals));
}

} // namespace

FreqPlotsExtras::FreqPlotsExtras(const FreqPlotsParts& parts, const std::vector<std::string>& bufferDeck)
    : QObject(parts.form), parts_(parts), patternCards_(analyses::DeckPatternPair(bufferDeck)),
      sourceCount_(static_cast<int>(analyses::SourceCards(bufferDeck).size()))
{
    QWidget* form = parts.form;
    // The SWR tab gets the band line under its chart.
    QWidget* swrView = parts.pages->widget(kSwrTab);
    const QString swrTitle = parts.pages->tabText(kSwrTab);
    parts.pages->removeTab(kSwrTab);
    auto* swrPage = new QWidget(form);
    auto* swrLayout = new QVBoxLayout(swrPage);
    swrLayout->setContentsMargins(0, 0, 0, 0);
    swrLayout->addWidget(swrView, 1);
    bandLabel_ = new QLabel(swrPage);
    bandLabel_->setObjectName(QStringLiteral("FreqPlotsBandLabel"));
    swrLayout->addWidget(bandLabel_);
    parts.pages->insertTab(kSwrTab, swrPage, swrTitle);

    smith_ = new SmithChartWidget(form);
    smith_->onHover = [this](int index) { showReadout(index); };
    parts.pages->addTab(smith_, QStringLiteral("Smith"));

    auto* gainView = new QChartView(form);
    gainView->setObjectName(QStringLiteral("GainChart"));
    gainChart_ = new QChart();
    gainChart_->setBackgroundBrush(Qt::white);
    gainView->setChart(gainChart_);
    seriesGain_ = new QLineSeries(gainChart_);
    seriesGain_->setObjectName(QStringLiteral("SeriesGain"));
    seriesGain_->setName(QStringLiteral("Max gain, dBi"));
    seriesGain_->setPen(QPen(Qt::blue, 1));
    seriesFB_ = new QLineSeries(gainChart_);
    seriesFB_->setObjectName(QStringLiteral("SeriesFB"));
    seriesFB_->setName(QStringLiteral("F/B, dB"));
    seriesFB_->setPen(QPen(Qt::red, 1));
    gainChart_->addSeries(seriesGain_);
    gainChart_->addSeries(seriesFB_);
    const auto axis = [this](const QString& title, Qt::Alignment where, const QColor& labels) {
        auto* a = new QValueAxis(gainChart_);
        a->setTitleText(title);
        a->setLabelsColor(labels);
        gainChart_->addAxis(a, where);
        return a;
    };
    gainBottom_ = axis(QStringLiteral("Frequency, MHz"), Qt::AlignBottom, Qt::black);
    gainAxis_ = axis(QStringLiteral("Gain, dBi"), Qt::AlignLeft, Qt::blue);
    fbAxis_ = axis(QStringLiteral("F/B, dB"), Qt::AlignRight, Qt::red);
    seriesGain_->attachAxis(gainBottom_);
    seriesGain_->attachAxis(gainAxis_);
    seriesFB_->attachAxis(gainBottom_);
    seriesFB_->attachAxis(fbAxis_);
    const int gainTab = parts.pages->addTab(gainView, QStringLiteral("Gain"));
    parts.pages->setTabVisible(gainTab, false);

    measuredR_ = measuredBeside(parts.impedanceChart, seriesNamed(parts.impedanceChart, "SeriesR"), "MeasuredR");
    measuredJX_ = measuredBeside(parts.impedanceChart, seriesNamed(parts.impedanceChart, "SeriesJX"), "MeasuredJX");
    measuredJX_->setPen(QPen(kMeasuredColour, 1, Qt::DashLine));
    measuredSwr_ = measuredBeside(parts.swrChart, seriesNamed(parts.swrChart, "SeriesSWR"), "MeasuredSWR");
    showLegend(parts.impedanceChart, measuredR_, QString());
    showLegend(parts.swrChart, measuredSwr_, QString());

    auto* row = new QHBoxLayout();
    gainCheck_ = new QCheckBox(QStringLiteral("Gain and F/B"), form);
    gainCheck_->setObjectName(QStringLiteral("FreqPlotsGainCheck"));
    saveButton_ = new QPushButton(QStringLiteral("Save…"), form);
    saveButton_->setObjectName(QStringLiteral("FreqPlotsSaveButton"));
    saveButton_->setEnabled(false);
    loadButton_ = new QPushButton(QStringLiteral("Load measured…"), form);
    loadButton_->setObjectName(QStringLiteral("FreqPlotsLoadMeasuredButton"));
    clearButton_ = new QPushButton(QStringLiteral("Clear measured"), form);
    clearButton_->setObjectName(QStringLiteral("FreqPlotsClearMeasuredButton"));
    clearButton_->setEnabled(false);
    readout_ = new QLabel(form);
    readout_->setObjectName(QStringLiteral("FreqPlotsReadoutLabel"));
    row->addWidget(gainCheck_);
    row->addWidget(saveButton_);
    row->addWidget(loadButton_);
    row->addWidget(clearButton_);
    row->addWidget(readout_, 1);
    parts.grid->addLayout(row, parts.grid->rowCount(), 0);
    // The window's status line, below everything: where a sweep was saved.
    statusLine_ = new QStatusBar(form);
    statusLine_->setObjectName(QStringLiteral("FreqPlotsStatusLine"));
    statusLine_->setSizeGripEnabled(false);
    parts.grid->addWidget(statusLine_, parts.grid->rowCount(), 0, 1, -1);

    connect(gainCheck_, &QCheckBox::toggled, this,
            [this, gainTab](bool on) { parts_.pages->setTabVisible(gainTab, on); });
    connect(saveButton_, &QPushButton::clicked, this, [this] { SaveButtonClick(); });
    connect(loadButton_, &QPushButton::clicked, this, [this] { LoadMeasuredButtonClick(); });
    connect(clearButton_, &QPushButton::clicked, this, [this] { ClearMeasuredButtonClick(); });
    for (QChart* chart : {parts.impedanceChart, parts.swrChart, gainChart_})
        for (QGraphicsView* view : chart->scene()->views()) {
            view->viewport()->setMouseTracking(true);
            view->viewport()->installEventFilter(this);
        }
}

FreqPlotsExtras::~FreqPlotsExtras() = default;

bool FreqPlotsExtras::prepare(analyses::SweepSettings& settings)
{
    settings.patternCards.clear();
    if (!gainCheck_->isChecked())
        return true;
    if (patternCards_.empty()) {
        parts_.dialogs->showMessage(QString::fromLatin1(editor::kIncorrectRPCardsMessage));
        return false;
    }
    settings.patternCards = patternCards_;
    return true;
}

void FreqPlotsExtras::sweepDone(const analyses::SweepRequest& request, const analyses::SweepResult& result)
{
    request_ = request;
    listing_ = result.listing;
    gains_ = result.gains;
    saveButton_->setEnabled(listing_.ok() && !listing_.blocks.empty());
}

void FreqPlotsExtras::setRunning(bool running)
{
    saveButton_->setEnabled(!running && listing_.ok() && !listing_.blocks.empty());
    gainCheck_->setEnabled(!running);
}

void FreqPlotsExtras::draw(long long tag, const std::vector<analyses::SweepPointValues>& values)
{
    tag_ = tag;
    values_ = values;
    drawn_ = true;
    bandLabel_->setText(
        QString::fromStdString(analyses::SwrBandText(analyses::FindSwrBand(values))).replace('.', localenum::decimalSeparator()));
    const std::vector<analyses::SmithPoint> points =
        analyses::SweepSmithPoints(values, listing_.admittance, touchstoneReference());
    smith_->setModel(points, static_cast<int>(points.size()) / 2);
    drawGain();
    drawMeasured();
}

void FreqPlotsExtras::drawGain()
{
    QList<QPointF> gain, fb;
    for (std::size_t j = 0; j < gains_.size() && j < values_.size(); ++j) {
        if (gains_[j].maxGain)
            gain.append({values_[j].frequency, *gains_[j].maxGain});
        if (gains_[j].frontToBack)
            fb.append({values_[j].frequency, *gains_[j].frontToBack});
    }
    seriesGain_->replace(gain);
    seriesFB_->replace(fb);
    if (!values_.empty())
        gainBottom_->setRange(values_.front().frequency, values_.back().frequency);
    const auto fit = [](QValueAxis* axis, const QList<QPointF>& points) {
        if (points.isEmpty())
            return;
        double low = points.front().y(), high = low;
        for (const QPointF& p : points) {
            low = std::min(low, p.y());
            high = std::max(high, p.y());
        }
        axis->setRange(low - 0.5, high + 0.5);
        axis->applyNiceNumbers();
    };
    fit(gainAxis_, gain);
    fit(fbAxis_, fb);
}

void FreqPlotsExtras::drawMeasured()
{
    QList<QPointF> r, x, swr;
    std::vector<analyses::SmithPoint> smith;
    engine::SwrReference reference = *parts_.swrReference;
    for (std::size_t k = 0; k < measured_.s11.size(); ++k) {
        const analyses::Complex z = analyses::ImpedanceFromReflection(measured_.s11[k], measured_.reference);
        const double f = measured_.frequency[k];
        if (!std::isfinite(z.real()) || !std::isfinite(z.imag()))
            continue;
        r.append({f, z.real()});
        x.append({f, z.imag()});
        const double s = engine::ComputeSwr(z.real(), z.imag(), reference);
        if (std::isfinite(s))
            swr.append({f, s});
        smith.push_back(analyses::SmithPosition(z.real(), z.imag(), touchstoneReference()));
    }
    measuredR_->replace(r);
    measuredJX_->replace(x);
    measuredSwr_->replace(swr);
    widen(measuredR_, Qt::Vertical);
    widen(measuredJX_, Qt::Vertical);
    widen(measuredSwr_, Qt::Vertical);
    showLegend(parts_.impedanceChart, measuredR_, measuredName_);
    showLegend(parts_.swrChart, measuredSwr_, measuredName_);
    if (smith.empty())
        smith_->clearMeasured();
    else
        smith_->setMeasured(smith, measuredName_);
    clearButton_->setEnabled(!measured_.s11.empty());
}

void FreqPlotsExtras::showReadout(int index)
{
    if (index < 0 || index >= static_cast<int>(values_.size())) {
        readout_->clear();
        return;
    }
    const analyses::SweepPointValues& v = values_[static_cast<std::size_t>(index)];
    QString text = number(v.frequency, 4) + QStringLiteral(" MHz");
    const QString first = listing_.admittance ? QStringLiteral("G ") : QStringLiteral("R ");
    const QString second = listing_.admittance ? QStringLiteral("jB ") : QStringLiteral("jX ");
    if (v.r && v.x)
        text += QStringLiteral(",  ") + first + number(*v.r, 3) + QStringLiteral(",  ") + second + number(*v.x, 3);
    if (v.swr)
        text += QStringLiteral(",  SWR ")
            + (std::isfinite(*v.swr) ? number(*v.swr, 2) : QStringLiteral("inf"));
    if (static_cast<std::size_t>(index) < gains_.size()) {
        const analyses::GainPoint& g = gains_[static_cast<std::size_t>(index)];
        if (g.maxGain)
            text += QStringLiteral(",  Gain ") + number(*g.maxGain, 2) + QStringLiteral(" dBi");
        if (g.frontToBack)
            text += QStringLiteral(",  F/B ") + number(*g.frontToBack, 2) + QStringLiteral(" dB");
    }
    readout_->setText(text);
}

bool FreqPlotsExtras::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseMove && !values_.empty()) {
        for (QChart* chart : {parts_.impedanceChart, parts_.swrChart, gainChart_})
            for (QGraphicsView* view : chart->scene()->views())
                if (view->viewport() == watched) {
                    const QPointF scene = view->mapToScene(static_cast<QMouseEvent*>(event)->position().toPoint());
                    const double f = chart->mapToValue(chart->mapFromScene(scene)).x();
                    const auto nearest = std::min_element(values_.begin(), values_.end(), [f](const auto& a, const auto& b) {
                        return std::fabs(a.frequency - f) < std::fabs(b.frequency - f);
                    });
                    showReadout(static_cast<int>(nearest - values_.begin()));
                }
    }
    return QObject::eventFilter(watched, event);
}

double FreqPlotsExtras::touchstoneReference() const
{
    const engine::SwrReference& reference = *parts_.swrReference;
    return reference.r == 0 && reference.x == 0 ? 50 : reference.r;
}

std::optional<std::string> FreqPlotsExtras::saveTouchstone(const QString& path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    const int ports = sourceCount_;
    const std::vector<std::string> comments = {"Frequency plots sweep"};
    if (suffix == QLatin1String("s1p")) {
        const std::vector<analyses::TouchstonePoint> points =
            analyses::OnePortScattering(listing_, request_.settings, tag_, touchstoneReference());
        return analyses::WriteTouchstone(path.toStdString(), points, touchstoneReference(),
                                         analyses::TouchstoneFormat::RI,
                                         {"Frequency plots sweep, tag " + std::to_string(tag_)});
    }
    if (suffix != QStringLiteral("s%1p").arg(ports) || ports < 2)
        return "Choose a file of type .csv, .s1p" + (ports >= 2 ? ", or .s" + std::to_string(ports) + "p" : std::string());
    // The port solutions come with a sweep that asked for them: the shown sweep runs again
    // once (the window shows its progress and can stop it) unless it already has them.
    if (listing_.blocks.empty() || listing_.blocks.front().portSources.size() != static_cast<std::size_t>(ports)) {
        if (!parts_.runPortSweep || !parts_.runPortSweep())
            return std::nullopt; // stopped or failed: nothing written, the window has said why
    }
    const analyses::PortSweepData data = analyses::PortAdmittances(listing_, request_.settings);
    if (!data.ok())
        return data.message;
    return analyses::WriteTouchstone(path.toStdString(), analyses::PortScattering(data, touchstoneReference()),
                                     touchstoneReference(), analyses::TouchstoneFormat::RI, comments);
}

void FreqPlotsExtras::SaveButtonClick()
{
    if (listing_.blocks.empty())
        return;
    const int ports = sourceCount_;
    QString filter = QStringLiteral("Comma-separated values|*.csv|Touchstone one-port (shown tag)|*.s1p");
    if (ports >= 2)
        filter += QStringLiteral("|Touchstone %1-port (all sources)|*.s%1p").arg(ports);
    const QString path = parts_.dialogs->saveFileName(QStringLiteral("Save sweep"), filter, QStringLiteral("csv"),
                                                      request_.programFolder, QStringLiteral("sweep"));
    if (path.isEmpty())
        return;
    savestatus::clear(*statusLine_);
    std::string failure;
    const bool csvFile = QFileInfo(path).suffix().toLower() == QLatin1String("csv");
    if (csvFile) {
        const std::string csv = analyses::SweepCsvText(listing_, request_.settings, *parts_.swrReference, gains_);
        if (!atomicfile::WriteFileAtomically(path.toStdString(), csv).empty())
            failure = atomicfile::UnableToWriteMessage(path.toStdString());
    } else {
        failure = analyses::TouchstoneReferenceMessage(parts_.swrReference->x);
        if (failure.empty()) {
            const std::optional<std::string> written = saveTouchstone(path);
            if (!written)
                return;
            failure = *written;
        }
    }
    if (!failure.empty())
        parts_.dialogs->showMessage(QString::fromStdString(failure));
    else
        savestatus::saved(*statusLine_, csvFile ? messages::kSavedCsv : messages::kSavedTouchstone, path);
}

void FreqPlotsExtras::LoadMeasuredButtonClick()
{
    const QString path = parts_.dialogs->openFileName(
        QStringLiteral("Load measured"), QStringLiteral("Touchstone one-port|*.s1p;*.S1P|All files|*"),
        request_.programFolder);
    if (path.isEmpty())
        return;
    analyses::MeasuredSweep read = analyses::ReadTouchstoneOnePort(path.toStdString());
    if (!read.ok()) {
        parts_.dialogs->showMessage(QFileInfo(path).fileName() + QStringLiteral(": ")
                                    + QString::fromStdString(read.message));
        return;
    }
    measured_ = std::move(read);
    measuredName_ = QFileInfo(path).fileName();
    drawMeasured();
}

void FreqPlotsExtras::ClearMeasuredButtonClick()
{
    measured_ = {};
    measuredName_.clear();
    drawMeasured();
}

} // namespace vrnnec
