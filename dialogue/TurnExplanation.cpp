#include "dialogue/TurnExplanation.h"

#include "core/Variables.h"
#include "dialogue/TurnRecords.h"
#include "engine/EngineIndex.h"
#include "engine/Phrase.h"

#include <algorithm>

namespace {

using Kind = TurnWhy::Kind;

// The start of the line holding `position`: a position right before a line's LF still belongs to that line.
qsizetype lineStartAt(const QString& pane, qsizetype position) {
    position = std::clamp<qsizetype>(position, 0, pane.size());
    if (position == 0)
        return 0;
    return pane.lastIndexOf(QLatin1Char('\n'), position - 1) + 1;
}

bool isProgramLine(const QString& pane, qsizetype start) {
    return QStringView(pane).mid(start).startsWith(programTag());
}

// Where an entry that had `hash` at row `recorded` is now: there, or moved up by deletions before it (looked for
// nearest first), or anywhere else; -1 when no row has it.
template <typename HashAt> int findAgain(int recorded, int rows, quint32 hash, HashAt hashAt) {
    if (recorded >= 0 && recorded < rows && hashAt(recorded) == hash)
        return recorded;
    for (int row = std::min(recorded, rows) - 1; row >= 0; --row) {
        if (hashAt(row) == hash)
            return row;
    }
    for (int row = recorded + 1; row < rows; ++row) {
        if (hashAt(row) == hash)
            return row;
    }
    return -1;
}

ExplainedEntry pairAt(const Variables& v, int row) {
    ExplainedEntry e;
    e.state = ExplainedEntry::State::Unchanged;
    e.number = row + 1;
    e.row = row;
    e.keyLine = v.AnswerBase.at(2 * qsizetype(row));
    e.text = v.AnswerBase.at(2 * qsizetype(row) + 1);
    return e;
}

ExplainedEntry locatePair(const Variables& v, int number, quint32 hash) {
    const int rows = v.AnswerCount / 2;
    const int row = findAgain(number - 1, rows, hash, [&v](int r) {
        return pairHash(v.AnswerBase.at(2 * qsizetype(r)), v.AnswerBase.at(2 * qsizetype(r) + 1));
    });
    ExplainedEntry e;
    if (row >= 0)
        e = pairAt(v, row);
    e.number = number;
    if (row >= 0 && row != number - 1)
        e.state = ExplainedEntry::State::Moved;
    return e;
}

ExplainedEntry locateQuestion(const Variables& v, int number, quint32 hash) {
    const int row =
        findAgain(number - 1, int(v.QuestionCount), hash, [&v](int r) { return lineHash(v.QuestionBase.at(r)); });
    ExplainedEntry e;
    e.number = number;
    if (row < 0)
        return e;
    e.state = row == number - 1 ? ExplainedEntry::State::Unchanged : ExplainedEntry::State::Moved;
    e.row = row;
    e.text = v.QuestionBase.at(row);
    return e;
}

QStringList shownWords(const WordList& words) {
    QStringList out;
    for (const QString& word : words) {
        const QString shown = trimBlanks(word);
        if (!shown.isEmpty() && !out.contains(shown))
            out.append(shown);
    }
    return out;
}

} // namespace

qsizetype programLineStart(const QString& pane, qsizetype position) {
    const qsizetype start = lineStartAt(pane, position);
    return isProgramLine(pane, start) ? start : -1;
}

qsizetype lastProgramLineStart(const QString& pane) {
    qsizetype end = pane.size();
    for (;;) {
        const qsizetype start = end > 0 ? pane.lastIndexOf(QLatin1Char('\n'), end - 1) + 1 : 0;
        if (isProgramLine(pane, start))
            return start;
        if (start == 0)
            return -1;
        end = start - 1;
    }
}

qsizetype lineStartOf(const QString& pane, qsizetype line) {
    if (line < 0)
        return -1;
    qsizetype start = 0;
    for (qsizetype i = 0; i < line; ++i) {
        const qsizetype lf = pane.indexOf(QLatin1Char('\n'), start);
        if (lf < 0)
            return -1;
        start = lf + 1;
    }
    return start;
}

TurnExplanation ExplainTurn(const QString& pane, qsizetype lineStart, const TurnRecord* record, const Variables& v,
                            EngineIndex& index) {
    using Availability = TurnExplanation::Availability;
    TurnExplanation e;
    if (lineStart < 0)
        return e;
    e.availability = Availability::NoRecord;
    if (!record || record->position != lineStart)
        return e;
    e.availability = Availability::Recorded;
    const TurnWhy& w = record->why;
    e.why = w;
    e.phrase = pane.mid(record->position - 2 - record->phraseLength, record->phraseLength);

    index.sync(v);
    // The key text of the display form is that of the typed phrase: the display form only trims it, upper-cases
    // its first character and may add a full stop, none of which survives in a key text.
    const WordList phraseWords = SplitKeyWords(MakeKeyText(e.phrase, v.Alphabet));
    if (w.kind == Kind::Answer || w.kind == Kind::Rebuke || w.kind == Kind::LearningQuestion)
        e.keyWords = shownWords(index.expand(phraseWords));
    if (w.kind == Kind::Rebuke || w.kind == Kind::LearningQuestion)
        e.shortPhraseLimit = shortPhraseLimit(v);
    if ((w.kind == Kind::Answer || w.kind == Kind::Taught) && w.pair > 0)
        e.pair = locatePair(v, w.pair, record->pairHash);
    if (w.kind == Kind::Answer) {
        const std::vector<qint32> now = index.matchingPairs(phraseWords);
        e.matchingNow = int(now.size());
        for (const qint32 row : now) {
            if (row != e.pair.row)
                e.otherPairs.append(pairAt(v, row));
        }
    }
    if (w.learnedQuestion > 0)
        e.learnedQuestion = locateQuestion(v, w.learnedQuestion, record->learnedQuestionHash);
    if (w.question > 0)
        e.question = locateQuestion(v, w.question, record->questionHash);

    using Editor = TurnExplanation::Editor;
    if ((w.kind == Kind::Answer || w.kind == Kind::Taught) && w.pair > 0) {
        if (e.pair.row >= 0) {
            e.editor = Editor::Answers;
            e.editorRow = e.pair.row;
        }
    } else if (e.question.row >= 0 || e.learnedQuestion.row >= 0) {
        e.editor = Editor::Questions;
        e.editorRow = e.question.row >= 0 ? e.question.row : e.learnedQuestion.row;
    }
    return e;
}
