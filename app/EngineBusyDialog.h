// The small modal window shown while the NEC-2 engine runs: the time it has been running
// and its "Stop" button. It only shows a calculation; the calculation does the work.
#pragma once

#include <QDialog>

class QLabel;

namespace vrnnec {

namespace engine {
class Calculation;
}

class EngineBusyDialog : public QDialog {
    Q_OBJECT
public:
    explicit EngineBusyDialog(engine::Calculation& calculation, QWidget* parent = nullptr);

    // Shows this window modally until the running calculation ends or the user stops it.
    // The rest of the program stays disabled meanwhile but keeps repainting.
    static void waitFor(engine::Calculation& calculation, QWidget* parent);

    // "NEC-2 is running... 0:35".
    static QString runningText(int seconds);

    void reject() override; // closing the window stops the engine

private:
    engine::Calculation& calculation_;
    QLabel* label_ = nullptr;
};

} // namespace vrnnec
