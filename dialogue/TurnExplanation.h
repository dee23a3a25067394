#pragma once

#include "engine/Turn.h"

#include <QList>
#include <QString>
#include <QStringList>

struct Variables;
class EngineIndex;
struct TurnRecord;

// A pair of the answer base or a line of the question base that a turn used, looked up again in the base as it is
// now. The editors cannot change an entry in place, only delete it: a pair that is not where it was has either moved
// up (earlier pairs were deleted) or is gone.
struct ExplainedEntry {
    enum class State { Unchanged, Moved, Gone };
    State state = State::Gone;
    // The pair or question number (1-based) at the time of the turn.
    int number = 0;
    // The row (0-based, as the editor's list shows it) now; -1 when gone.
    int row = -1;
    // Pairs only: the key line as the base holds it.
    QString keyLine;
    // The answer or the question as the base holds it (before macros); empty when gone.
    QString text;
};

// Everything the window "Почему такой ответ" shows about one program line of the pane.
struct TurnExplanation {
    enum class Availability {
        NotProgramLine, // the line is not one of the program's
        NoRecord,       // a program line of a dialogue opened from a file or of an earlier run
        Recorded,
    };
    Availability availability = Availability::NotProgramLine;
    TurnWhy why;

    // The person's phrase as the pane shows it (for a lesson, the lesson).
    QString phrase;
    // Answer, Rebuke, LearningQuestion: the key words of the phrase widened with the synonym base as it is now, each
    // once, in the order the widening gives them, without their surrounding blanks.
    QStringList keyWords;

    // Answer: the drawn pair; Taught: the pair learned.
    ExplainedEntry pair;
    // Answer: the other pairs that match the phrase in the bases as they are now, in base order.
    QList<ExplainedEntry> otherPairs;
    int matchingNow = 0;
    // Rebuke, LearningQuestion: ShortPhraseLimit as it is now.
    double shortPhraseLimit = 0;
    // Taught: the question learned from the phrase the program did not understand.
    ExplainedEntry learnedQuestion;
    // The question appended to the reply.
    ExplainedEntry question;

    // What «Изменить...» opens, with that row selected; None disables it.
    enum class Editor { None, Answers, Questions };
    Editor editor = Editor::None;
    int editorRow = -1;
};

// The start of the program line ("<TK> ...") that holds `position` of the pane text, or -1 when that line is not
// the program's. A position inside a line end counts as the end of that line.
qsizetype programLineStart(const QString& pane, qsizetype position);
// The start of the last program line of the pane, or -1 when there is none.
qsizetype lastProgramLineStart(const QString& pane);
// The start of a line by its number (0-based, lines end at LF), or -1 past the last line.
qsizetype lineStartOf(const QString& pane, qsizetype line);

// The explanation of the program line starting at `lineStart` (-1: not a program line) from its record (none: no
// record) and the bases as they are now. `index` is brought up to date with the bases.
TurnExplanation ExplainTurn(const QString& pane, qsizetype lineStart, const TurnRecord* record, const Variables& v,
                            EngineIndex& index);

// The explanation as plain Russian text for the window, one sentence or list entry a line.
QString ExplanationText(const TurnExplanation& e);
