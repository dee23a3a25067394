#pragma once

#include "core/Result.h"
#include "core/Variables.h"

#include <QLockFile>
#include <QString>

#include <functional>
#include <memory>

class QSettings;

// The pane's look as the options give it, already converted: colour packed with red in the lowest byte.
struct PaneLook {
    quint32 BackColor = 0;
    QString FontName;
    double FontSize = 0;
    bool FontBold = false;
    bool FontItalic = false;
    bool FontUnderline = false;
};

// Converts the colour and font options; fails when one of them cannot serve.
Result<PaneLook> paneLookFrom(const Variables& v);

// The main window's placement in twips, as the settings store keeps it.
struct Placement {
    double Left = 0;
    double Top = -360;
    double Width = 7155;
    double Height = 5400;

    bool operator==(const Placement&) const = default;
};

namespace Settings {
QString organizationName();
QString applicationName();
QString section();
} // namespace Settings

// A value that is not a number falls back to its default instead of costing the person their options file.
Placement readPlacement(QSettings& settings);
void writePlacement(QSettings& settings, const Placement& placement);

// Only one copy of the program may work on the program's folder at a time. A lock left by a copy that crashed
// belongs to a process that no longer runs, and QLockFile takes it over.
class SingleInstance {
public:
    explicit SingleInstance(const QString& folder);
    bool tryLock();
    static QString lockFileName();

private:
    std::unique_ptr<QLockFile> m_lock;
};

// The program's folder: created when missing and given any of the shipped files it lacks. A file already there is
// never replaced: it holds what the person taught the program.
Result<> prepareProgramFolder(const QString& folder, const QString& seedDir);
QStringList shippedFiles();

// What start-up needs from the layers above: each step either succeeds or reports what failed.
struct StartupSteps {
    std::function<void(const PaneLook&)> applyPaneLook;
    std::function<void()> hideMergeItems;
    std::function<Result<>()> checkJournal;
};

struct StartupOutcome {
    Result<> result;
    // The first run failed and the options were reset to their defaults.
    bool recovered = false;
    Result<> firstFailure;
};

// Reads the options, applies them, checks the journal and loads the three bases. When anything fails the options
// file is rewritten with the defaults (the damaged one is kept beside it as a backup) and the sequence runs once
// more; a failure then is final, and its text names the file.
StartupOutcome RunStartup(Variables& v, const StartupSteps& steps, const QString& optionsPath = {});
QString optionsBackupSuffix();
