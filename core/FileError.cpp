#include "core/FileError.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStorageInfo>

#include <cerrno>

namespace {

QString tr(const char* text) {
    return QCoreApplication::translate("FileError", text);
}

// What the path itself tells when the error number does not.
QString reasonFromPath(const QString& path) {
    const QFileInfo file(path);
    const QFileInfo folder(file.absolutePath());
    if (!folder.exists())
        return tr("нет такой папки");
    if (!folder.isDir())
        return tr("на месте папки стоит файл");
    if (file.isDir())
        return tr("на месте файла стоит папка");
    const QStorageInfo storage(folder.absoluteFilePath());
    if (storage.isValid() && storage.isReadOnly())
        return tr("файловая система доступна только для чтения");
    if (storage.isValid() && storage.bytesAvailable() == 0)
        return tr("на диске нет места");
    if (file.exists() && !file.isWritable())
        return tr("нет прав на запись в файл");
    if (!file.exists() && !folder.isWritable())
        return tr("нет прав на запись в папку");
    return {};
}

} // namespace

namespace FileError {

QString nativePath(const QString& path) {
    return QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath());
}

QString reason(int errorNumber, const QString& path) {
    switch (errorNumber) {
    case EACCES:
    case EPERM:
        return tr("нет прав доступа");
    case ENOSPC:
#ifdef EDQUOT
    case EDQUOT:
#endif
        return tr("на диске нет места");
    case ENOENT:
        return QFileInfo(QFileInfo(path).absolutePath()).exists() ? tr("нет такого файла") : tr("нет такой папки");
    case ENOTDIR:
        return tr("на месте папки стоит файл");
    case EISDIR:
        return tr("на месте файла стоит папка");
    case EROFS:
        return tr("файловая система доступна только для чтения");
    case EFBIG:
        return tr("файл слишком велик");
    case ENAMETOOLONG:
        return tr("слишком длинное имя файла");
    case EIO:
        return tr("ошибка ввода-вывода на диске");
    case EMFILE:
    case ENFILE:
        return tr("открыто слишком много файлов");
    case EBUSY:
    case ETXTBSY:
        return tr("файл занят");
    default:
        break;
    }
    if (const QString seen = reasonFromPath(path); !seen.isEmpty())
        return seen;
    return errorNumber != 0 ? tr("системная ошибка %1").arg(errorNumber) : tr("причина неизвестна");
}

Failure failure(const char* sentence, const QString& path, int errorNumber) {
    return {tr(sentence).arg(nativePath(path), reason(errorNumber, path))};
}

} // namespace FileError
