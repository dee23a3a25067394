#pragma once

#include "core/Result.h"

#include <QStringList>
#include <QStringView>

#include <optional>

class QIODevice;

// The one line format of every file the program reads and writes: Windows-1251, each line ended by CR LF.
namespace TextFile {

// A line ends at CR; an LF right after it belongs to the line end; a last line without CR LF is still a line;
// a final CR LF starts no extra line; an empty file has no lines.
QStringList splitLines(const QByteArray& bytes);
QByteArray joinLines(const QStringList& lines);

// Files larger than this are refused before they are read, so that a huge file chosen by mistake cannot exhaust
// memory: far above any base of 32,767 lines the program writes itself.
inline constexpr qint64 DefaultMaxBytes = 64 * 1024 * 1024;

// A line as it may enter a file of ours: CR, LF and other control characters become blanks, so that a typed or
// pasted text can never break the line structure of a base, the journal or a dialogue file.
QString singleLine(const QString& text);

// Reads the whole file. A file of more than maxLines lines, or larger than maxBytes, is refused rather than cut
// short.
Result<QStringList> readLines(const QString& path, qsizetype maxLines = -1, qint64 maxBytes = DefaultMaxBytes);
Result<QByteArray> readBytes(const QString& path, qint64 maxBytes = DefaultMaxBytes);
// Splits at most maxLines + 1 lines, enough to tell that a file has too many.
QStringList splitLines(const QByteArray& bytes, qsizetype maxLines);

// Replaces the file as a whole: until the new content is complete on disk the old file stays as it was, and a
// new file that could not be completed is not left behind.
Result<> writeLines(const QString& path, const QStringList& lines);
Result<> writeBytes(const QString& path, const QByteArray& bytes);

// Appends within one open-write-close; a missing file is created. An append that fails is cut off again, so that
// the file never ends in half a line. After the lines, when given, comes `block`: lines already separated by
// CR LF, ended by one more; it is encoded a piece at a time, so that a long text is never copied whole.
Result<> appendLines(const QString& path, const QStringList& lines, std::optional<QStringView> block = std::nullopt);

// Writes every byte to an open device or says why not, naming `path`: a short write counts as a failure.
Result<> writeAll(QIODevice& device, const QByteArray& bytes, const QString& path);

} // namespace TextFile
