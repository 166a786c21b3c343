// Watching the processes and working folders of engine runs from a test.
#pragma once

#include <QDir>
#include <QFile>
#include <QString>
#include <QStringList>

// True when the process has ended (a zombie waiting for its reaper counts as ended).
inline bool ProcessGone(qint64 pid)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return true;
    const QByteArray text = stat.readAll();
    const qsizetype close = text.lastIndexOf(')');
    return close > 0 && text.mid(close + 2, 1) == "Z";
}

// What runs left in a temporary folder, the toolkit's own runtime folder aside.
inline QStringList LeftInFolder(const QString& temp)
{
    QStringList names = QDir(temp).entryList(QDir::NoDotAndDotDot | QDir::AllEntries);
    names.removeIf([](const QString& name) { return name.startsWith(QStringLiteral("runtime-")); });
    return names;
}
