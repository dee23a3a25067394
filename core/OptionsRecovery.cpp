#include "core/OptionsRecovery.h"

#include "core/Options.h"

#include <QFile>
#include <QFileInfo>

namespace {

// The person's own settings are worth more than the few bytes a copy costs; the defaults replace them only in
// the live file.
void keepBackup(const QString& optionsPath) {
    if (!QFileInfo::exists(optionsPath))
        return;
    const QString backup = optionsPath + optionsBackupSuffix();
    QFile::remove(backup);
    QFile::copy(optionsPath, backup);
}

} // namespace

QString optionsBackupSuffix() {
    return QStringLiteral(".bak");
}

Result<> RecoverOptions(const QString& optionsPath) {
    keepBackup(optionsPath);
    return Options::WriteDefaultOptions(optionsPath);
}
