#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

inline QByteArray readAll(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

inline bool writeAll(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

// A QString from a UTF-8 literal; the sources are UTF-8 and QT_NO_CAST_FROM_ASCII keeps the conversion explicit.
inline QString u8(const char* utf8) {
    return QString::fromUtf8(utf8);
}

// Windows-1251 bytes for a test literal written in UTF-8 source.
QByteArray cp1251(const QString& text);
