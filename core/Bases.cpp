#include "core/Bases.h"

#include "core/Cp1251.h"
#include "core/TextFile.h"

#include <utility>

namespace {

Result<> loadBase(const QString& path, QStringList& base, qint16& count, bool upperCase) {
    Result<QStringList> read = TextFile::readLines(path, Variables::MaxLines);
    if (!read)
        return Failure{read.error()};
    if (upperCase) {
        for (QString& line : *read)
            line = Cp1251::toUpper(line);
    }
    base = std::move(read).value();
    count = static_cast<qint16>(base.size());
    return Success{};
}

} // namespace

Result<> LoadAnswers(Variables& v, const ProgramFolder& folder) {
    // The answer flag stays as it is: once the person changed the answers, a later reload does not make shut-down
    // forget to offer saving.
    return loadBase(folder.resolve(v.AnswerBaseFile), v.AnswerBase, v.AnswerCount, false);
}

Result<> LoadQuestions(Variables& v, const ProgramFolder& folder) {
    Result<> r = loadBase(folder.resolve(v.QuestionBaseFile), v.QuestionBase, v.QuestionCount, false);
    if (r)
        v.QuestionBaseChanged = false;
    return r;
}

Result<> LoadSinonims(Variables& v, const ProgramFolder& folder) {
    Result<> r = loadBase(folder.resolve(v.SynonymBaseFile), v.SynonymBase, v.SynonymCount, true);
    if (r)
        v.SynonymBaseChanged = false;
    return r;
}

Result<> SaveBases(const Variables& v, const ProgramFolder& folder) {
    // A file that cannot be written does not stop the others: whatever can be kept is kept.
    QStringList errors;
    for (const auto& [path, lines] :
         {std::pair{&v.QuestionBaseFile, &v.QuestionBase}, std::pair{&v.AnswerBaseFile, &v.AnswerBase},
          std::pair{&v.SynonymBaseFile, &v.SynonymBase}}) {
        if (const Result<> r = TextFile::writeLines(folder.resolve(*path), *lines); !r)
            errors.append(r.error());
    }
    if (errors.isEmpty())
        return Success{};
    return Failure{errors.join(QLatin1Char('\n'))};
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
