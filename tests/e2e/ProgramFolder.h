// A temporary program folder for runs of the whole program: the engine scripts and the
// listing rewriter of the build's program folder, or scripted stand-ins for the engine.
#pragma once

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QString>
#include <QTemporaryDir>

using namespace vrnnec;

namespace e2e {

inline bool copyExecutable(const QString& from, const QString& to)
{
    QFile::remove(to);
    if (!QFile::copy(from, to))
        return false;
    return QFile(to).setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

// Puts the real engine scripts and nec2c-classic into `folder`.
inline bool installEngine(const QString& folder)
{
    const QDir program(QStringLiteral(PROGRAM_DIR));
    for (const char* name : {"GoNec.bat", "GoNecGN.bat", "GoNecRun.sh", "nec2c-classic"})
        if (!copyExecutable(program.filePath(QLatin1String(name)), QDir(folder).filePath(QLatin1String(name))))
            return false;
    return true;
}

// Writes a stand-in GoNec.bat with the given shell body.
inline bool installFakeEngine(const QString& folder, const QByteArray& body)
{
    const QString path = QDir(folder).filePath(QStringLiteral("GoNec.bat"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write("#!/bin/sh\n" + body + "\n");
    file.close();
    return file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

inline QString sample(const char* name)
{
    return QDir(QStringLiteral(TEST_DATA_DIR)).filePath(QStringLiteral("vrn/") + QLatin1String(name));
}

// R and X of the first source, read from the engine's own listing by its own layout
// (whitespace-separated fields of the first row after the heading and two title lines).
inline bool engineImpedance(const QString& nec2cListing, double& r, double& x)
{
    QFile file(nec2cListing);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QStringList lines = QString::fromLatin1(file.readAll()).split('\n');
    for (int i = 0; i + 3 < lines.size(); ++i) {
        if (!lines[i].contains(QStringLiteral("ANTENNA INPUT PARAMETERS")))
            continue;
        const QStringList fields = lines[i + 3].split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
        if (fields.size() < 8)
            return false;
        bool okR = false, okX = false;
        r = fields[6].toDouble(&okR);
        x = fields[7].toDouble(&okX);
        return okR && okX;
    }
    return false;
}

} // namespace e2e
