#include "FuzzSupport.h"
#include "core/Options.h"
#include "core/TextFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QStringList lines = TextFile::splitLines(bytesOf(data, size));
    Variables v;
    if (!Options::applyLines(v, lines)) {
        FUZZ_CHECK(lines.size() < 13);
        return 0;
    }
    // The conversions start-up applies never crash: each either gives a value or says it cannot.
    for (const OptionValue* o : {&v.DialogBackColor, &v.FontSize, &v.FontBold, &v.FontItalic, &v.FontUnderline,
                                 &v.FontStrikethrough, &v.ShortPhraseLimit}) {
        const Result<qint32> converted = o->toInt32();
        FUZZ_CHECK(converted.ok() || !converted.error().isEmpty());
        (void)o->toNumber();
        (void)o->toBool();
    }
    // Untouched options go back byte for byte.
    FUZZ_CHECK(TextFile::joinLines(Options::optionLines(v)) == TextFile::joinLines(lines.mid(0, 13)));
    // Typed values written and read back keep their meaning.
    if (const Result<double> size = v.FontSize.toNumber(); size && *size > -1e6 && *size < 1e6) {
        v.FontSize = OptionValue::fromFloat(float(*size));
        Variables again;
        FUZZ_CHECK(Options::applyLines(again, Options::optionLines(v)));
        FUZZ_CHECK(again.FontSize.toNumber().ok());
    }
    return 0;
}
