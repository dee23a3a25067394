#include "core/TextFile.h"

#include "core/Cp1251.h"
#include "core/FileError.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileDevice>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace {

QString tr(const char* text) {
    return QCoreApplication::translate("TextFile", text);
}

const char* const openFailed = "Не удалось открыть файл \"%1\": %2";
const char* const readFailed = "Не удалось прочитать файл \"%1\": %2";
const char* const writeFailed = "Не удалось записать файл \"%1\": %2";
const char* const appendFailed = "Не удалось дописать файл \"%1\": %2";

// The error number of the system call that just failed; Qt's own error texts are English.
int lastError() {
    return errno;
}

Result<> writeChecked(QIODevice& device, const QByteArray& bytes, const QString& path, const char* sentence) {
    qint64 done = 0;
    while (done < bytes.size()) {
        errno = 0;
        const qint64 written = device.write(bytes.constData() + done, bytes.size() - done);
        if (written <= 0)
            return FileError::failure(sentence, path, lastError());
        done += written;
    }
    // A buffered file still holds what it took; its failure would surface only when it is closed, too late to
    // keep the previous content.
    if (auto* file = qobject_cast<QFileDevice*>(&device)) {
        errno = 0;
        if (!file->flush())
            return FileError::failure(sentence, path, lastError());
    }
    return Success{};
}

// What reached the file must be all of it, on the disk and not only in the system's cache: a full disk may
// show only here.
Result<> checkOnDisk(QFileDevice& file, qint64 expected, const QString& path) {
    if (file.size() != expected)
        return FileError::failure(writeFailed, path, 0);
#ifdef Q_OS_UNIX
    errno = 0;
    if (::fsync(file.handle()) != 0 && errno != EINVAL)
        return FileError::failure(writeFailed, path, lastError());
#endif
    return Success{};
}

} // namespace

namespace TextFile {

QString singleLine(const QString& text) {
    QString out = text;
    for (QChar& c : out) {
        const char16_t u = c.unicode();
        if (u < 0x20 || u == 0x7F || u == 0x85 || u == 0x2028 || u == 0x2029)
            c = QLatin1Char(' ');
    }
    return out;
}

QStringList splitLines(const QByteArray& bytes) {
    return splitLines(bytes, -1);
}

QStringList splitLines(const QByteArray& bytes, qsizetype maxLines) {
    QStringList lines;
    const char* data = bytes.constData();
    const qsizetype size = bytes.size();
    qsizetype start = 0;
    while (start < size) {
        if (maxLines >= 0 && lines.size() > maxLines)
            break;
        const void* hit = memchr(data + start, '\r', static_cast<size_t>(size - start));
        const qsizetype end = hit ? static_cast<const char*>(hit) - data : size;
        lines.append(Cp1251::decode(QByteArray::fromRawData(data + start, end - start)));
        start = end + 1;
        if (hit && start < size && data[start] == '\n')
            ++start;
    }
    return lines;
}

QByteArray joinLines(const QStringList& lines) {
    QByteArray out;
    qsizetype total = 0;
    for (const QString& line : lines)
        total += line.size() + 2;
    out.reserve(total);
    for (const QString& line : lines) {
        out += Cp1251::encode(line);
        out += "\r\n";
    }
    return out;
}

Result<QByteArray> readBytes(const QString& path, qint64 maxBytes) {
    QFile file(path);
    errno = 0;
    if (!file.open(QIODevice::ReadOnly))
        return FileError::failure(openFailed, path, lastError());
    if (maxBytes >= 0 && file.size() > maxBytes)
        return Failure{tr("Файл \"%1\" слишком велик (%2 МБ); программа читает файлы не больше %3 МБ.")
                           .arg(FileError::nativePath(path))
                           .arg(file.size() / (1024 * 1024))
                           .arg(maxBytes / (1024 * 1024))};
    // A device that does not tell its size (a pipe) is still read no further than the limit. A plain file is read
    // whole: asking for the limit up front would allocate all of it for every small file.
    errno = 0;
    QByteArray bytes = maxBytes >= 0 && file.isSequential() ? file.read(maxBytes + 1) : file.readAll();
    if (maxBytes >= 0 && bytes.size() > maxBytes)
        return Failure{tr("Файл \"%1\" слишком велик; программа читает файлы не больше %2 МБ.")
                           .arg(FileError::nativePath(path))
                           .arg(maxBytes / (1024 * 1024))};
    if (file.error() != QFileDevice::NoError)
        return FileError::failure(readFailed, path, lastError());
    return Success{bytes};
}

Result<QStringList> readLines(const QString& path, qsizetype maxLines, qint64 maxBytes) {
    const Result<QByteArray> bytes = readBytes(path, maxBytes);
    if (!bytes)
        return Failure{bytes.error()};
    QStringList lines = splitLines(*bytes, maxLines);
    if (maxLines >= 0 && lines.size() > maxLines)
        return Failure{tr("Файл \"%1\" содержит больше %2 строк.").arg(FileError::nativePath(path)).arg(maxLines)};
    return Success{lines};
}

Result<> writeAll(QIODevice& device, const QByteArray& bytes, const QString& path) {
    return writeChecked(device, bytes, path, writeFailed);
}

Result<> writeBytes(const QString& path, const QByteArray& bytes) {
    // The new content replaces the file by a rename, which would also replace a device or a pipe: only a plain
    // file (or none yet) is taken as a target.
    const QFileInfo existing(path);
    if (existing.exists() && !existing.isFile())
        return Failure{tr("Не удалось записать файл \"%1\": это не обычный файл.").arg(FileError::nativePath(path))};
    QSaveFile file(path);
    // Unbuffered, every write reaches the file at once and a failing one is seen at once. Buffered, a small file
    // would still be in the buffer when commit() runs, and with this Qt a write failing there is not seen: the
    // short file replaced the previous one and commit() said it had worked.
    errno = 0;
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return FileError::failure(writeFailed, path, lastError());
    Result<> written = writeChecked(file, bytes, path, writeFailed);
    if (written)
        written = checkOnDisk(file, bytes.size(), path);
    if (!written) {
        // Nothing replaces the target; the temporary file goes with the QSaveFile.
        file.cancelWriting();
        return written;
    }
    errno = 0;
    if (!file.commit())
        return FileError::failure(writeFailed, path, lastError());
    return Success{};
}

Result<> writeLines(const QString& path, const QStringList& lines) {
    return writeBytes(path, joinLines(lines));
}

Result<> appendLines(const QString& path, const QStringList& lines, std::optional<QStringView> block) {
    QFile file(path);
    errno = 0;
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered))
        return FileError::failure(appendFailed, path, lastError());
    const qint64 before = file.size();
    Result<> written = writeChecked(file, joinLines(lines), path, appendFailed);
    if (written && block) {
        constexpr qsizetype piece = 1 << 20;
        for (qsizetype at = 0; written && at < block->size();) {
            qsizetype length = qMin(piece, block->size() - at);
            // A surrogate pair stays in one piece, so that it becomes one '?' as it would whole.
            if (at + length < block->size() && block->at(at + length - 1).isHighSurrogate())
                ++length;
            written = writeChecked(file, Cp1251::encode(block->mid(at, length)), path, appendFailed);
            at += length;
        }
        if (written)
            written = writeChecked(file, QByteArrayLiteral("\r\n"), path, appendFailed);
    }
    if (!written && !file.isSequential())
        (void)file.resize(before);
    return written;
}

} // namespace TextFile
