#pragma once

#include <QColor>

// The options keep a colour packed as the original program did: red in the lowest byte, then green, then blue.
inline qint32 packColor(const QColor& c) {
    return qint32(c.red() | (c.green() << 8) | (c.blue() << 16));
}

inline QColor unpackColor(quint32 packed) {
    return QColor(int(packed & 0xFF), int((packed >> 8) & 0xFF), int((packed >> 16) & 0xFF));
}
