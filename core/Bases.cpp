#include "Bases.h"

#include "TextFile.h"

namespace {

Result loadBase(const QString& path, QStringList& base, qint16& count, bool upperCase) {
    TextFile::ReadResult read = TextFile::readLines(path, Variables::MaxLines);
    if (!read.result)
        return read.result;
    if (upperCase) {
        for (QString& line : read.lines)
            line = line.toUpper();
    }
    base = std::move(read.lines);
    count = static_cast<qint16>(base.size());
    return Result::success();
}

} // namespace

Result LoadAnswers(Variables& v) {
    // The answer flag stays as it is: once the person changed the answers, a later reload does not make shut-down
    // forget to offer saving.
    return loadBase(v.AnswerBaseFile, v.AnswerBase, v.AnswerCount, false);
}

Result LoadQuestions(Variables& v) {
    Result r = loadBase(v.QuestionBaseFile, v.QuestionBase, v.QuestionCount, false);
    if (r)
        v.QuestionBaseChanged = false;
    return r;
}

Result LoadSinonims(Variables& v) {
    Result r = loadBase(v.SynonymBaseFile, v.SynonymBase, v.SynonymCount, true);
    if (r)
        v.SynonymBaseChanged = false;
    return r;
}

Result SaveBases(const Variables& v) {
    if (Result r = TextFile::writeLines(v.QuestionBaseFile, v.QuestionBase); !r)
        return r;
    if (Result r = TextFile::writeLines(v.AnswerBaseFile, v.AnswerBase); !r)
        return r;
    return TextFile::writeLines(v.SynonymBaseFile, v.SynonymBase);
}

BaseKind baseKindOf(const QString& fileName) {
    const QString tail = fileName.right(4);
    if (tail == QLatin1String(".tka"))
        return BaseKind::Answers;
    if (tail == QLatin1String(".tkq"))
        return BaseKind::Questions;
    if (tail == QLatin1String(".tks"))
        return BaseKind::Synonyms;
    return BaseKind::None;
}

bool appendBaseLines(QStringList& base, qint16& count, const QStringList& lines) {
    if (base.size() + lines.size() > Variables::MaxLines)
        return false;
    base.append(lines);
    count = static_cast<qint16>(base.size());
    return true;
}
