#include "app/ResultsTablePage.h"

#include "app/LocaleNumbers.h"
#include "app/ResultMemo.h"
#include "app/WaitCursor.h"
#include "common/NumberText.h"
#include "ui_ResultsTablePage.h"

#include <QEvent>
#include <QHeaderView>
#include <QMenu>

#include <algorithm>

namespace vrnnec {

ResultsTablePage::ResultsTablePage(QWidget* parent) : LazyPage("TabSheet3", parent)
{}

ResultsTablePage::~ResultsTablePage() = default;

void ResultsTablePage::build()
{
    ui_ = std::make_unique<Ui::ResultsTablePage>();
    ui_->setupUi(this);
    resultmemo::setUp(*ui_->ImpedanceScreen1, false);

    // The grid of the results has its titles in the horizontal header, so the first data
    // row is table row 0: "row 1" of the results is row 0 here, and the table starts with
    // that one empty data row. There is no row header; the run number is column "N".
    table_ = ui_->ResultsTable;
    table_->verticalHeader()->hide();
    table_->setRowCount(1);
    // The columns share the grid's width: set whenever the grid changes its size, as the
    // window may first be shown smaller than designed (on a small screen).
    table_->installEventFilter(this);

    // The keys of the page's buttons.
    ui_->ButtonVRNfileFind1->setText(QStringLiteral("&Find VORNA file"));
    ui_->RefreshButton1->setText(QStringLiteral("&Refresh"));
    ui_->Execute_Original1->setText(QStringLiteral("Calculate at &original of VORNA file"));
    ui_->Execute1->setText(QStringLiteral("Calculate &with dielectric coated wires"));

    connect(ui_->EnableParamChangeCheck, &QCheckBox::toggled, this, &ResultsTablePage::parameterChangeToggled);
    connect(ui_->GNDParChangeButton, &QPushButton::clicked, this, &ResultsTablePage::groundParametersRequested);
    connect(ui_->HAntField, &QLineEdit::textChanged, this, &ResultsTablePage::heightTextChanged);
    connect(ui_->FreqVRNChangeField, &QLineEdit::textChanged, this, &ResultsTablePage::frequencyTextChanged);
}

QList<std::pair<QAbstractButton*, Command>> ResultsTablePage::commandEntries()
{
    ensureBuilt();
    return {{ui_->ButtonVRNfileFind1, Command::FindAntennaFile},
            {ui_->RefreshButton1, Command::Refresh},
            {ui_->Execute_Original1, Command::CalculateOriginal},
            {ui_->Execute1, Command::CalculateCoated}};
}

void ResultsTablePage::setTableMenu(QMenu* menu)
{
    ensureBuilt();
    connect(table_, &QWidget::customContextMenuRequested, menu,
            [this, menu](const QPoint& position) { menu->popup(table_->viewport()->mapToGlobal(position)); });
}

void ResultsTablePage::setAntennaFileName(const QString& path)
{
    ensureBuilt();
    ui_->VRNfileName1->setPlainText(path);
}

void ResultsTablePage::clearSummary()
{
    ensureBuilt();
    ui_->ImpedanceScreen1->clear();
}

void ResultsTablePage::addRow()
{
    const QTableWidgetItem* first = table_->item(0, 0);
    if (first == nullptr || first->text().isEmpty())
        return;
    table_->insertRow(0);
}

void ResultsTablePage::appendRun(const std::vector<std::string>& summaryLines,
                                 const std::vector<results::TableStep>& steps)
{
    ensureBuilt();
    resultmemo::append(*ui_->ImpedanceScreen1, summaryLines);
    for (const results::TableStep& step : steps) {
        if (step.addRow)
            addRow();
        for (std::size_t i = 0; i < step.cells.size(); ++i)
            table_->setItem(0, step.firstColumn + static_cast<int>(i),
                            new QTableWidgetItem(QString::fromStdString(step.cells[i])));
    }
}

std::vector<std::vector<QString>> ResultsTablePage::rows()
{
    ensureBuilt();
    std::vector<std::vector<QString>> rows(static_cast<std::size_t>(table_->rowCount()));
    for (int row = 0; row < table_->rowCount(); ++row)
        for (int column = 0; column < table_->columnCount(); ++column) {
            const QTableWidgetItem* item = table_->item(row, column);
            rows[static_cast<std::size_t>(row)].push_back(item != nullptr ? item->text() : QString());
        }
    return rows;
}

void ResultsTablePage::resetParameterChange(double fileHeightM, double fileFrequencyMHz, bool offerChange)
{
    ensureBuilt();
    ui_->HAntField->setText(localenum::general(fileHeightM));
    ui_->FreqVRNChangeField->setText(localenum::general(fileFrequencyMHz));
    ui_->EnableParamChangeCheck->setChecked(false);
    applyParameterChange(fileHeightM, fileFrequencyMHz);
    if (offerChange)
        ui_->EnableParamChangeCheck->setEnabled(true);
    ui_->HAntField->setEnabled(false);
    ui_->FreqVRNChangeField->setEnabled(false);
}

void ResultsTablePage::applyParameterChange(double fileHeightM, double fileFrequencyMHz)
{
    ensureBuilt();
    const bool changing = ui_->EnableParamChangeCheck->isChecked() && ui_->EnableParamChangeCheck->isEnabled();
    ui_->HAntField->setEnabled(changing);
    ui_->FreqVRNChangeField->setEnabled(changing);
    ui_->GNDParChangeButton->setEnabled(changing);
    if (!changing) {
        ui_->HAntField->setText(localenum::general(fileHeightM));
        ui_->FreqVRNChangeField->setText(localenum::general(fileFrequencyMHz));
    }
}

bool ResultsTablePage::changesParameters()
{
    ensureBuilt();
    return ui_->EnableParamChangeCheck->isChecked();
}

QString ResultsTablePage::heightText()
{
    ensureBuilt();
    return ui_->HAntField->text();
}

QString ResultsTablePage::frequencyText()
{
    ensureBuilt();
    return ui_->FreqVRNChangeField->text();
}

void ResultsTablePage::setHeight(double heightM)
{
    ensureBuilt();
    ui_->HAntField->setText(localenum::general(heightM));
}

void ResultsTablePage::setFrequencyText(const QString& text)
{
    ensureBuilt();
    if (ui_->FreqVRNChangeField->text() != text)
        ui_->FreqVRNChangeField->setText(text);
}

void ResultsTablePage::showBusy(Command calculation, bool busy)
{
    ensureBuilt();
    QWidget* button = calculation == Command::CalculateCoated ? ui_->Execute1 : ui_->Execute_Original1;
    showWaitCursor({this, button}, busy);
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
