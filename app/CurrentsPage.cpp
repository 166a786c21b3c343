#include "app/CurrentsPage.h"

#include "app/LocaleNumbers.h"
#include "app/SwrReferenceFields.h"
#include "app/WaitCursor.h"
#include "common/NumberText.h"
#include "ui_CurrentsPage.h"

#include <QBoxLayout>
#include <QChart>
#include <QEvent>
#include <QLineSeries>
#include <QMenu>
#include <QSignalBlocker>
#include <QValueAxis>

#include <algorithm>

namespace vrnnec {

namespace {

// Reads an integer field; the conversion message when it does not read.
bool readInteger(const QLineEdit& field, long long& value, QString& refusal)
{
    const std::string text = field.text().toStdString();
    if (numtext::parseInteger(numtext::trimBlanks(text), value))
        return true;
    refusal = QString::fromStdString(numtext::invalidIntegerMessage(text));
    return false;
}

} // namespace

CurrentsPage::CurrentsPage(QWidget* parent) : LazyPage("TabSheet5", parent)
{}

CurrentsPage::~CurrentsPage() = default;

Ui::CurrentsPage& CurrentsPage::controls()
{
    ensureBuilt();
    return *ui_;
}

void CurrentsPage::build()
{
    ui_ = std::make_unique<Ui::CurrentsPage>();
    Ui::CurrentsPage& u = *ui_;
    u.setupUi(this);
    u.CurrentChart->installEventFilter(this);

    popupMenu_ = new QMenu(this);
    popupMenu_->setObjectName(QStringLiteral("GFPopupMenu"));
    popupMenu_->addAction(u.CopyGF);
    QWidget* group = u.GroupBox6;
    connect(group, &QWidget::customContextMenuRequested, popupMenu_,
            [this, group](const QPoint& position) { popupMenu_->popup(group->mapToGlobal(position)); });
    // "Copy GF to working folder" as a button of the group too.
    if (auto* layout = qobject_cast<QBoxLayout*>(group->layout())) {
        auto* copy = new QPushButton(QStringLiteral("Copy GF to working folder"), group);
        copy->setObjectName(QStringLiteral("CopyGFButton"));
        layout->insertWidget(layout->indexOf(u.GFwriteButton) + 1, copy);
        connect(copy, &QPushButton::clicked, this, &CurrentsPage::copyGreenFunctionRequested);
    }
    connect(u.CopyGF, &QAction::triggered, this, &CurrentsPage::copyGreenFunctionRequested);
    connect(u.GFwriteButton, &QPushButton::clicked, this, &CurrentsPage::greenFunctionWriteRequested);
    connect(u.ElectricNFButton, &QPushButton::clicked, this,
            [this] { emit nearFieldRequested(results::NearField::Electric); });
    connect(u.MagneticNFButton, &QPushButton::clicked, this,
            [this] { emit nearFieldRequested(results::NearField::Magnetic); });

    connect(u.TagNumField, &QComboBox::currentTextChanged, this, &CurrentsPage::currentsChoiceChanged);
    connect(u.LLCheckBox, &QCheckBox::clicked, this, &CurrentsPage::currentsChoiceChanged);
    connect(u.PHIndCheckBox, &QCheckBox::clicked, this, &CurrentsPage::currentsChoiceChanged);
    connect(u.SaveCurrentButton, &QPushButton::clicked, this, &CurrentsPage::saveCurrentsRequested);

    if (swrPending_) {
        u.ZSwrReNEC2Field->setText(pendingSwr_.r);
        u.ZSwrImNEC2Field->setText(pendingSwr_.x);
        swrPending_ = false;
    }
    connect(u.ZSwrReNEC2Field, &QLineEdit::textChanged, this, &CurrentsPage::swrReferenceEdited);
    connect(u.ZSwrImNEC2Field, &QLineEdit::textChanged, this, &CurrentsPage::swrReferenceEdited);
}

std::vector<std::pair<QAbstractButton*, Command>> CurrentsPage::commandEntries()
{
    // The viewer button is an entry of the viewer command: the window binds it.
    return {{controls().ViewerCallButton, Command::Viewer}};
}

void CurrentsPage::setTags(const std::vector<std::string>& tags)
{
    QComboBox* field = controls().TagNumField;
    const QSignalBlocker block(field);
    field->clear();
    for (const std::string& tag : tags)
        field->addItem(QString::fromStdString(tag));
}

std::optional<long long> CurrentsPage::selectFirstTag()
{
    QComboBox* field = controls().TagNumField;
    if (field->count() == 0)
        return std::nullopt;
    {
        const QSignalBlocker block(field);
        field->setCurrentIndex(0);
    }
    long long tag = 0;
    if (!numtext::parseInteger(field->itemText(0).toStdString(), tag))
        return std::nullopt;
    return tag;
}

results::TagChoice CurrentsPage::tagChoice()
{
    const QComboBox* field = controls().TagNumField;
    std::vector<std::string> items;
    for (int i = 0; i < field->count(); ++i)
        items.push_back(field->itemText(i).toStdString());
    return results::chooseTag(field->currentText().toStdString(), items);
}

bool CurrentsPage::distanceInWavelengths()
{
    return controls().LLCheckBox->isChecked();
}

bool CurrentsPage::phaseIndicated()
{
    return controls().PHIndCheckBox->isChecked();
}

void CurrentsPage::showCurrents(const results::WireCurrentChart& chart)
{
    ensureChart();
    chart_->setTitle(QString::fromStdString(chart.title));
    if (chart.setAxis)
        axisLeft_->setRange(chart.axisMinimum, chart.axisMaximum);
    if (chart.replaceSeries) {
        QList<QPointF> points;
        points.reserve(static_cast<qsizetype>(chart.points.size()));
        for (const results::CurrentPoint& p : chart.points)
            points.append(QPointF(p.distance, p.current));
        series_->replace(points);
    }
}

void CurrentsPage::setResultsRead(bool read)
{
    Ui::CurrentsPage& u = controls();
    for (QWidget* control :
         std::initializer_list<QWidget*>{u.SaveCurrentButton, u.TagNumField, u.LLCheckBox, u.PHIndCheckBox})
        control->setEnabled(read);
}

SwrReferenceTexts CurrentsPage::swrReferenceTexts() const
{
    if (ui_ == nullptr)
        return swrPending_ ? pendingSwr_
                           : SwrReferenceTexts{QString::fromLatin1(swrfields::kDefaultRText),
                                               QString::fromLatin1(swrfields::kDefaultXText)};
    return {ui_->ZSwrReNEC2Field->text(), ui_->ZSwrImNEC2Field->text()};
}

void CurrentsPage::setSwrReferenceTexts(const SwrReferenceTexts& texts)
{
    if (ui_ == nullptr) {
        pendingSwr_ = texts;
        swrPending_ = true;
        return;
    }
    const QSignalBlocker blockR(ui_->ZSwrReNEC2Field);
    const QSignalBlocker blockX(ui_->ZSwrImNEC2Field);
    ui_->ZSwrReNEC2Field->setText(texts.r);
    ui_->ZSwrImNEC2Field->setText(texts.x);
}

NearFieldRequest CurrentsPage::nearFieldRequest()
{
    Ui::CurrentsPage& u = controls();
    NearFieldRequest request;
    request.fromEditWindow = u.NFfromEditWindowCheck->isChecked();
    // The counts first, then the size of the grid, then origin and step of each axis.
    const QLineEdit* counts[3] = {u.PointsXField, u.PointsYField, u.PointsZField};
    for (int k = 0; k < 3; ++k)
        if (!readInteger(*counts[k], request.grid.points[k], request.refusal))
            return request;
    request.refusal = QString::fromStdString(results::CheckNearFieldGrid(request.grid));
    if (!request.refusal.isEmpty())
        return request;
    const QLineEdit* origin[3] = {u.X0Field, u.Y0Field, u.Z0Field};
    const QLineEdit* step[3] = {u.StepXField, u.StepYField, u.StepZField};
    localenum::FieldReader read;
    for (int k = 0; k < 3; ++k) {
        request.grid.origin[k] = read(origin[k]->text());
        request.grid.step[k] = read(step[k]->text());
    }
    request.refusal = read.refusal;
    return request;
}

void CurrentsPage::showPowerBudget(const QString& line)
{
    controls().PowerBudgetMemo->setPlainText(line);
}

bool CurrentsPage::greenFunctionFromEditWindow()
{
    return !controls().GFwriteCurrentInputCheck->isChecked();
}

void CurrentsPage::setGreenFunctionWriteEnabled(bool enabled)
{
    controls().GFwriteButton->setEnabled(enabled);
}

void CurrentsPage::setFieldRunsEnabled(bool enabled)
{
    Ui::CurrentsPage& u = controls();
    for (QWidget* w : {u.GFwriteButton, u.ElectricNFButton, u.MagneticNFButton})
        w->setEnabled(enabled);
}

void CurrentsPage::setRunBusy(FieldRun run, bool busy)
{
    Ui::CurrentsPage& u = controls();
    setFieldRunsEnabled(!busy);
    QWidget* group = run == FieldRun::GreenFunction ? static_cast<QWidget*>(u.GroupBox6) : u.GroupBox7;
    QWidget* button = run == FieldRun::GreenFunction ? u.GFwriteButton
        : run == FieldRun::ElectricField             ? u.ElectricNFButton
                                                     : u.MagneticNFButton;
    showWaitCursor({group, button}, busy);
}

bool CurrentsPage::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Show && ui_ != nullptr && watched == ui_->CurrentChart)
        ensureChart();
    return LazyPage::eventFilter(watched, event);
}

void CurrentsPage::ensureChart()
{
    if (chart_ != nullptr)
        return;
    Ui::CurrentsPage& u = controls();
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

    u.CurrentChart->setChart(chart_);
    u.CurrentChart->setRenderHint(QPainter::Antialiasing, false);
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
