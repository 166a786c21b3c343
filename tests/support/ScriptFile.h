// A stand-in script of the tests (an engine script, say): written executable.
#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

namespace testsupport {

// Writes "#!/bin/sh", the body and a line end to `path`, readable and executable by
// the owner. False when the file cannot be written.
inline bool writeScript(const QString& path, const QByteArray& body)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write("#!/bin/sh\n" + body + "\n") < 0)
        return false;
    file.close();
    return file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

} // namespace testsupport
