#include "FuzzSupport.h"
#include "core/Merge.h"
#include "core/TextFile.h"

#include <QFile>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QList<QByteArray> pieces = piecesOf(bytesOf(data, size));
    const QByteArray first = pieces.value(0);
    const QByteArray second = pieces.value(1);
    const QString a = scratchFile("a.tka");
    const QString b = scratchFile("b.tka");
    const QString t = pieces.size() > 2 ? b : scratchFile("t.tka"); // sometimes the target is a source
    for (const auto& [path, bytes] : {std::pair{a, first}, std::pair{b, second}}) {
        QFile f(path);
        FUZZ_CHECK(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
    }
    FUZZ_CHECK(Merge::MergeBases(a, b, t).ok());
    QFile result(t);
    FUZZ_CHECK(result.open(QIODevice::ReadOnly));
    FUZZ_CHECK(result.readAll() == TextFile::joinLines(TextFile::splitLines(first) + TextFile::splitLines(second)));
    return 0;
}
