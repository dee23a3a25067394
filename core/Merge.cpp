#include "core/Merge.h"

#include "core/Bases.h"
#include "core/TextFile.h"

namespace Merge {

QString shownName(const QString& path) {
    return path.size() <= 20 ? path : path.left(20) + QStringLiteral("...");
}

QString firstCaption(const QString& path) {
    return path.isEmpty() ? QStringLiteral("1-я база")
                          : QStringLiteral("1-я база (") + shownName(path) + QLatin1Char(')');
}

QString secondCaption(const QString& path) {
    return path.isEmpty() ? QStringLiteral("2-я база")
                          : QStringLiteral("2-я база (") + shownName(path) + QLatin1Char(')');
}

QString sourceFilter() {
    return QStringLiteral("Базы знаний ответов (*.tka)|*.tka| Базы знаний вопросов (*.tkq)|*.tkq| Базы знаний "
                          "синонимов (*.tks)|*.tks");
}

QString targetFilter(const QString& firstSource) {
    switch (baseKindOf(firstSource)) {
    case BaseKind::Answers:
        return QStringLiteral("Базы знаний ответов (*.tka)|*.tka");
    case BaseKind::Questions:
        return QStringLiteral("Базы знаний вопросов (*.tkq)|*.tkq");
    case BaseKind::Synonyms:
        return QStringLiteral("Базы знаний синонимов (*.tks)|*.tks");
    case BaseKind::None:
        break;
    }
    return sourceFilter();
}

Result<> MergeBases(const QString& firstSource, const QString& secondSource, const QString& target) {
    const Result<QByteArray> first = TextFile::readBytes(firstSource);
    if (!first)
        return Failure{first.error};
    const Result<QByteArray> second = TextFile::readBytes(secondSource);
    if (!second)
        return Failure{second.error};
    // Re-joining the split lines gives every line, the last one included, its CR LF, and leaves the bytes of
    // each line exactly as they were.
    return TextFile::writeBytes(target, TextFile::joinLines(TextFile::splitLines(*first)) +
                                            TextFile::joinLines(TextFile::splitLines(*second)));
}

QString doneMessage() {
    return QStringLiteral("Слияние баз знаний выполнено успешно!");
}
QString failedMessage() {
    return QStringLiteral("Не могу выполнить слияние баз знаний!");
}

} // namespace Merge
