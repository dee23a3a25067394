#include "FuzzSupport.h"
#include "core/Bases.h"
#include "core/Cp1251.h"
#include "core/TextFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes = bytesOf(data, size);
    Variables v;
    v.AnswerBaseFile = scratchFile("f.tka");
    v.QuestionBaseFile = scratchFile("f.tkq");
    v.SynonymBaseFile = scratchFile("f.tks");
    for (const QString& path : {v.AnswerBaseFile, v.QuestionBaseFile, v.SynonymBaseFile}) {
        QFile f(path);
        FUZZ_CHECK(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
    }
    const bool loaded = LoadAnswers(v).ok() && LoadQuestions(v).ok() && LoadSinonims(v).ok();
    const QStringList lines = TextFile::splitLines(bytes);
    FUZZ_CHECK(loaded == (lines.size() <= Variables::MaxLines));
    if (!loaded)
        return 0;
    FUZZ_CHECK(v.AnswerCount == v.AnswerBase.size() && v.QuestionCount == v.QuestionBase.size() &&
               v.SynonymCount == v.SynonymBase.size());
    FUZZ_CHECK(v.AnswerBase == lines);
    for (const QString& line : std::as_const(v.SynonymBase))
        FUZZ_CHECK(line == Cp1251::toUpper(line));
    FUZZ_CHECK(SaveBases(v).ok());
    Variables again = v;
    FUZZ_CHECK(LoadAnswers(again).ok() && again.AnswerBase == v.AnswerBase);
    FUZZ_CHECK(LoadSinonims(again).ok() && again.SynonymBase == v.SynonymBase);
    return 0;
}
