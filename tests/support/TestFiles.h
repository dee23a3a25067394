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

// Windows-1251 bytes for a test literal written in UTF-8 source.
QByteArray cp1251(const QString& text);
