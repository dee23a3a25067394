#include "dialogue/Journal.h"

#include "core/TextFile.h"
#include "engine/Clock.h"

#include <QFile>

namespace Journal {

QString journalFileName() {
    return QStringLiteral("ChatList.log");
}

QString titleLine(const Clock& clock) {
    return QStringLiteral("Все диалоги с ") + formatDate(clock.now()) +
           QStringLiteral(" по сегодняшний день включительно.");
}

QString headerLine(const Clock& clock) {
    const QDateTime now = clock.now();
    return QStringLiteral("[Дата: ") + formatDate(now) + QStringLiteral("; Время: ") + formatTime(now) +
           QLatin1Char(']');
}

Result<> WriteJournalTitle(const Clock& clock, const QString& path) {
    return TextFile::writeLines(path, {titleLine(clock)});
}

Result<> AppendDialogHeader(const Clock& clock, const QStringList& followingLines, const QString& path) {
    QStringList lines{QStringLiteral("\r"), headerLine(clock)};
    lines += followingLines;
    return TextFile::appendLines(path, lines);
}

Result<> ListCheck(const Clock& clock, const QString& path) {
    QFile file(path);
    if (file.open(QIODevice::ReadOnly))
        return {};
    return WriteJournalTitle(clock, path);
}

Result<> AppendLines(const QStringList& lines, const QString& path) {
    return TextFile::appendLines(path, lines);
}

} // namespace Journal
