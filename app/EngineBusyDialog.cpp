#include "app/EngineBusyDialog.h"

#include "engine/EngineRun.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

EngineBusyDialog::EngineBusyDialog(engine::EngineRun& run, QWidget* parent) : QDialog(parent), run_(run)
{
    setObjectName("EngineBusyDialog");
    setWindowTitle("NEC-2 is running...");
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    auto* label = new QLabel("NEC-2 is running...", this);
    label->setObjectName("EngineBusyLabel");
    layout->addWidget(label);
    auto* stop = new QPushButton("Stop", this);
    stop->setObjectName("StopEngineButton");
    stop->setCursor(Qt::ArrowCursor);
    layout->addWidget(stop, 0, Qt::AlignHCenter);
    connect(stop, &QPushButton::clicked, this, [this] { run_.stop(); });
    connect(&run_, &engine::EngineRun::finished, this, &QDialog::accept);
}

void EngineBusyDialog::reject()
{
    run_.stop();
}

int EngineBusyDialog::runEngine(QWidget* parent, const QString& script, const QString& workingFolder)
{
    engine::EngineRun run;
    if (!run.start(script, workingFolder))
        return -1;
    EngineBusyDialog dialog(run, parent);
    if (run.isRunning())
        dialog.exec();
    return run.exitCode();
}
