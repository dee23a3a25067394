#include "FuzzSupport.h"
#include "core/Options.h"
#include "core/TextFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QStringList lines = TextFile::splitLines(bytesOf(data, size));
    Variables v;
    if (!Options::applyLines(v, lines)) {
        FUZZ_CHECK(lines.size() < Options::RequiredLines);
        return 0;
    }
    // The conversions start-up applies never crash: each either gives a value or says it cannot.
    for (const Options::Row& row : Options::rows()) {
        if (const auto* member = std::get_if<OptionValue Variables::*>(&row.field)) {
            const Result<qint32> converted = (v.**member).toInt32();
            FUZZ_CHECK(converted.ok() || !converted.error().isEmpty());
            (void)(v.**member).toNumber();
            (void)(v.**member).toBool();
        }
    }
    // Untouched options go back byte for byte.
    const QStringList written = Options::optionLines(v);
    FUZZ_CHECK(written.size() >= Options::RequiredLines && written == lines.mid(0, written.size()));
    // Typed values written and read back keep their meaning.
    if (const Result<double> size = v.FontSize.toNumber(); size && *size > -1e6 && *size < 1e6) {
        v.FontSize = OptionValue::fromFloat(float(*size));
        Variables again;
        FUZZ_CHECK(Options::applyLines(again, Options::optionLines(v)));
        FUZZ_CHECK(again.FontSize.toNumber().ok());
    }
    return 0;
}
