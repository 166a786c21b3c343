#include "engine/EngineJobs.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QThread>

namespace vrnnec::engine {

int JobsOfConf(const QString& confPath)
{
    QFile file(confPath);
    if (!file.open(QIODevice::ReadOnly))
        return 0;
    int jobs = 0;
    while (!file.atEnd()) {
        const QByteArray line = file.readLine().trimmed();
        if (!line.startsWith("jobs="))
            continue;
        bool ok = false;
        const int value = line.mid(5).trimmed().toInt(&ok);
        jobs = ok && value >= 1 ? value : 0;
    }
    return jobs;
}

int EngineJobs(const QString& workingFolder, const QString& programFolder)
{
    const QString name = QStringLiteral("engine.conf");
    QString conf = QDir(programFolder).filePath(name);
    if (!workingFolder.isEmpty() && QFileInfo::exists(QDir(workingFolder).filePath(name)))
        conf = QDir(workingFolder).filePath(name);
    const int jobs = JobsOfConf(conf);
    return jobs > 0 ? jobs : std::max(1, QThread::idealThreadCount());
}

} // namespace vrnnec::engine
