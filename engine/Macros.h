#pragma once

#include <QString>

class Clock;

struct MacroResult {
    QString text;
    bool stop = false;
};

// Fills in #NAME, #TIME and #DATE (any letter case) and removes the first #STOP, which ends the dialogue.
// Each pass looks only at the positions that existed when it began, so text brought in by a replacement is not
// expanded again past that length.
MacroResult ExpandMacros(const QString& reply, const QString& humanName, const Clock& clock);
