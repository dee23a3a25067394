#include "FuzzSupport.h"
#include "dialogue/Export.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 4)
        return 0;
    QFont font(QString::fromUtf16(reinterpret_cast<const char16_t*>(data + 4),
                                  qsizetype(std::min<size_t>(data[0] % 16, (size - 4) / 2))));
    font.setPointSizeF(1 + data[1] % 96 + (data[2] % 4) * 0.25);
    font.setBold(data[3] & 1);
    font.setItalic(data[3] & 2);
    font.setUnderline(data[3] & 4);
    const QString text = QString::fromUtf16(reinterpret_cast<const char16_t*>(data + 4), qsizetype((size - 4) / 2));
    const QByteArray rtf = Export::rtf(text, font);
    // 7-bit, and no text can open or close a group or start a control word: outside escapes the braces balance
    // to exactly the document's own.
    int depth = 0;
    int minDepth = 1;
    for (qsizetype i = 0; i < rtf.size(); ++i) {
        const char c = rtf.at(i);
        FUZZ_CHECK(static_cast<unsigned char>(c) < 0x80);
        if (c == '\\') {
            ++i;
            continue;
        }
        if (c == '{')
            ++depth;
        if (c == '}')
            --depth;
        if (i > 0 && i < rtf.size() - 3)
            minDepth = std::min(minDepth, depth);
    }
    FUZZ_CHECK(depth == 0);
    FUZZ_CHECK(minDepth >= 1);
    return 0;
}
