#pragma once

#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QString>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

// A finding must stop the run loudly, also in a build without assertions.
#define FUZZ_CHECK(condition)                                                                                          \
    do {                                                                                                               \
        if (!(condition)) {                                                                                            \
            std::fprintf(stderr, "check failed: %s (%s:%d)\n", #condition, __FILE__, __LINE__);                        \
            std::abort();                                                                                              \
        }                                                                                                              \
    } while (false)

inline QByteArray bytesOf(const uint8_t* data, size_t size) {
    return QByteArray(reinterpret_cast<const char*>(data), qsizetype(size));
}

// Cuts the input into pieces at a separator byte, so one input can hold several files or phrases.
inline QList<QByteArray> piecesOf(const QByteArray& input, char separator = '\x01') {
    return input.split(separator);
}

// Saves sync to disk; on a memory file system that costs nothing, which keeps the file targets fast.
inline const QTemporaryDir& scratchDir() {
    static QTemporaryDir dir(QFileInfo(QStringLiteral("/dev/shm")).isWritable()
                                 ? QStringLiteral("/dev/shm/talkomat-fuzz-XXXXXX")
                                 : QDir::tempPath() + QStringLiteral("/talkomat-fuzz-XXXXXX"));
    return dir;
}

inline QString scratchFile(const char* name) {
    return scratchDir().filePath(QString::fromLatin1(name));
}
