#include "core/ProgramFolder.h"

#include "core/FileError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>

ProgramFolder::ProgramFolder(const QString& path) : m_path(QDir(path).absolutePath()) {}

QString ProgramFolder::resolve(const QString& name) const {
    if (m_path.isEmpty() || QDir::isAbsolutePath(name))
        return name;
    return QDir(m_path).filePath(name);
}

QStringList shippedFiles() {
    return {QStringLiteral("standart.tka"), QStringLiteral("standart.tkq"), QStringLiteral("standart.tks"),
            QStringLiteral("help.hlp")};
}

Result<> prepareProgramFolder(const QString& folder, const QString& seedDir) {
    QDir dir(folder);
    errno = 0;
    if (!dir.mkpath(QStringLiteral(".")))
        return FileError::failure("Не удалось создать папку программы \"%1\": %2", folder, errno);
    for (const QString& name : shippedFiles()) {
        const QString target = dir.filePath(name);
        if (QFileInfo::exists(target))
            continue;
        QFile source(QDir(seedDir).filePath(name));
        // A build without one of the files seeds what it has; start-up then names the file that is missing.
        if (!source.exists())
            continue;
        errno = 0;
        if (!source.copy(target))
            return FileError::failure("Не удалось создать файл \"%1\": %2", target, errno);
        // A copy of an embedded resource is read-only, and the bases are written back at shut-down.
        QFile::setPermissions(target, QFile::permissions(target) | QFile::WriteOwner | QFile::ReadOwner);
    }
    return Success{};
}
