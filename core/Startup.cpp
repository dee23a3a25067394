#include "core/Startup.h"

#include "core/Bases.h"
#include "core/FileError.h"
#include "core/OptionValue.h"
#include "core/Options.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>

#include <cerrno>
#include <cmath>

Result<PaneLook> paneLookFrom(const Variables& v) {
    const Result<qint32> color = v.DialogBackColor.toInt32();
    const Result<double> size = v.FontSize.toNumber();
    const Result<bool> bold = v.FontBold.toBool();
    const Result<bool> italic = v.FontItalic.toBool();
    const Result<bool> underline = v.FontUnderline.toBool();
    for (const QString& error : {color.error, size.error, bold.error, italic.error, underline.error})
        if (!error.isEmpty())
            return Failure{error};
    if (*color < 0 || *color > 0xFFFFFF)
        return Failure{QCoreApplication::translate("Startup", "Цвет %1 не умещается в 24 бита.")
                           .arg(v.DialogBackColor.toFileText())};
    PaneLook look;
    look.BackColor = quint32(*color);
    look.FontName = v.FontName;
    // The size is a single-precision number in the file's world; a size no font can take is as unusable as text.
    look.FontSize = double(float(*size));
    if (!(look.FontSize > 0 && look.FontSize <= 2048))
        return Failure{
            QCoreApplication::translate("Startup", "Размер шрифта %1 невозможен.").arg(v.FontSize.toFileText())};
    look.FontBold = *bold;
    look.FontItalic = *italic;
    look.FontUnderline = *underline;
    return look;
}

namespace Settings {
QString organizationName() {
    return QStringLiteral("Talkomat");
}
QString applicationName() {
    return QStringLiteral("Talkomat v%1.%2").arg(TALKOMAT_VERSION_MAJOR).arg(TALKOMAT_VERSION_MINOR);
}
QString section() {
    return QStringLiteral("Settings");
}
} // namespace Settings

namespace {

const char* const placementKeys[] = {"MainLeft", "MainTop", "MainWidth", "MainHeight"};

double readNumber(QSettings& settings, const char* key, double fallback) {
    const QVariant value = settings.value(QLatin1String(key));
    if (!value.isValid())
        return fallback;
    bool ok = false;
    const float number = value.toString().trimmed().toFloat(&ok);
    return ok && std::isfinite(number) ? double(number) : fallback;
}

} // namespace

Placement readPlacement(QSettings& settings) {
    const Placement defaults;
    Placement p;
    settings.beginGroup(Settings::section());
    p.Left = readNumber(settings, placementKeys[0], defaults.Left);
    p.Top = readNumber(settings, placementKeys[1], defaults.Top);
    p.Width = readNumber(settings, placementKeys[2], defaults.Width);
    p.Height = readNumber(settings, placementKeys[3], defaults.Height);
    settings.endGroup();
    return p;
}

void writePlacement(QSettings& settings, const Placement& p) {
    settings.beginGroup(Settings::section());
    const double values[] = {p.Left, p.Top, p.Width, p.Height};
    for (int i = 0; i < 4; ++i)
        settings.setValue(QLatin1String(placementKeys[i]), QString::number(qRound64(values[i])));
    settings.endGroup();
    settings.sync();
}

SingleInstance::SingleInstance(const QString& folder)
    : m_lock(std::make_unique<QLockFile>(QDir(folder).filePath(lockFileName()))) {}

bool SingleInstance::tryLock() {
    return m_lock->tryLock(0);
}

QString SingleInstance::lockFileName() {
    return QStringLiteral("talkomat.lock");
}

QStringList shippedFiles() {
    return {QStringLiteral("standart.tka"), QStringLiteral("standart.tkq"), QStringLiteral("standart.tks"),
            QStringLiteral("help.hlp")};
}

Result<> prepareProgramFolder(const QString& folder, const QString& seedDir) {
    QDir dir(folder);
    errno = 0;
    if (!dir.mkpath(QStringLiteral(".")))
        return FileError::failure("Не удалось создать папку программы \"%1\": %2", folder, errno);
    for (const QString& name : shippedFiles()) {
        const QString target = dir.filePath(name);
        if (QFileInfo::exists(target))
            continue;
        QFile source(QDir(seedDir).filePath(name));
        // A build without one of the files seeds what it has; start-up then names the file that is missing.
        if (!source.exists())
            continue;
        errno = 0;
        if (!source.copy(target))
            return FileError::failure("Не удалось создать файл \"%1\": %2", target, errno);
        // A copy of an embedded resource is read-only, and the bases are written back at shut-down.
        QFile::setPermissions(target, QFile::permissions(target) | QFile::WriteOwner | QFile::ReadOwner);
    }
    return {};
}

QString optionsBackupSuffix() {
    return QStringLiteral(".bak");
}

namespace {

Result<> runOnce(Variables& v, const StartupSteps& steps, const QString& optionsPath) {
    if (Result<> r = Options::LoadOptions(v, optionsPath); !r)
        return r;
    v.Mode = Modes::conversation();
    const Result<PaneLook> look = paneLookFrom(v);
    if (!look)
        return Failure{QCoreApplication::translate(
                           "Startup", "Файл настроек \"%1\": цвет или шрифт окна диалога задан неверно. %2")
                           .arg(FileError::nativePath(optionsPath), look.error)};
    if (steps.applyPaneLook)
        steps.applyPaneLook(*look);
    if (steps.hideMergeItems)
        steps.hideMergeItems();
    if (steps.checkJournal) {
        if (Result<> r = steps.checkJournal(); !r)
            return r;
    }
    if (Result<> r = LoadAnswers(v); !r)
        return r;
    if (Result<> r = LoadQuestions(v); !r)
        return r;
    return LoadSinonims(v);
}

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

StartupOutcome RunStartup(Variables& v, const StartupSteps& steps, const QString& optionsPathIn) {
    const QString optionsPath = optionsPathIn.isEmpty() ? Options::optionsFileName() : optionsPathIn;
    StartupOutcome outcome;
    outcome.firstFailure = runOnce(v, steps, optionsPath);
    if (outcome.firstFailure)
        return outcome;
    outcome.recovered = true;
    keepBackup(optionsPath);
    if (Result<> r = Options::WriteDefaultOptions(optionsPath); !r) {
        outcome.result = r;
        return outcome;
    }
    outcome.result = runOnce(v, steps, optionsPath);
    return outcome;
}
