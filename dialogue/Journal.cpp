#include "dialogue/Journal.h"

#include "core/Cp1251.h"
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

Result<> AppendOpenedDialogue(const Clock& clock, QStringView paneText, const QString& path) {
    const QStringList header{QStringLiteral("\r"), headerLine(clock)};
    const qsizetype firstEnd = paneText.indexOf(QLatin1String("\r\n"));
    if (firstEnd < 0)
        return TextFile::appendLines(path, header);
    return TextFile::appendLines(path, header, paneText.mid(firstEnd + 2));
}

Result<> ListCheck(const Clock& clock, const QString& path) {
    QFile file(path);
    if (file.open(QIODevice::ReadOnly))
        return Success{};
    return WriteJournalTitle(clock, path);
}

Result<> AppendLines(const QStringList& lines, const QString& path) {
    return TextFile::appendLines(path, lines);
}

Result<QString> ReadJournal(const QString& path) {
    // Years of talking stay far below this; a bigger file is not a journal the program wrote.
    constexpr qint64 maxBytes = qint64(512) * 1024 * 1024;
    const Result<QByteArray> bytes = TextFile::readBytes(path, maxBytes);
    if (!bytes)
        return Failure{bytes.error()};
    return Success{textFromFile(*bytes)};
}

QString textFromFile(const QByteArray& bytes) {
    QString text = Cp1251::decode(bytes);
    // One pass in place: converting line ends by replacing substrings would move the whole text once per line.
    // The journal writes a line holding a single CR before each dialogue (CR CR LF on disk); it shows as one empty
    // line, not two.
    QChar* data = text.data();
    const qsizetype size = text.size();
    const QChar cr = QLatin1Char('\r');
    const QChar lf = QLatin1Char('\n');
    qsizetype out = 0;
    for (qsizetype in = 0; in < size; ++in) {
        const QChar c = data[in];
        if (c != cr) {
            data[out++] = c;
        } else if (in + 1 < size && data[in + 1] == lf) {
            data[out++] = lf;
            ++in;
        } else if (!(in + 2 < size && data[in + 1] == cr && data[in + 2] == lf)) {
            data[out++] = lf;
        }
    }
    text.truncate(out);
    return text;
}

} // namespace Journal
