#include "core/Startup.h"

#include "core/Bases.h"
#include "core/FileError.h"
#include "core/Options.h"
#include "core/OptionsRecovery.h"

#include <QCoreApplication>

namespace {

Result<> runOnce(Variables& v, const StartupSteps& steps, const ProgramFolder& folder) {
    const QString optionsPath = folder.resolve(Options::optionsFileName());
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
    if (outcome.firstFailure)
        return outcome;
    outcome.recovered = true;
    if (Result<> r = RecoverOptions(folder.resolve(Options::optionsFileName())); !r) {
        outcome.result = r;
        return outcome;
    }
    outcome.result = runOnce(v, steps, folder);
    return outcome;
}
