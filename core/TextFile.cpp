#include "core/TextFile.h"

#include "core/Cp1251.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {
QString tr(const char* text) {
    return QCoreApplication::translate("TextFile", text);
}

QString nativeName(const QString& path) {
    return QDir::toNativeSeparators(path);
}

Result failure(const char* what, const QString& path, const QString& reason) {
    return Result::failure(tr(what).arg(nativeName(path), reason));
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

Result readBytes(const QString& path, QByteArray& bytes, qint64 maxBytes) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return failure("Не удалось открыть файл \"%1\": %2", path, file.errorString());
    if (maxBytes >= 0 && file.size() > maxBytes)
        return Result::failure(tr("Файл \"%1\" слишком велик (%2 МБ); программа читает файлы не больше %3 МБ.")
                                   .arg(nativeName(path))
                                   .arg(file.size() / (1024 * 1024))
                                   .arg(maxBytes / (1024 * 1024)));
    // A device that does not tell its size (a pipe) is still read no further than the limit. A plain file is read
    // whole: asking for the limit up front would allocate all of it for every small file.
    bytes = maxBytes >= 0 && file.isSequential() ? file.read(maxBytes + 1) : file.readAll();
    if (maxBytes >= 0 && bytes.size() > maxBytes) {
        bytes.clear();
        return Result::failure(tr("Файл \"%1\" слишком велик; программа читает файлы не больше %2 МБ.")
                                   .arg(nativeName(path))
                                   .arg(maxBytes / (1024 * 1024)));
    }
    if (file.error() != QFileDevice::NoError)
        return failure("Не удалось прочитать файл \"%1\": %2", path, file.errorString());
    return Result::success();
}

ReadResult readLines(const QString& path, qsizetype maxLines, qint64 maxBytes) {
    ReadResult out;
    QByteArray bytes;
    out.result = readBytes(path, bytes, maxBytes);
    if (!out.result)
        return out;
    out.lines = splitLines(bytes, maxLines);
    if (maxLines >= 0 && out.lines.size() > maxLines) {
        out.result = Result::failure(tr("Файл \"%1\" содержит больше %2 строк.").arg(nativeName(path)).arg(maxLines));
        out.lines.clear();
    }
    return out;
}

Result writeBytes(const QString& path, const QByteArray& bytes) {
    // The new content replaces the file by a rename, which would also replace a device or a pipe: only a plain
    // file (or none yet) is taken as a target.
    const QFileInfo existing(path);
    if (existing.exists() && !existing.isFile())
        return Result::failure(tr("Не удалось записать файл \"%1\": это не обычный файл.").arg(nativeName(path)));
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return failure("Не удалось записать файл \"%1\": %2", path, file.errorString());
    if (file.write(bytes) != bytes.size()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return failure("Не удалось записать файл \"%1\": %2", path, reason);
    }
    if (!file.commit())
        return failure("Не удалось записать файл \"%1\": %2", path, file.errorString());
    return Result::success();
}

Result writeLines(const QString& path, const QStringList& lines) {
    return writeBytes(path, joinLines(lines));
}

Result appendLines(const QString& path, const QStringList& lines) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append))
        return failure("Не удалось дописать файл \"%1\": %2", path, file.errorString());
    const QByteArray bytes = joinLines(lines);
    if (file.write(bytes) != bytes.size() || !file.flush())
        return failure("Не удалось дописать файл \"%1\": %2", path, file.errorString());
    file.close();
    return Result::success();
}

} // namespace TextFile
