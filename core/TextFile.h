#pragma once

#include "Result.h"

#include <QStringList>

// The one line format of every file the program reads and writes: Windows-1251, each line ended by CR LF.
namespace TextFile {

// A line ends at CR; an LF right after it belongs to the line end; a last line without CR LF is still a line;
// a final CR LF starts no extra line; an empty file has no lines.
QStringList splitLines(const QByteArray& bytes);
QByteArray joinLines(const QStringList& lines);

struct ReadResult {
    Result result;
    QStringList lines;
};

// Reads the whole file. A file of more than maxLines lines is refused rather than cut short.
ReadResult readLines(const QString& path, qsizetype maxLines = -1);
Result readBytes(const QString& path, QByteArray& bytes);

// Replaces the file as a whole: until the new content is complete on disk the old file stays as it was.
Result writeLines(const QString& path, const QStringList& lines);
Result writeBytes(const QString& path, const QByteArray& bytes);

// Appends within one open-write-close; a missing file is created.
Result appendLines(const QString& path, const QStringList& lines);

} // namespace TextFile
