#pragma once

#include "core/Variables.h"

#include <QString>
#include <QStringList>

class RandomSource;
class Clock;
class EngineIndex;

// What one turn gives the dialogue: the two lines it shows and journals, and whether the reply ended the dialogue.
struct TurnResult {
    QString HumanLine;
    QString ProgramLine;
    // The reply carried the stop macro: the running controls must be disabled and the pane closed with the notice.
    bool Stopped = false;

    // The text the turn adds to the end of the pane.
    QString paneAddition() const;
};

// One turn of the conversation on the raw phrase the person typed. Changes the dialogue state and the in-memory
// bases in `v`; writes no file. The index is brought up to date with the bases first, so any change made to them
// since the last turn takes part; without one, a fresh index is built for this turn alone.
TurnResult ProcessPhrase(Variables& v, const QString& raw, RandomSource& random, const Clock& clock,
                         EngineIndex& index);
TurnResult ProcessPhrase(Variables& v, const QString& raw, RandomSource& random, const Clock& clock);

QString stopNotice();
// The replies that mean the bases had nothing to say: the retorts to silence, the rebukes and the requests to be
// taught.
QStringList fallbackReplies();
QString programTag();

// The question step, exposed for the dialogue's own use and for tests: may append a question to each candidate.
void AddQuestion(Variables& v, QStringList& candidates, RandomSource& random);
// Chooses a question index not yet asked in this dialogue and records it; starts the asked list over once every
// question has been asked. Requires QuestionCount >= 2.
qint16 ChooseUnaskedQuestion(Variables& v, RandomSource& random);
