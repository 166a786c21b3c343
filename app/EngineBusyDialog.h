// The small modal window shown while the NEC-2 engine runs, with its "Stop" button.
#pragma once

#include <QDialog>

namespace engine {
class EngineRun;
}

class EngineBusyDialog : public QDialog {
    Q_OBJECT
public:
    explicit EngineBusyDialog(engine::EngineRun& run, QWidget* parent = nullptr);

    // Starts `script` in `workingFolder`, shows this window modally until the engine
    // ends or the user stops it, and returns the exit code (-1 when it could not start,
    // crashed or was stopped). The rest of the program stays disabled meanwhile but keeps
    // repainting.
    static int runEngine(QWidget* parent, const QString& script, const QString& workingFolder);

    void reject() override; // closing the window stops the engine

private:
    engine::EngineRun& run_;
};
