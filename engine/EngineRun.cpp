#include "engine/EngineRun.h"

#include <QDir>
#include <QFileInfo>
#include <QTimer>

#include <csignal>
#include <signal.h>
#include <unistd.h>

namespace vrnnec::engine {

namespace {

constexpr int kMaxCommandLine = 255;
// How long a stopped engine's process group has to end after SIGTERM.
constexpr int kStopGraceMs = 2000;

QString resolveProgram(const QString& program, const QString& workingFolder)
{
    if (program.contains('/'))
        return QFileInfo(program).isRelative() ? QDir(workingFolder).filePath(program) : program;
    const QString local = QDir(workingFolder).filePath(program);
    if (QFileInfo(local).isFile())
        return local;
    return program; // looked up on the search path
}

} // namespace

int RunCommandLine(const QString& commandLine, int /*showMode*/, bool wait, const QString& workingFolder)
{
    if (commandLine.size() > kMaxCommandLine)
        return -1;
    QStringList args = QProcess::splitCommand(commandLine);
    if (args.isEmpty())
        return -1;
    const QString program = resolveProgram(args.takeFirst(), workingFolder);
    QProcess process;
    process.setWorkingDirectory(workingFolder);
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.setStandardOutputFile(QProcess::nullDevice());
    if (!wait) {
        return QProcess::startDetached(program, args, workingFolder) ? 0 : -1;
    }
    process.start(program, args);
    if (!process.waitForStarted(-1))
        return -1;
    process.waitForFinished(-1);
    if (process.exitStatus() != QProcess::NormalExit)
        return -1;
    return process.exitCode();
}

EngineRun::EngineRun(QObject* parent) : QObject(parent)
{
    process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process_.setStandardOutputFile(QProcess::nullDevice());
    // The engine and the tools the script starts form one process group, so Stop
    // reaches all of them.
    process_.setChildProcessModifier([] { ::setpgid(0, 0); });
    connect(&process_, &QProcess::finished, this, &EngineRun::onFinished);
}

EngineRun::~EngineRun()
{
    if (isRunning()) {
        stopped_ = true;
        if (const qint64 pid = process_.processId(); pid > 0)
            ::kill(-static_cast<pid_t>(pid), SIGKILL);
        process_.kill();
        process_.waitForFinished(2000);
    }
}

bool EngineRun::start(const QString& script, const QString& workingFolder, int threads)
{
    exitCode_ = -1;
    stopped_ = false;
    process_.setWorkingDirectory(workingFolder);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    if (threads > 0)
        environment.insert(QStringLiteral("OPENBLAS_NUM_THREADS"), QString::number(threads));
    process_.setProcessEnvironment(environment);
    process_.start(script, {});
    if (!process_.waitForStarted(-1))
        return false;
    return true;
}

void EngineRun::stop()
{
    if (!isRunning())
        return;
    stopped_ = true;
    const qint64 pid = process_.processId();
    if (pid <= 0) {
        process_.kill();
        return;
    }
    // SIGTERM first, so that a runner the engine starts through (engine.conf) passes it
    // on (srun to its remote task); whatever of the group is left a moment later is killed.
    ::kill(-static_cast<pid_t>(pid), SIGTERM);
    QTimer::singleShot(kStopGraceMs, this, [pid] {
        if (::kill(-static_cast<pid_t>(pid), 0) == 0)
            ::kill(-static_cast<pid_t>(pid), SIGKILL);
    });
    QTimer::singleShot(kStopGraceMs, &process_, [this] {
        if (isRunning())
            process_.kill();
    });
}

bool EngineRun::isRunning() const
{
    return process_.state() != QProcess::NotRunning;
}

void EngineRun::onFinished(int code, QProcess::ExitStatus status)
{
    exitCode_ = (status == QProcess::NormalExit && !stopped_) ? code : -1;
    emit finished();
}

} // namespace vrnnec::engine