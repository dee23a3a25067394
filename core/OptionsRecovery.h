#pragma once

#include "core/Result.h"

#include <QString>

// Start-up's recovery path: before the defaults replace a damaged options file, the person's own file is kept.
// A file that holds exactly the defaults (which the program wrote itself) has nothing of the person's and is not
// kept; a backup of other content is never replaced: the next one takes the next free number ("tk.ini.bak",
// "tk.ini.1.bak", "tk.ini.2.bak", ...). Fails, naming the file, when the copy cannot be made.
Result<> KeepOptionsBackup(const QString& optionsPath);
QString optionsBackupSuffix();
QString optionsBackupPath(const QString& optionsPath, int number);
