#include "app/GroundDialog.h"

#include "app/GroundControls.h"
#include "ui_TFormGND.h"

#include <QShowEvent>

namespace vrnnec {

TFormGND::TFormGND(GroundControls* mainGround, QWidget* parent)
    : QDialog(parent), ui_(std::make_unique<Ui::TFormGND>()), mainGround_(mainGround)
{
    ui_->setupUi(this);
    ground_ = new GroundControls({ui_->PGround, ui_->SNGround, ui_->EPSField, ui_->SigmaField, ui_->GroundListComboBox},
                                 this);
    connect(ui_->GNDChangeParSetButton, &QPushButton::clicked, this, [this] { GNDChangeParSetButtonClick(); });
    connect(ui_->GNDChangeParOKButton, &QPushButton::clicked, this, [this] { GNDChangeParOKButtonClick(); });
    connect(ui_->GNDChangeParCancelButton, &QPushButton::clicked, this, [this] { GNDChangeParCancelButtonClick(); });
}

TFormGND::~TFormGND() = default;

void TFormGND::copyFromMainWindow()
{
    ground_->setState(mainGround_->state());
}

void TFormGND::copyToMainWindow()
{
    mainGround_->setState(ground_->state());
}

void TFormGND::GNDChangeParSetButtonClick()
{
    copyToMainWindow();
    emit groundParametersSet();
}

void TFormGND::GNDChangeParOKButtonClick()
{
    copyToMainWindow();
    emit groundParametersSet();
    close();
}

void TFormGND::GNDChangeParCancelButtonClick()
{
    close();
}

void TFormGND::showEvent(QShowEvent* event)
{
    // A window system show (restoring from minimised) is no new showing.
    if (!event->spontaneous())
        copyFromMainWindow();
    QDialog::showEvent(event);
}

} // namespace vrnnec
