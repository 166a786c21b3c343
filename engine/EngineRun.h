// Starting the NEC-2 engine scripts and other command lines.
#pragma once

#include <QObject>
#include <QProcess>
#include <QString>

namespace vrnnec::engine {

// Names of the engine scripts and working files in the program folder.
inline constexpr const char* kEngineScript = "GoNec.bat";
inline constexpr const char* kAuxEngineScript = "GoNecGN.bat";
inline constexpr const char* kDeckFile = "Indata.txo";
inline constexpr const char* kAuxDeckFile = "IndataGN.txo";
inline constexpr const char* kListingFile = "Outdata.txo";
// The engine's own listing, which the scripts leave beside the rewritten one; where the
// engine writes why it refused a deck.
inline constexpr const char* kEngineListingFile = "Outdata.nec2c.txo";

// Starts a command line as a process whose working folder is `workingFolder` (the
// calling process's own current directory is never changed). A relative program name
// is looked up in the working folder first. With `wait`, blocks until the process ends
// and returns its exit code; without, returns 0 once it has started. Returns -1 when the
// process cannot be started, crashes, or the command line is longer than 255 characters.
// `showMode` (0 hidden, 1 normal) is accepted for the callers' sake; processes here
// have no console window to show.
int RunCommandLine(const QString& commandLine, int showMode, bool wait, const QString& workingFolder);

// One engine run that the GUI can wait for without blocking its event loop, and stop.
class EngineRun : public QObject {
    Q_OBJECT
public:
    explicit EngineRun(QObject* parent = nullptr);
    ~EngineRun() override;

    // Starts `script` (a path) with `workingFolder` as its working directory.
    // Returns false when it cannot be started (finished() is not emitted then).
    // `threads` > 0 limits the BLAS threads of the engine (OPENBLAS_NUM_THREADS); else the
    // engine inherits the environment and a LAPACK-built one uses every core.
    bool start(const QString& script, const QString& workingFolder, int threads = 0);
    // Kills the engine and everything it started; the run then ends as failed.
    void stop();
    bool isRunning() const;
    // Exit code of the ended run, or -1 for a run that could not start, crashed or was stopped.
    int exitCode() const { return exitCode_; }
    bool wasStopped() const { return stopped_; }
    // The process id of the running script, 0 when none runs.
    qint64 processId() const { return process_.processId(); }

signals:
    void finished();

private:
    void onFinished(int code, QProcess::ExitStatus status);

    QProcess process_;
    int exitCode_ = -1;
    bool stopped_ = false;
};

} // namespace vrnnec::engine