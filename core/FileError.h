#pragma once

#include "core/Result.h"

#include <QString>

// The person's side of a file that could not be opened, read or written: the file's full native path and the
// reason in Russian. The system's own texts are English; the program speaks Russian throughout.
namespace FileError {

// The absolute path with the platform's separators, as the person finds the file.
QString nativePath(const QString& path);

// The reason for an error number of the system (errno) met on `path`. Where the number says nothing (0, or one
// without a reason of its own), a look at the path finds the common causes: no such folder, a folder in the
// file's place, a read-only file system, a full disk, no right to write.
QString reason(int errorNumber, const QString& path);

// `sentence` holds %1 for the path and %2 for the reason, such as "Не удалось записать файл \"%1\": %2".
Failure failure(const char* sentence, const QString& path, int errorNumber);

} // namespace FileError
