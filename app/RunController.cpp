#include "app/RunController.h"

#include "app/EngineBusyDialog.h"
#include "app/UserDialogs.h"
#include "engine/Calculation.h"

#include <QApplication>
#include <QEventLoop>
#include <QMainWindow>
#include <QMenuBar>

namespace vrnnec {

RunController::RunController(QMainWindow& window, UserDialogs& dialogs)
    : QObject(&window), window_(window), dialogs_(dialogs)
{
}

bool RunController::wait(engine::Calculation& calculation, QWidget* owner)
{
    if (owner == nullptr)
        owner = &window_;
    if (!calculation.isRunning() || current_)
        return !closing_;
    current_ = &calculation;

    // Not a modal window: a modal one would keep the main window from being closed.
    QList<QPointer<QWidget>> disabled;
    QList<QWidget*> candidates{window_.centralWidget(), window_.menuBar()};
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w != &window_ && w != owner && w->isVisible())
            candidates << w;
    for (QWidget* w : candidates) {
        if (w != nullptr && w->isEnabled()) {
            w->setEnabled(false);
            disabled << w;
        }
    }
    {
        EngineBusyDialog dialog(calculation, owner);
        dialog.setModal(false);
        QEventLoop loop;
        connect(&calculation, &engine::Calculation::finished, &loop, &QEventLoop::quit);
        if (calculation.isRunning()) {
            dialog.show();
            loop.exec();
        }
    }
    for (const QPointer<QWidget>& w : disabled)
        if (w)
            w->setEnabled(true);
    current_ = nullptr;
    return !closing_;
}

bool RunController::mayClose()
{
    if (!current_)
        return true;
    if (dialogs_.ask(QString::fromLatin1(kStopRunAndQuitQuestion), UserDialogs::Buttons::YesNo,
                     UserDialogs::Style::Warning)
        != UserDialogs::Answer::Yes)
        return false;
    closing_ = true;
    if (current_)
        current_->stop();
    return true;
}

} // namespace vrnnec
