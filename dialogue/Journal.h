#pragma once

#include "core/Result.h"

#include <QStringList>
#include <QStringView>

class Clock;

// The conversation journal: every dialogue the program has held, appended for the life of the installation.
// Each writer opens the file, writes and closes it within one call. The file is journalFileName() in the
// program's folder; the callers pass its full path.
namespace Journal {

QString journalFileName();

// Creates or empties the journal, leaving only the title line with today's date.
Result<> WriteJournalTitle(const Clock& clock, const QString& path);
// The lone CR line (CR CR LF on disk), the dialogue header with the current date and time, and then, in the same
// opening, the lines the caller brings along.
Result<> AppendDialogHeader(const Clock& clock, const QStringList& followingLines, const QString& path);
// A dialogue opened from its file: the CR line and the header, then every line of its pane but the first (the
// intro line reaches only the pane; the journal has its header instead). The pane is never copied, however long.
Result<> AppendOpenedDialogue(const Clock& clock, QStringView paneText, const QString& path);
// Start-up's check: a journal that can be opened is left untouched; otherwise a fresh one is written.
Result<> ListCheck(const Clock& clock, const QString& path);
Result<> AppendLines(const QStringList& lines, const QString& path);

// The whole journal as the viewer shows it: CR LF, a lone CR and a lone LF each end a line, and the CR CR LF
// before each dialogue is one empty line. A file far larger than years of talking is refused.
Result<QString> ReadJournal(const QString& path);
QString textFromFile(const QByteArray& bytes);

QString titleLine(const Clock& clock);
QString headerLine(const Clock& clock);

} // namespace Journal
