#pragma once

#include <QByteArray>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QTemporaryDir>

#include <malloc.h>

// What the benchmarks of the windows share: a scratch folder for their files, the peak memory of a case, the size
// of a file.

inline QTemporaryDir& scratch() {
    static QTemporaryDir dir;
    return dir;
}

inline qint64 statusKb(const QByteArray& field) {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith(field))
            return line.mid(field.size()).trimmed().split(' ').value(0).toLongLong();
    return 0;
}

// The peak resident size from now on: writing 5 to clear_refs sets the peak back to the current size.
class Peak {
public:
    Peak() {
        // Memory freed by earlier cases goes back to the system first, so that it is not counted as in use.
        malloc_trim(0);
        QFile clear(QStringLiteral("/proc/self/clear_refs"));
        if (clear.open(QIODevice::WriteOnly))
            clear.write("5");
        m_start = statusKb("VmRSS:");
    }
    double growthMB() const { return double(statusKb("VmHWM:") - m_start) / 1024; }

private:
    qint64 m_start = 0;
};

inline double fileMB(const QString& path) {
    return double(QFileInfo(path).size()) / (1024 * 1024);
}
