// The one place where the window waits for an engine run it started (a calculation,
// "Start NEC-2", the RP angles dialog, near fields, the Green's function file): the
// busy window with the elapsed time and "Stop" while the rest of the program takes no
// input, and the question when the user closes the main window meanwhile.
#pragma once

#include <QObject>
#include <QPointer>

class QMainWindow;
class QWidget;

namespace vrnnec {

namespace engine {
class Calculation;
}

class UserDialogs;

inline constexpr const char* kStopRunAndQuitQuestion =
    "NEC-2 is still running. Stop the run and quit the program?";

class RunController : public QObject {
    Q_OBJECT
public:
    RunController(QMainWindow& window, UserDialogs& dialogs);

    // Waits for a running calculation with the busy window. The main window stays able
    // to close (its close box asks first); every other window and the main window's
    // controls take no input meanwhile. Returns false when the run was stopped because
    // the program is closing: the caller then ends without a message.
    // `owner`: the window the run was started from (the main window when none); the
    // busy window stands over it.
    bool wait(engine::Calculation& calculation, QWidget* owner = nullptr);

    bool running() const { return current_ != nullptr; }
    bool closing() const { return closing_; }

    // For the main window's close: true when it may close, that is when no run is in
    // progress or the user agrees to stop it (the run is then stopped).
    bool mayClose();

private:
    QMainWindow& window_;
    UserDialogs& dialogs_;
    engine::Calculation* current_ = nullptr;
    bool closing_ = false;
};

} // namespace vrnnec
