#include "engine/WorkingFolder.h"

#include "common/AtomicFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtGlobal>

namespace vrnnec::engine {

bool IsWritableFolder(const QString& folder)
{
    const QFileInfo info(folder);
    constexpr QFile::Permissions kAnyWrite = QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther;
    return info.isDir() && info.isWritable() && (info.permissions() & kAnyWrite);
}

QString UserWorkingFolder()
{
    QString dataHome = qEnvironmentVariable("XDG_DATA_HOME");
    if (dataHome.isEmpty() || QDir::isRelativePath(dataHome))
        dataHome = QDir::homePath() + QStringLiteral("/.local/share");
    return QDir::cleanPath(dataHome + QLatin1Char('/') + QString::fromLatin1(kUserFolderName));
}

QString ChooseWorkingFolder(const QString& programFolder)
{
    const QString program = QDir::cleanPath(programFolder);
    if (IsWritableFolder(program))
        return program;
    const QString user = UserWorkingFolder();
    if (!QDir().mkpath(user) || !IsWritableFolder(user))
        return program; // nowhere better: writing fails there with its own message
    return user;
}

bool CopyEngineConf(const QString& fromFolder, const QString& toFolder)
{
    const QString name = QStringLiteral("engine.conf");
    const QString target = QDir(toFolder).filePath(name);
    QFile conf(QDir(fromFolder).filePath(name));
    if (fromFolder.isEmpty() || QFileInfo::exists(target) || !conf.exists())
        return true;
    if (!conf.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = conf.readAll();
    return atomicfile::WriteFileAtomically(QFile::encodeName(target).toStdString(),
                                           std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())))
        .empty();
}

bool TakeUsersEngineConf(const QString& programFolder, const QString& workingFolder)
{
    if (IsWritableFolder(QDir::cleanPath(programFolder)))
        return true;
    return CopyEngineConf(UserWorkingFolder(), workingFolder);
}

} // namespace vrnnec::engine
