#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>

// Windows-1251 is the only encoding the program's files use. The table is our own rather than the system
// converter's so that all 256 bytes come back unchanged after a load and a save, 0x98 (unassigned in the code
// page) included: it maps to U+0098 and back.
namespace Cp1251 {
QString decode(QByteArrayView bytes);
// Characters the code page cannot hold become '?', so that nothing the person typed silently disappears.
QByteArray encode(QStringView text);
bool canEncode(QChar c);
// Upper case, character by character, keeping a character whose capital the code page cannot hold (the micro
// sign's capital is Greek): a line upper-cased in memory must come back the same from its file.
QString toUpper(const QString& text);
} // namespace Cp1251
