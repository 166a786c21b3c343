#include "app/RPPlotsPage.h"

#include "app/LocaleNumbers.h"
#include "app/ResultMemo.h"
#include "ui_RPPlotsPage.h"

#include <QEvent>
#include <QMenu>
#include <QPixmap>

namespace vrnnec {

RPPlotsPage::RPPlotsPage(QWidget* parent) : LazyPage("TabSheet2", parent)
{}

RPPlotsPage::~RPPlotsPage() = default;

void RPPlotsPage::build()
{
    ui_ = std::make_unique<Ui::RPPlotsPage>();
    ui_->setupUi(this);
    diagrams_.emplace(); // the empty grids
    showDiagrams();

    popupMenu_ = new QMenu(this);
    popupMenu_->setObjectName(QStringLiteral("PopupRPDiagrMenu"));
    popupMenu_->addActions({ui_->ViewerCall1, ui_->SetAnglesforRPcalculations1, ui_->FreqPlotsShowMenuItem1,
                            ui_->SaveRP, ui_->SaveElevationPlot, ui_->SaveRes});
    resultmemo::setUp(*ui_->ImpedanceScreen, true);
    connect(this, &QWidget::customContextMenuRequested, popupMenu_,
            [this](const QPoint& position) { popupMenu_->popup(mapToGlobal(position)); });

    const std::pair<QRadioButton*, results::Polarization> components[] = {
        {ui_->TotalDCheck, results::Polarization::Total},
        {ui_->PhiDCheck, results::Polarization::Phi},
        {ui_->ThetaDCheck, results::Polarization::Theta},
        {ui_->PhiThetaDCheck, results::Polarization::PhiTheta}};
    for (auto [button, component] : components)
        connect(button, &QRadioButton::clicked, this, [this, button, component] {
            if (button->isChecked())
                emit polarizationChosen(component);
        });
    connect(ui_->SaveRP, &QAction::triggered, this, &RPPlotsPage::saveAzimuthRequested);
    connect(ui_->SaveElevationPlot, &QAction::triggered, this, &RPPlotsPage::saveElevationRequested);
    connect(ui_->SaveRes, &QAction::triggered, this, &RPPlotsPage::saveResultsRequested);
}

QList<std::pair<QAction*, Command>> RPPlotsPage::commandEntries()
{
    ensureBuilt();
    return {{ui_->ViewerCall1, Command::Viewer},
            {ui_->SetAnglesforRPcalculations1, Command::AnglesDialog},
            {ui_->FreqPlotsShowMenuItem1, Command::FrequencyPlots}};
}

void RPPlotsPage::clearResults()
{
    ensureBuilt();
    ui_->ImpedanceScreen->clear();
    ui_->OuterRingGainInfo->setText(QStringLiteral(" "));
    // The diagrams of an earlier antenna never stand beside a new summary.
    *diagrams_ = results::PatternImages();
    showDiagrams();
}

void RPPlotsPage::appendSummary(const std::vector<std::string>& lines)
{
    ensureBuilt();
    resultmemo::append(*ui_->ImpedanceScreen, lines);
}

std::vector<std::string> RPPlotsPage::summaryLines()
{
    ensureBuilt();
    std::vector<std::string> lines;
    const QString text = ui_->ImpedanceScreen->toPlainText();
    if (text.isEmpty())
        return lines;
    for (const QString& line : text.split('\n'))
        lines.push_back(line.toStdString());
    return lines;
}

void RPPlotsPage::setOuterRingText(const QString& text)
{
    ensureBuilt();
    ui_->OuterRingGainInfo->setText(text);
}

results::Polarization RPPlotsPage::polarization()
{
    ensureBuilt();
    if (ui_->PhiDCheck->isChecked())
        return results::Polarization::Phi;
    if (ui_->ThetaDCheck->isChecked())
        return results::Polarization::Theta;
    if (ui_->PhiThetaDCheck->isChecked())
        return results::Polarization::PhiTheta;
    return results::Polarization::Total;
}

void RPPlotsPage::enablePolarization()
{
    ensureBuilt();
    for (QWidget* button : {ui_->TotalDCheck, ui_->PhiDCheck, ui_->ThetaDCheck, ui_->PhiThetaDCheck})
        button->setEnabled(true);
}

void RPPlotsPage::setSavesEnabled(bool azimuthAndResults, bool elevation)
{
    ensureBuilt();
    ui_->SaveRP->setEnabled(azimuthAndResults);
    ui_->SaveRes->setEnabled(azimuthAndResults);
    ui_->SaveElevationPlot->setEnabled(elevation);
}

results::PolarizationOutcome RPPlotsPage::showPatterns(const engine::PatternCuts& cuts, double maxTotalGain)
{
    const results::Polarization choice = polarization(); // builds the page
    const results::PolarizationOutcome outcome =
        results::ShowPolarization(*diagrams_, cuts, maxTotalGain, choice, localenum::decimalSeparator());
    showDiagrams();
    return outcome;
}

void RPPlotsPage::showDiagrams()
{
    // Drawn for the screen's pixel density; the bitmaps the program saves stay as they are.
    const results::PatternImages shown = results::PatternImagesAt(diagrams(), devicePixelRatioF());
    ui_->Diagr->setPixmap(QPixmap::fromImage(shown.azimuth));
    ui_->DiagrElev->setPixmap(QPixmap::fromImage(shown.elevation));
}

bool RPPlotsPage::event(QEvent* event)
{
    const bool handled = QWidget::event(event);
    // Moved to a screen of another pixel density: the diagrams are drawn again for it.
    if (event->type() == QEvent::ScreenChangeInternal)
        showDiagrams();
    return handled;
}

} // namespace vrnnec
