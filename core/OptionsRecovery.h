#pragma once

#include "core/Result.h"

#include <QString>

// Start-up's recovery path: the options file is replaced by the defaults, and the person's own file is kept
// beside it first.
Result<> RecoverOptions(const QString& optionsPath);
QString optionsBackupSuffix();
