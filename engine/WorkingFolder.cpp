#include "engine/WorkingFolder.h"

#include "common/AtomicFile.h"
#include "engine/EngineRun.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtGlobal>

#include <filesystem>
#include <system_error>

#include <fcntl.h>
#include <unistd.h>

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

QString QtPathOf(const std::string& path, int& handle)
{
    const QString named = QFile::decodeName(QByteArray::fromStdString(path));
    if (QFile::encodeName(named).toStdString() == path)
        return named;
    handle = ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (handle < 0)
        return {};
    return QStringLiteral("/proc/%1/fd/%2").arg(::getpid()).arg(handle);
}

RunFolder::RunFolder(const std::string& keepDir, const std::string& programFolder)
{
    if (keepDir.empty()) {
        temporary_ = std::make_unique<QTemporaryDir>();
        if (temporary_->isValid())
            path = temporary_->path();
        else
            message = "Unable to create a temporary folder.";
    } else {
        std::error_code ec;
        std::filesystem::create_directories(keepDir, ec);
        if (std::filesystem::is_directory(keepDir, ec))
            path = QDir(QtPathOf(keepDir, handle_)).absolutePath();
        if (path.isEmpty())
            message = "Unable to create the folder " + keepDir;
    }
    if (!path.isEmpty() && !TakeUsersEngineConf(QString::fromStdString(programFolder), path)) {
        message = atomicfile::UnableToWriteMessage(QDir(path).filePath(QStringLiteral("engine.conf")).toStdString());
        path.clear();
    }
}

RunFolder::~RunFolder()
{
    if (handle_ >= 0)
        ::close(handle_);
}

std::vector<fileid::NamedFile> RunFiles(const std::string& folder)
{
    std::vector<fileid::NamedFile> files;
    for (const char* name : {kDeckFile, kAuxDeckFile, kListingFile, "Outdata.nec2c.txo", "Ngf2d.nec", "Ngf2d.nec.old"})
        files.push_back({folder + "/" + name, "working file of the --keep folder"});
    return files;
}

} // namespace vrnnec::engine
