#pragma once

#include "core/PaneLook.h"
#include "core/Placement.h"
#include "core/ProgramFolder.h"
#include "core/Result.h"
#include "core/Variables.h"

#include <QString>

#include <optional>

class QSettings;

// The main window as start-up reaches it, in the order start-up uses it. The window implements it; tests use a
// fake, so that the whole order is tested without widgets.
class StartupWindow {
public:
    // While loading, the window is disabled and shows the busy pointer; afterwards it is enabled with the arrow.
    virtual void setLoading(bool loading) = 0;
    virtual void applyPlacement(const Placement& placement) = 0;
    virtual void applyPaneLook(const PaneLook& look) = 0;
    // The merge's last two items wait until both sources are chosen.
    virtual void hideMergeItems() = 0;
    // Creates the journal with its title line when it does not exist yet.
    virtual Result<> checkJournal() = 0;
    virtual void startDialogue() = 0;

protected:
    ~StartupWindow() = default;
};

struct StartupOutcome {
    // Failed until start-up has loaded everything, so that an outcome nobody filled in never passes for a start
    // that worked.
    Result<> result = Failure{};
    // Why the first run failed, when it did: the second run then went on the default options.
    std::optional<QString> firstFailure;
    // Why the person's options file could not be kept, when it could not: the file was left as it was, and the
    // second run used the defaults in memory only.
    std::optional<QString> backupFailure;

    bool recovered() const { return firstFailure.has_value(); }
};

// The main window's load, from the busy pointer to the first dialogue: placement, options, the pane's look, the
// journal and the three bases, every bare name resolved in the program's folder. When anything after the
// placement fails, the options file is rewritten with the defaults (the person's file is kept beside it, see
// KeepOptionsBackup) and those steps run once more; a failure then is final, and its text names the file.
StartupOutcome RunStartup(Variables& v, StartupWindow& window, QSettings& settings, const ProgramFolder& folder);
