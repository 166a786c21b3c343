#include "engine/WorkingFolder.h"

#include <QDir>
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

} // namespace vrnnec::engine
