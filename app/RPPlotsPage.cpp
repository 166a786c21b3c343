#include "app/RPPlotsPage.h"

#include "app/ResultMemo.h"
#include "ui_RPPlotsPage.h"

#include <QEvent>
#include <QMenu>
#include <QPixmap>

namespace vrnnec {

RPPlotsPage::RPPlotsPage(Ui::RPPlotsPage& controls, QWidget* parent)
    : LazyPage("TabSheet2", parent), controls_(controls)
{}

void RPPlotsPage::build()
{
    Ui::RPPlotsPage& controls = controls_;
    controls.setupUi(this);
    azimuthLabel_ = controls.Diagr;
    polarization_ = {controls.TotalDCheck, controls.PhiDCheck, controls.ThetaDCheck, controls.PhiThetaDCheck};
    elevationLabel_ = controls.DiagrElev;
    diagrams_.emplace(); // the empty grids
    showDiagrams();

    popupMenu_ = new QMenu(this);
    popupMenu_->setObjectName(QStringLiteral("PopupRPDiagrMenu"));
    popupMenu_->addActions({controls.ViewerCall1, controls.SetAnglesforRPcalculations1, controls.FreqPlotsShowMenuItem1,
                            controls.SaveRP, controls.SaveElevationPlot, controls.SaveRes});
    resultmemo::setUp(*controls.ImpedanceScreen, true);
    connect(this, &QWidget::customContextMenuRequested, popupMenu_,
            [this](const QPoint& position) { popupMenu_->popup(mapToGlobal(position)); });
}

void RPPlotsPage::enablePolarization()
{
    for (QWidget* button : polarization_)
        button->setEnabled(true);
}

void RPPlotsPage::showDiagrams()
{
    // Drawn for the screen's pixel density; the bitmaps the program saves stay as they are.
    const results::PatternImages shown = results::PatternImagesAt(diagrams(), devicePixelRatioF());
    azimuthLabel_->setPixmap(QPixmap::fromImage(shown.azimuth));
    elevationLabel_->setPixmap(QPixmap::fromImage(shown.elevation));
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
