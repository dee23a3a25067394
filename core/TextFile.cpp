#include "TextFile.h"

#include "Cp1251.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSaveFile>

namespace {
QString tr(const char* text) { return QCoreApplication::translate("TextFile", text); }

QString nativeName(const QString& path) { return QDir::toNativeSeparators(path); }

Result failure(const char* what, const QString& path, const QString& reason) {
    return Result::failure(tr(what).arg(nativeName(path), reason));
}
} // namespace

namespace TextFile {

QStringList splitLines(const QByteArray& bytes) {
    QStringList lines;
    const char* data = bytes.constData();
    const qsizetype size = bytes.size();
    qsizetype start = 0;
    while (start < size) {
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

Result readBytes(const QString& path, QByteArray& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return failure("Не удалось открыть файл \"%1\": %2", path, file.errorString());
    bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return failure("Не удалось прочитать файл \"%1\": %2", path, file.errorString());
    return Result::success();
}

ReadResult readLines(const QString& path, qsizetype maxLines) {
    ReadResult out;
    QByteArray bytes;
    out.result = readBytes(path, bytes);
    if (!out.result)
        return out;
    out.lines = splitLines(bytes);
    if (maxLines >= 0 && out.lines.size() > maxLines) {
        out.result = Result::failure(tr("Файл \"%1\" содержит больше %2 строк.").arg(nativeName(path)).arg(maxLines));
        out.lines.clear();
    }
    return out;
}

Result writeBytes(const QString& path, const QByteArray& bytes) {
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

Result writeLines(const QString& path, const QStringList& lines) { return writeBytes(path, joinLines(lines)); }

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
