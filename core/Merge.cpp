#include "core/Merge.h"

#include "core/BaseFiles.h"
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

// The merge's source chooser writes a blank after each "|" but the first.
QString sourceFilter() {
    return baseFilter(QStringLiteral("| "));
}

QString targetFilter(const QString& firstSource) {
    const QString pair = baseFilterPair(baseKindOf(firstSource));
    return pair.isEmpty() ? sourceFilter() : pair;
}

void MergeSelection::chooseFirst(const QString& path) {
    choose(true, path);
}

void MergeSelection::chooseSecond(const QString& path) {
    choose(false, path);
}

void MergeSelection::choose(bool first, const QString& path) {
    QString& chosen = first ? m_v.MergeFirstBaseFile : m_v.MergeSecondBaseFile;
    const QString& other = first ? m_v.MergeSecondBaseFile : m_v.MergeFirstBaseFile;
    bool& otherChosen = first ? m_secondChosen : m_firstChosen;
    chosen = path;
    (first ? m_firstChosen : m_secondChosen) = true;
    if (other.right(4) != chosen.right(4) || other == chosen)
        otherChosen = false;
}

QString MergeSelection::firstCaption() const {
    return m_firstChosen ? Merge::firstCaption(m_v.MergeFirstBaseFile) : Merge::firstCaption();
}

QString MergeSelection::secondCaption() const {
    return m_secondChosen ? Merge::secondCaption(m_v.MergeSecondBaseFile) : Merge::secondCaption();
}

Result<> MergeBases(const QString& firstSource, const QString& secondSource, const QString& target) {
    const Result<QByteArray> first = TextFile::readBytes(firstSource);
    if (!first)
        return Failure{first.error()};
    const Result<QByteArray> second = TextFile::readBytes(secondSource);
    if (!second)
        return Failure{second.error()};
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
