// A command-line tool of the program run to its end, for the tests of the tools.
#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

namespace testsupport {

struct ToolResult {
    int exitCode = -1; // -1 when the tool crashed or did not end in time
    QString out;
    QString err;
};

// Runs `program` with `args`, in `folder` when one is given, for at most four minutes.
inline ToolResult RunTool(const QString& program, const QStringList& args, const QString& folder = {})
{
    QProcess process;
    if (!folder.isEmpty())
        process.setWorkingDirectory(folder);
    process.start(program, args);
    const bool ended = process.waitForFinished(240000);
    return {ended && process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromLocal8Bit(process.readAllStandardOutput()),
            QString::fromLocal8Bit(process.readAllStandardError())};
}

} // namespace testsupport
