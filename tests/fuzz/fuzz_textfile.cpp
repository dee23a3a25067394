#include "FuzzSupport.h"
#include "core/Cp1251.h"
#include "core/TextFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes = bytesOf(data, size);
    // Every byte sequence decodes and encodes back to itself.
    FUZZ_CHECK(Cp1251::encode(Cp1251::decode(bytes)) == bytes);

    const QStringList lines = TextFile::splitLines(bytes);
    for (const QString& line : lines)
        FUZZ_CHECK(!line.contains(QLatin1Char('\r')));
    // Written back and read again, the lines are the same lines.
    FUZZ_CHECK(TextFile::splitLines(TextFile::joinLines(lines)) == lines);
    // A bounded split stops early but agrees with the full one as far as it goes.
    const QStringList some = TextFile::splitLines(bytes, 3);
    FUZZ_CHECK(some.size() <= 4 && some == lines.mid(0, some.size()));

    const QString text = QString::fromUtf16(reinterpret_cast<const char16_t*>(data), qsizetype(size / 2));
    const QString single = TextFile::singleLine(text);
    FUZZ_CHECK(single.size() == text.size());
    FUZZ_CHECK(TextFile::splitLines(TextFile::joinLines({single})).size() == 1);
    return 0;
}
