#include "core/BaseFiles.h"

#include "core/Options.h"
#include "core/TextFile.h"

#include <QCoreApplication>

QString baseFilterPair(BaseKind kind) {
    switch (kind) {
    case BaseKind::Answers:
        return QStringLiteral("Базы знаний ответов (*.tka)|*.tka");
    case BaseKind::Questions:
        return QStringLiteral("Базы знаний вопросов (*.tkq)|*.tkq");
    case BaseKind::Synonyms:
        return QStringLiteral("Базы знаний синонимов (*.tks)|*.tks");
    case BaseKind::None:
        break;
    }
    return {};
}

QString baseFilter(const QString& separator) {
    return baseFilterPair(BaseKind::Answers) + separator + baseFilterPair(BaseKind::Questions) + separator +
           baseFilterPair(BaseKind::Synonyms);
}

Result<> ChooseBase(Variables& v, const QString& path, const ProgramFolder& folder) {
    QString* option = nullptr;
    Result<> (*load)(Variables&, const ProgramFolder&) = nullptr;
    switch (baseKindOf(path)) {
    case BaseKind::Answers:
        option = &v.AnswerBaseFile;
        load = LoadAnswers;
        break;
    case BaseKind::Questions:
        option = &v.QuestionBaseFile;
        load = LoadQuestions;
        break;
    case BaseKind::Synonyms:
        option = &v.SynonymBaseFile;
        load = LoadSinonims;
        break;
    case BaseKind::None:
        break;
    }
    QStringList problems;
    if (option) {
        const QString previous = *option;
        *option = path;
        if (const Result<> loaded = load(v, folder); !loaded) {
            // The loader kept the previous base; its path goes back with it.
            *option = previous;
            problems.append(loaded.error() +
                            QCoreApplication::translate("BaseFiles", "\r\nОставлена прежняя база знаний."));
        }
    }
    if (const Result<> saved = Options::SaveOptions(v, folder.resolve(Options::optionsFileName())); !saved)
        problems.append(saved.error());
    if (!problems.isEmpty())
        return Failure{problems.join(QStringLiteral("\r\n"))};
    return Success{};
}

Result<> CreateBase(const QString& path) {
    return TextFile::writeLines(path, {});
}
