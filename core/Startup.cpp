#include "core/Startup.h"

#include "core/Bases.h"
#include "core/FileError.h"
#include "core/Options.h"
#include "core/OptionsRecovery.h"

#include <QCoreApplication>

namespace {

// With `defaults` the options are taken from the default lines instead of the file.
Result<> runOnce(Variables& v, const StartupSteps& steps, const ProgramFolder& folder, bool defaults = false) {
    const QString optionsPath = folder.resolve(Options::optionsFileName());
    if (defaults)
        Options::applyDefaults(v);
    else if (Result<> r = Options::LoadOptions(v, optionsPath); !r)
        return r;
    v.Mode = Modes::conversation();
    const Result<PaneLook> look = paneLookFrom(v);
    if (!look)
        return Failure{QCoreApplication::translate(
                           "Startup", "Файл настроек \"%1\": цвет или шрифт окна диалога задан неверно. %2")
                           .arg(FileError::nativePath(optionsPath), look.error())};
    if (steps.applyPaneLook)
        steps.applyPaneLook(*look);
    if (steps.hideMergeItems)
        steps.hideMergeItems();
    if (steps.checkJournal) {
        if (Result<> r = steps.checkJournal(); !r)
            return r;
    }
    if (Result<> r = LoadAnswers(v, folder); !r)
        return r;
    if (Result<> r = LoadQuestions(v, folder); !r)
        return r;
    return LoadSinonims(v, folder);
}

} // namespace

StartupOutcome RunStartup(Variables& v, const StartupSteps& steps, const ProgramFolder& folder) {
    StartupOutcome outcome;
    outcome.firstFailure = runOnce(v, steps, folder);
    if (outcome.firstFailure) {
        outcome.result = Success{};
        return outcome;
    }
    outcome.recovered = true;
    const QString optionsPath = folder.resolve(Options::optionsFileName());
    outcome.backup = KeepOptionsBackup(optionsPath);
    if (!outcome.backup) {
        // Without a copy, replacing the file would lose the person's settings for good.
        outcome.result = runOnce(v, steps, folder, true);
        return outcome;
    }
    if (Result<> r = Options::WriteDefaultOptions(optionsPath); !r) {
        outcome.result = r;
        return outcome;
    }
    outcome.result = runOnce(v, steps, folder);
    return outcome;
}
