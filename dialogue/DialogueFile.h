#pragma once

#include "core/Result.h"

#include <QList>
#include <QString>

struct Variables;

// A saved dialogue: the engine's dialogue state followed by the pane text, one Windows-1251 CR LF line each.
struct DialogueFileContent {
    QString Mode;
    QString PreviousPhrase;
    QString PendingKeys;
    QString PendingPhrase;
    QList<qint16> AskedQuestions;
    QString PaneText;
};

namespace DialogueFile {

// The largest dialogue file the program opens: one of this size is read, journaled and shown at its end in about
// two seconds on a two-core machine, with about three times its size in memory at the peak. It holds more than a
// million turns; a larger file is refused with a message before a byte of it is read.
inline constexpr qint64 MaxBytes = 128 * 1024 * 1024;

QByteArray encode(const Variables& v, const QString& paneText);
Result<> write(const QString& path, const Variables& v, const QString& paneText);

// Reads and checks the whole file before anything is applied: a file that cannot be read, ends early, holds a
// count or index that is not a 16-bit number, a negative count, or no pane text is refused with a reason.
Result<DialogueFileContent> read(const QString& path);
Result<DialogueFileContent> decode(const QByteArray& bytes, const QString& path);

QString filter();

} // namespace DialogueFile
