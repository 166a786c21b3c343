#include "app/EngineBusyDialog.h"

#include "engine/Calculation.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace vrnnec {

EngineBusyDialog::EngineBusyDialog(engine::Calculation& calculation, QWidget* parent)
    : QDialog(parent), calculation_(calculation)
{
    setObjectName("EngineBusyDialog");
    setWindowTitle("NEC-2 is running...");
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    label_ = new QLabel(runningText(calculation.elapsedSeconds()), this);
    label_->setObjectName("EngineBusyLabel");
    layout->addWidget(label_);
    auto* stop = new QPushButton("Stop", this);
    stop->setObjectName("StopEngineButton");
    stop->setCursor(Qt::ArrowCursor);
    layout->addWidget(stop, 0, Qt::AlignHCenter);
    connect(stop, &QPushButton::clicked, this, [this] { calculation_.stop(); });
    connect(&calculation_, &engine::Calculation::elapsed, this,
            [this](int seconds) { label_->setText(runningText(seconds)); });
    connect(&calculation_, &engine::Calculation::finished, this, &QDialog::accept);
}

QString EngineBusyDialog::runningText(int seconds)
{
    return QStringLiteral("NEC-2 is running... ") + engine::Calculation::elapsedText(seconds);
}

void EngineBusyDialog::reject()
{
    calculation_.stop();
}

void EngineBusyDialog::waitFor(engine::Calculation& calculation, QWidget* parent)
{
    if (!calculation.isRunning())
        return;
    EngineBusyDialog dialog(calculation, parent);
    if (calculation.isRunning())
        dialog.exec();
}

} // namespace vrnnec
