#include "app/OptimizeForm.h"

#include "app/LocaleNumbers.h"
#include "app/UserDialogs.h"
#include "engine/Calculation.h"

#include <QChart>
#include <QChartView>
#include <QCloseEvent>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QValueAxis>
#include <QVBoxLayout>

#include <cmath>

namespace vrnnec {

namespace {

enum VariableColumn { VarKind, VarTag, VarAxis, VarMin, VarMax, VarCurrent, VarColumns };
enum GoalColumn { GoalKindColumn, GoalTarget, GoalWeight, GoalColumns };

QString cell(const QTableWidget* table, int row, int column)
{
    const QTableWidgetItem* item = table->item(row, column);
    return item ? item->text().trimmed() : QString();
}

QTableWidget* makeTable(const QStringList& headings, const QString& name)
{
    auto* table = new QTableWidget(0, static_cast<int>(headings.size()));
    table->setObjectName(name);
    table->setHorizontalHeaderLabels(headings);
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    table->verticalHeader()->setVisible(false);
    return table;
}

QPushButton* button(const QString& text, const QString& name)
{
    auto* b = new QPushButton(text);
    b->setObjectName(name);
    return b;
}

} // namespace

TOptimizeForm::TOptimizeForm(const OptimizeContext& context, std::vector<std::string> deck, QWidget* parent)
    : QWidget(parent, Qt::Window), context_(context), deck_(std::move(deck)), ticker_(this)
{
    setObjectName(QStringLiteral("TOptimizeForm"));
    setWindowTitle(QStringLiteral("Optimize"));
    setAttribute(Qt::WA_DeleteOnClose);

    variables_ = makeTable({"Kind", "Tag", "Axis", "Min, m", "Max, m", "Current, m"}, QStringLiteral("VariablesTable"));
    goals_ = makeTable({"Goal", "Target", "Weight"}, QStringLiteral("GoalsTable"));
    auto* addVariableButton = button(QStringLiteral("Add variable"), QStringLiteral("AddVariableButton"));
    auto* removeVariableButton = button(QStringLiteral("Remove variable"), QStringLiteral("RemoveVariableButton"));
    auto* addGoalButton = button(QStringLiteral("Add goal"), QStringLiteral("AddGoalButton"));
    auto* removeGoalButton = button(QStringLiteral("Remove goal"), QStringLiteral("RemoveGoalButton"));

    centre_ = new QLineEdit;
    centre_->setObjectName(QStringLiteral("CentreField"));
    centre_->setPlaceholderText(QStringLiteral("deck's FR card"));
    band_ = new QLineEdit(QStringLiteral("0"));
    band_->setObjectName(QStringLiteral("BandWidthField"));
    points_ = new QSpinBox;
    points_->setObjectName(QStringLiteral("PointsField"));
    points_->setRange(analyses::kMinPoints, analyses::kMaxPoints);
    points_->setSingleStep(2);
    points_->setValue(5);
    method_ = new QComboBox;
    method_->setObjectName(QStringLiteral("MethodCombo"));
    method_->addItems({QStringLiteral("local"), QStringLiteral("global")});
    evaluations_ = new QSpinBox;
    evaluations_->setObjectName(QStringLiteral("EvaluationsField"));
    evaluations_->setRange(1, 100000);
    evaluations_->setValue(200);

    start_ = button(QStringLiteral("Start"), QStringLiteral("StartButton"));
    stop_ = button(QStringLiteral("Stop"), QStringLiteral("StopButton"));
    apply_ = button(QStringLiteral("Apply"), QStringLiteral("ApplyButton"));
    stop_->setEnabled(false);
    apply_->setEnabled(false);
    done_ = new QLabel(QStringLiteral("Evaluations: 0"));
    done_->setObjectName(QStringLiteral("EvaluationsLabel"));
    failed_ = new QLabel(QStringLiteral("Failed: 0"));
    failed_->setObjectName(QStringLiteral("FailedLabel"));
    elapsed_ = new QLabel(QStringLiteral("Elapsed: 0:00"));
    elapsed_->setObjectName(QStringLiteral("ElapsedLabel"));
    best_ = new QPlainTextEdit;
    best_->setObjectName(QStringLiteral("BestValuesMemo"));
    best_->setReadOnly(true);

    series_ = new QLineSeries;
    auto* chart = new QChart;
    chart->legend()->hide();
    chart->addSeries(series_);
    axisX_ = new QValueAxis;
    axisX_->setTitleText(QStringLiteral("Evaluations"));
    axisX_->setLabelFormat(QStringLiteral("%d"));
    axisY_ = new QValueAxis;
    axisY_->setTitleText(QStringLiteral("Best goal"));
    chart->addAxis(axisX_, Qt::AlignBottom);
    chart->addAxis(axisY_, Qt::AlignLeft);
    series_->attachAxis(axisX_);
    series_->attachAxis(axisY_);
    auto* chartView = new QChartView(chart);
    chartView->setObjectName(QStringLiteral("GoalChart"));
    chartView->setMinimumSize(360, 220);

    auto* settings = new QFormLayout;
    settings->addRow(QStringLiteral("Centre, MHz:"), centre_);
    settings->addRow(QStringLiteral("Band width, kHz (0: one frequency):"), band_);
    settings->addRow(QStringLiteral("Points:"), points_);
    settings->addRow(QStringLiteral("Method:"), method_);
    settings->addRow(QStringLiteral("Most evaluations:"), evaluations_);

    auto* variableButtons = new QHBoxLayout;
    variableButtons->addWidget(addVariableButton);
    variableButtons->addWidget(removeVariableButton);
    auto* goalButtons = new QHBoxLayout;
    goalButtons->addWidget(addGoalButton);
    goalButtons->addWidget(removeGoalButton);
    auto* left = new QVBoxLayout;
    left->addWidget(new QLabel(QStringLiteral("Variables:")));
    left->addWidget(variables_);
    left->addLayout(variableButtons);
    left->addWidget(new QLabel(QStringLiteral("Goals:")));
    left->addWidget(goals_);
    left->addLayout(goalButtons);
    left->addLayout(settings);
    auto* runButtons = new QHBoxLayout;
    runButtons->addWidget(start_);
    runButtons->addWidget(stop_);
    runButtons->addWidget(apply_);
    auto* counters = new QHBoxLayout;
    counters->addWidget(done_);
    counters->addWidget(failed_);
    counters->addWidget(elapsed_);
    auto* right = new QVBoxLayout;
    right->addLayout(runButtons);
    right->addLayout(counters);
    right->addWidget(chartView, 1);
    right->addWidget(new QLabel(QStringLiteral("Best values:")));
    right->addWidget(best_);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left, 1);
    layout->addLayout(right, 1);

    connect(addVariableButton, &QPushButton::clicked, this, [this] {
        addVariable(QStringLiteral("length"), analyses::FirstWireTag(deck_).value_or(1), QString(), QString(),
                    QString());
    });
    connect(removeVariableButton, &QPushButton::clicked, this, [this] {
        if (variables_->currentRow() >= 0)
            variables_->removeRow(variables_->currentRow());
    });
    connect(addGoalButton, &QPushButton::clicked, this,
            [this] { addGoal(QStringLiteral("swr"), QStringLiteral("1"), QStringLiteral("1")); });
    connect(removeGoalButton, &QPushButton::clicked, this, [this] {
        if (goals_->currentRow() >= 0)
            goals_->removeRow(goals_->currentRow());
    });
    connect(variables_, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* item) {
        if (item->column() != VarCurrent)
            refreshCurrentValues();
    });
    connect(start_, &QPushButton::clicked, this, &TOptimizeForm::StartButtonClick);
    connect(stop_, &QPushButton::clicked, this, &TOptimizeForm::StopButtonClick);
    connect(apply_, &QPushButton::clicked, this, &TOptimizeForm::ApplyButtonClick);
    connect(&run_, &analyses::OptimizeRun::improved, this, &TOptimizeForm::onImproved);
    connect(&run_, &analyses::OptimizeRun::progress, this, [this](int evaluations, int failed) {
        done_->setText(QStringLiteral("Evaluations: %1").arg(evaluations));
        failed_->setText(QStringLiteral("Failed: %1").arg(failed));
    });
    connect(&run_, &analyses::OptimizeRun::finished, this, &TOptimizeForm::onFinished);
    ticker_.setInterval(1000);
    connect(&ticker_, &QTimer::timeout, this, [this] {
        elapsed_->setText(QStringLiteral("Elapsed: ")
                          + engine::Calculation::elapsedText(static_cast<int>(clock_.elapsed() / 1000)));
    });
    resize(900, 560);
}

TOptimizeForm::~TOptimizeForm()
{
    run_.stop();
}

void TOptimizeForm::addVariable(const QString& kind, long long tag, const QString& axis, const QString& min,
                                const QString& max)
{
    QSignalBlocker block(variables_);
    const int row = variables_->rowCount();
    variables_->insertRow(row);
    const QString texts[] = {kind, QString::number(tag), axis, min, max};
    for (int c = 0; c < 5; ++c)
        variables_->setItem(row, c, new QTableWidgetItem(texts[c]));
    auto* current = new QTableWidgetItem;
    current->setFlags(current->flags() & ~Qt::ItemIsEditable);
    variables_->setItem(row, VarCurrent, current);
    // A new range: 10 % either side of the deck's value.
    if (min.isEmpty() && max.isEmpty()) {
        analyses::OptimizeVariable v{analyses::KindFromName(kind.toStdString()).value_or(analyses::VariableKind::Length),
                                     tag, axis.isEmpty() ? 'x' : axis.at(0).toLatin1(), 0, 0};
        if (const auto value = analyses::VariableValue(deck_, v)) {
            const double span = std::max(std::fabs(*value) * 0.1, v.kind == analyses::VariableKind::Move ? 1.0 : 0.0);
            variables_->item(row, VarMin)->setText(localenum::general(analyses::RoundForDeck(*value - span)));
            variables_->item(row, VarMax)->setText(localenum::general(analyses::RoundForDeck(*value + span)));
        }
    }
    block.unblock();
    refreshCurrentValues();
}

void TOptimizeForm::addGoal(const QString& kind, const QString& target, const QString& weight)
{
    const int row = goals_->rowCount();
    goals_->insertRow(row);
    goals_->setItem(row, GoalKindColumn, new QTableWidgetItem(kind));
    goals_->setItem(row, GoalTarget, new QTableWidgetItem(target));
    goals_->setItem(row, GoalWeight, new QTableWidgetItem(weight));
}

void TOptimizeForm::refreshCurrentValues()
{
    QSignalBlocker block(variables_);
    for (int row = 0; row < variables_->rowCount(); ++row) {
        const auto kind = analyses::KindFromName(cell(variables_, row, VarKind).toStdString());
        bool tagOk = false;
        const long long tag = cell(variables_, row, VarTag).toLongLong(&tagOk);
        const QString axis = cell(variables_, row, VarAxis);
        std::optional<double> value;
        if (kind && tagOk)
            value = analyses::VariableValue(deck_, {*kind, tag, axis.isEmpty() ? 'x' : axis.at(0).toLatin1(), 0, 0});
        if (QTableWidgetItem* item = variables_->item(row, VarCurrent))
            item->setText(value ? localenum::general(analyses::RoundForDeck(*value)) : QStringLiteral("-"));
    }
}

std::optional<analyses::OptimizeRequest> TOptimizeForm::readRequest(QString& message) const
{
    analyses::OptimizeRequest request;
    request.programFolder = context_.programFolder;
    request.workingFolder = context_.workingFolder;
    request.deck = deck_;
    request.jobs = context_.jobs;
    request.settings.reference = context_.reference;
    for (int row = 0; row < variables_->rowCount(); ++row) {
        const QString kindText = cell(variables_, row, VarKind);
        const auto kind = analyses::KindFromName(kindText.toStdString());
        analyses::OptimizeVariable v;
        bool tagOk = false;
        v.tag = cell(variables_, row, VarTag).toLongLong(&tagOk);
        const QString axis = cell(variables_, row, VarAxis).toLower();
        const QString where = QStringLiteral("Variable row %1: ").arg(row + 1);
        if (!kind) {
            message = where + QStringLiteral("the kind must be length, move or radius.");
            return std::nullopt;
        }
        v.kind = *kind;
        if (!tagOk) {
            message = where + QStringLiteral("the tag is not a whole number.");
            return std::nullopt;
        }
        if (v.kind == analyses::VariableKind::Move) {
            if (axis != QLatin1String("x") && axis != QLatin1String("y") && axis != QLatin1String("z")) {
                message = where + QStringLiteral("the axis must be x, y or z.");
                return std::nullopt;
            }
            v.axis = axis.at(0).toLatin1();
        }
        if (!localenum::readReal(cell(variables_, row, VarMin), v.min)
            || !localenum::readReal(cell(variables_, row, VarMax), v.max)) {
            message = where + QStringLiteral("the range is not a number.");
            return std::nullopt;
        }
        request.variables.push_back(v);
    }
    for (int row = 0; row < goals_->rowCount(); ++row) {
        const auto kind = analyses::GoalKindFromName(cell(goals_, row, GoalKindColumn).toStdString());
        const QString where = QStringLiteral("Goal row %1: ").arg(row + 1);
        analyses::OptimizeGoal goal;
        if (!kind) {
            message = where + QStringLiteral("the goal must be swr, x, r, gain or fb.");
            return std::nullopt;
        }
        goal.kind = *kind;
        const QString target = cell(goals_, row, GoalTarget);
        if (analyses::GoalHasTarget(goal.kind) && !(target.isEmpty() && goal.kind == analyses::GoalKind::Swr)
            && !localenum::readReal(target, goal.target)) {
            message = where + QStringLiteral("the target is not a number.");
            return std::nullopt;
        }
        if (!localenum::readReal(cell(goals_, row, GoalWeight), goal.weight) || !(goal.weight > 0)) {
            message = where + QStringLiteral("the weight must be a number above 0.");
            return std::nullopt;
        }
        request.goals.push_back(goal);
    }
    double number = 0;
    if (!centre_->text().trimmed().isEmpty()) {
        if (!localenum::readReal(centre_->text().trimmed(), number)) {
            message = QString::fromLatin1(analyses::sweepmessages::kCheckFrequency);
            return std::nullopt;
        }
        request.settings.centre = number;
    }
    if (!localenum::readReal(band_->text().trimmed(), request.settings.bandKHz)) {
        message = QString::fromLatin1(analyses::sweepmessages::kBadBandWidth);
        return std::nullopt;
    }
    request.settings.points = points_->value();
    request.settings.method =
        method_->currentIndex() == 0 ? analyses::SearchMethod::Local : analyses::SearchMethod::Global;
    request.settings.maxEvaluations = evaluations_->value();
    return request;
}

void TOptimizeForm::StartButtonClick()
{
    if (run_.isRunning())
        return;
    QString message;
    const auto request = readRequest(message);
    if (!request) {
        context_.dialogs->showMessage(message);
        return;
    }
    series_->clear();
    best_->clear();
    done_->setText(QStringLiteral("Evaluations: 0"));
    failed_->setText(QStringLiteral("Failed: 0"));
    elapsed_->setText(QStringLiteral("Elapsed: 0:00"));
    runVariables_ = request->variables;
    if (!run_.start(*request)) {
        // The refused run has replaced the earlier one's result: nothing is left to apply.
        setRunning(false);
        context_.dialogs->showMessage(QString::fromStdString(run_.result().message));
        return;
    }
    clock_.start();
    ticker_.start();
    setRunning(true);
}

void TOptimizeForm::StopButtonClick()
{
    run_.stop();
}

void TOptimizeForm::ApplyButtonClick()
{
    if (run_.isRunning() || !run_.result().bestGoal)
        return;
    if (onApply)
        onApply(run_.result().bestDeck);
}

void TOptimizeForm::setRunning(bool running)
{
    start_->setEnabled(!running);
    stop_->setEnabled(running);
    apply_->setEnabled(!running && run_.result().bestGoal.has_value());
    for (QWidget* w : std::initializer_list<QWidget*>{variables_, goals_, centre_, band_, points_, method_, evaluations_})
        w->setEnabled(!running);
}

void TOptimizeForm::onImproved(int evaluation, double goal, const std::vector<double>& values)
{
    series_->append(evaluation, goal);
    const QList<QPointF> points = series_->points();
    double low = points.front().y(), high = low;
    for (const QPointF& p : points) {
        low = std::min(low, p.y());
        high = std::max(high, p.y());
    }
    const double margin = high > low ? (high - low) * 0.05 : std::max(1e-6, std::fabs(high) * 0.05 + 1e-6);
    axisY_->setRange(low - margin, high + margin);
    axisX_->setRange(0, std::max(evaluation, evaluations_->value()));
    showBest(values);
    best_->appendPlainText(QStringLiteral("Goal: %1 after %2 evaluations").arg(localenum::general(goal)).arg(evaluation));
}

void TOptimizeForm::showBest(const std::vector<double>& values)
{
    best_->clear();
    for (std::size_t v = 0; v < runVariables_.size() && v < values.size(); ++v) {
        QString line = QString::fromStdString(analyses::VariableResultLine(runVariables_[v], values[v]));
        line.replace(QLatin1Char('.'), QLatin1Char(localenum::decimalSeparator()));
        best_->appendPlainText(line);
    }
}

void TOptimizeForm::onFinished()
{
    ticker_.stop();
    elapsed_->setText(QStringLiteral("Elapsed: ")
                      + engine::Calculation::elapsedText(static_cast<int>(clock_.elapsed() / 1000)));
    setRunning(false);
    emit finished();
}

void TOptimizeForm::closeEvent(QCloseEvent* event)
{
    run_.stop();
    if (run_.isRunning()) {
        // The engines end first; the window closes once the run has finished.
        connect(&run_, &analyses::OptimizeRun::finished, this, &QWidget::close, Qt::QueuedConnection);
        event->ignore();
        return;
    }
    QWidget::closeEvent(event);
}

} // namespace vrnnec
