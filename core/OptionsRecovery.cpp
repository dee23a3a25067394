#include "core/OptionsRecovery.h"

#include "core/FileError.h"
#include "core/Options.h"
#include "core/TextFile.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace {
// Enough for years of damaged starts; past it the person is told instead of a copy being dropped.
constexpr int kMaxBackups = 100;
} // namespace

QString optionsBackupSuffix() {
    return QStringLiteral(".bak");
}

QString optionsBackupPath(const QString& optionsPath, int number) {
    if (number == 0)
        return optionsPath + optionsBackupSuffix();
    return optionsPath + QLatin1Char('.') + QString::number(number) + optionsBackupSuffix();
}

Result<> KeepOptionsBackup(const QString& optionsPath) {
    if (!QFileInfo::exists(optionsPath))
        return Success{};
    const auto failed = [&optionsPath](const QString& reason) {
        return Failure{QCoreApplication::translate("OptionsRecovery", "Копия файла настроек \"%1\" не сохранена. %2")
                           .arg(FileError::nativePath(optionsPath), reason)};
    };
    const Result<QByteArray> current = TextFile::readBytes(optionsPath);
    if (!current)
        return failed(current.error());
    if (*current == TextFile::joinLines(Options::defaultLines()))
        return Success{};
    for (int number = 0; number < kMaxBackups; ++number) {
        const QString backup = optionsBackupPath(optionsPath, number);
        if (!QFileInfo::exists(backup)) {
            if (const Result<> written = TextFile::writeBytes(backup, *current); !written)
                return failed(written.error());
            return Success{};
        }
        const Result<QByteArray> kept = TextFile::readBytes(backup);
        if (kept && *kept == *current)
            return Success{};
    }
    return failed(QCoreApplication::translate("OptionsRecovery", "Свободного имени для копии нет."));
}
