#pragma once

#include "core/PaneLook.h"
#include "core/ProgramFolder.h"
#include "core/Result.h"
#include "core/Variables.h"

#include <functional>

// What start-up needs from the layers above: each step either succeeds or reports what failed.
struct StartupSteps {
    std::function<void(const PaneLook&)> applyPaneLook;
    std::function<void()> hideMergeItems;
    std::function<Result<>()> checkJournal;
};

struct StartupOutcome {
    Result<> result = Failure{};
    // The first run failed and the options were reset to their defaults.
    bool recovered = false;
    Result<> firstFailure = Success{};
    // The copy of the person's options file could not be made: the file was left as it was, and the second run
    // used the defaults in memory only.
    Result<> backup = Success{};
};

// Reads the options, applies them, checks the journal and loads the three bases, every bare name resolved in the
// program's folder. When anything fails the options file is rewritten with the defaults (the person's file is
// kept beside it, see KeepOptionsBackup) and the sequence runs once more; a failure then is final, and its text
// names the file.
StartupOutcome RunStartup(Variables& v, const StartupSteps& steps, const ProgramFolder& folder);
