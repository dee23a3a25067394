#pragma once

#include "core/Variables.h"

#include <QString>
#include <QStringList>

class RandomSource;
class Clock;
class EngineIndex;

// Why a turn answered as it did, small enough to keep for every turn of a long run. Pair and question numbers are
// 1-based and refer to the bases as they stood right after the turn.
struct TurnWhy {
    enum class Kind : quint8 {
        Answer,           // an answer of the answer base whose key words the phrase holds
        Silence,          // the phrase was empty or held no alphabet character
        Repetition,       // the phrase repeated the previous one
        Rebuke,           // nothing matched and the key text was at most ShortPhraseLimit characters
        LearningQuestion, // nothing matched and the key text was longer: the program asked to be taught
        Taught,           // the phrase was the lesson and was learned
        LearningSilence,  // the person gave no lesson
    };
    Kind kind = Kind::Silence;
    // Silence: the phrase was empty (otherwise it held no alphabet character).
    bool emptyPhrase = false;
    // Answer: the pair whose answer was drawn, exactly that one among duplicates. Taught: the pair learned (0: the
    // base was full).
    qint16 pair = 0;
    // Answer: how many pairs matched.
    qint16 matched = 0;
    // Rebuke, LearningQuestion: the length of the key text, its trailing blank included.
    qint16 keyLength = 0;
    // Taught: the question learned from the phrase that was not understood (0: none).
    qint16 learnedQuestion = 0;
    // The question the program appended to its reply, by its line in the question base (0: none).
    qint16 question = 0;

    qint16 keyLine() const { return pair > 0 ? qint16(2 * pair - 1) : qint16(0); }
};

// What one turn gives the dialogue: the two lines it shows and journals, and whether the reply ended the dialogue.
struct TurnResult {
    QString HumanLine;
    QString ProgramLine;
    // The reply carried the stop macro: the running controls must be disabled and the pane closed with the notice.
    bool Stopped = false;
    TurnWhy Why;

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
// ShortPhraseLimit as a number; an option that is not one counts as its default.
double shortPhraseLimit(const Variables& v);

// The question step, exposed for the dialogue's own use and for tests: may append a question to each candidate.
void AddQuestion(Variables& v, QStringList& candidates, RandomSource& random);
// Chooses a question index not yet asked in this dialogue and records it; starts the asked list over once every
// question has been asked. Requires QuestionCount >= 2.
qint16 ChooseUnaskedQuestion(Variables& v, RandomSource& random);
