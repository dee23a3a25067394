#include "core/Startup.h"

#include "core/Bases.h"
#include "core/FileError.h"
#include "core/Options.h"
#include "core/OptionsRecovery.h"

#include <QCoreApplication>

namespace {

// Everything the options decide, once they are read.
Result<> applyAndLoad(Variables& v, StartupWindow& window, const ProgramFolder& folder, const QString& optionsPath) {
    v.Mode = Modes::conversation();
    const Result<PaneLook> look = paneLookFrom(v);
    if (!look)
        return Failure{QCoreApplication::translate(
                           "Startup", "Файл настроек \"%1\": цвет или шрифт окна диалога задан неверно. %2")
                           .arg(FileError::nativePath(optionsPath), look.error())};
    window.applyPaneLook(*look);
    window.hideMergeItems();
    if (Result<> journal = window.checkJournal(); !journal)
        return journal;
    if (Result<> answers = LoadAnswers(v, folder); !answers)
        return answers;
    if (Result<> questions = LoadQuestions(v, folder); !questions)
        return questions;
    return LoadSinonims(v, folder);
}

// The defaults in place of options that failed: written over the file once the person's copy of it is kept, and
// read back from it.
Result<> resetOptions(Variables& v, const QString& optionsPath, std::optional<QString>& backupFailure) {
    if (const Result<> kept = KeepOptionsBackup(optionsPath); !kept) {
        // Without a copy, replacing the file would lose the person's settings for good.
        backupFailure = kept.error();
        Options::applyDefaults(v);
        return Success{};
    }
    if (Result<> written = Options::WriteDefaultOptions(optionsPath); !written)
        return written;
    return Options::LoadOptions(v, optionsPath);
}

} // namespace

StartupOutcome RunStartup(Variables& v, StartupWindow& window, QSettings& settings, const ProgramFolder& folder) {
    const QString optionsPath = folder.resolve(Options::optionsFileName());
    StartupOutcome outcome;
    window.setLoading(true);
    window.applyPlacement(readPlacement(settings));

    Result<> run = Options::LoadOptions(v, optionsPath);
    if (run)
        run = applyAndLoad(v, window, folder, optionsPath);
    if (!run) {
        outcome.firstFailure = run.error();
        run = resetOptions(v, optionsPath, outcome.backupFailure);
        if (run)
            run = applyAndLoad(v, window, folder, optionsPath);
    }

    window.setLoading(false);
    outcome.result = run;
    if (outcome.result)
        window.startDialogue();
    return outcome;
}
