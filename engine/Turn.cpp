#include "engine/Turn.h"

#include "core/Bases.h"
#include "core/Options.h"
#include "core/TextFile.h"
#include "core/Variables.h"
#include "engine/Clock.h"
#include "engine/EngineIndex.h"
#include "engine/Macros.h"
#include "engine/Phrase.h"
#include "engine/RandomSource.h"

#include <algorithm>
#include <array>
#include <vector>

namespace {

// clang-format off
const std::array kSilence = {
    QStringLiteral("Пожалуйста, не молчи!"),
    QStringLiteral("Скажи что нибудь!"),
    QStringLiteral("Давай поговорим."),
};
const std::array kRepetition = {
    QStringLiteral("Не повторяйся!"),
    QStringLiteral("Ты это уже говорил!"),
    QStringLiteral("Я не дурак, и понимаю тебя с одного раза!"),
};
const std::array kRebuke = {
    QStringLiteral("Не моли чепуху!"),
    QStringLiteral("Хватит врать!"),
    QStringLiteral("Что за бред ты несёшь?!"),
    QStringLiteral("Что?!"),
    QStringLiteral("Не понял!"),
};
const std::array kLearningQuestion = {
    QStringLiteral("А как бы ты на это ответил?"),
    QStringLiteral("Что бы ты сказал на это?"),
    QStringLiteral("Что бы ты ответил на это?"),
    QStringLiteral("Ты умнее меня, и я надеюсь скажешь, как я буду должен отвечать на это в будущем?"),
};
const std::array kLearningSilence = {
    QStringLiteral("Жаль, что ты не ответил на мой вопрос."),
    QStringLiteral("Помни. Меня надо обучать, а не молчать!"),
    QStringLiteral("Ты наверное и сам не знаешь, как ответить на такую глупую фразу!"),
};
const std::array kAcknowledgement = {
    QStringLiteral("Понятно."),
    QStringLiteral("Ясно."),
    QStringLiteral("Всё понятно."),
    QStringLiteral("Всё ясно."),
};
// clang-format on

constexpr int kQuestionsLearnedAbove = 14;

template <size_t N> QStringList listOf(const std::array<QString, N>& list) {
    return QStringList(list.cbegin(), list.cend());
}

template <size_t N> QString drawFrom(const std::array<QString, N>& list, RandomSource& random) {
    return list[static_cast<size_t>(drawIndex(random, int(N)))];
}

bool isEmptyPhrase(const QString& raw) {
    return trimBlanks(raw).isEmpty();
}

struct Turn {
    QString display;
    QStringList candidates;
    // For a matched answer, the pair (0-based) behind each candidate.
    std::vector<qint32> pairs;
    TurnWhy why;
};

qint16 clampedCount(qsizetype n) {
    return qint16(std::min<qsizetype>(n, Variables::MaxLines));
}

Turn conversationTurn(Variables& v, const QString& raw, RandomSource& random, EngineIndex& index) {
    using Kind = TurnWhy::Kind;
    Turn t;
    v.PendingPhrase = raw;
    if (isEmptyPhrase(raw)) {
        t.candidates = {drawFrom(kSilence, random)};
        t.why.emptyPhrase = true;
        return t;
    }
    t.display = MakeDisplayForm(raw, v.Alphabet);
    if (t.display.toUpper() == v.PreviousPhrase.toUpper()) {
        t.candidates = {drawFrom(kRepetition, random)};
        t.why.kind = Kind::Repetition;
        return t;
    }
    const QString key = MakeKeyText(raw, v.Alphabet);
    if (key == QLatin1String(" ")) {
        t.candidates = {drawFrom(kSilence, random)};
        return t;
    }
    index.sync(v);
    t.pairs = index.matchingPairs(SplitKeyWords(key));
    if (!t.pairs.empty()) {
        t.candidates.reserve(qsizetype(t.pairs.size()));
        for (const qint32 pair : t.pairs)
            t.candidates.append(v.AnswerBase.at(2 * qsizetype(pair) + 1));
        t.why.kind = Kind::Answer;
        t.why.matched = clampedCount(qsizetype(t.pairs.size()));
        return t;
    }
    t.why.keyLength = clampedCount(key.size());
    if (double(key.size()) <= shortPhraseLimit(v)) {
        t.candidates = {drawFrom(kRebuke, random)};
        t.why.kind = Kind::Rebuke;
    } else {
        t.candidates = {drawFrom(kLearningQuestion, random)};
        t.why.kind = Kind::LearningQuestion;
        v.PendingKeys = key;
        v.PendingPhrase = t.display;
        v.Mode = Modes::learning();
    }
    return t;
}

// Returns false for an empty lesson, which skips the question step.
bool learningTurn(Variables& v, const QString& raw, RandomSource& random, EngineIndex& index, Turn& t) {
    if (isEmptyPhrase(raw)) {
        t.candidates = {drawFrom(kLearningSilence, random)};
        t.why.kind = TurnWhy::Kind::LearningSilence;
        v.Mode = Modes::conversation();
        return false;
    }
    t.why.kind = TurnWhy::Kind::Taught;
    t.display = MakeDisplayForm(raw, v.Alphabet);
    if (v.PendingPhrase.size() > kQuestionsLearnedAbove && !index.hasQuestion(v, v.PendingPhrase)) {
        if (index.appendQuestion(v, v.PendingPhrase)) {
            v.QuestionBaseChanged = true;
            t.why.learnedQuestion = v.QuestionCount;
        }
    }
    // A full base keeps what it holds; the lesson is simply not stored.
    if (index.appendAnswer(v, v.PendingKeys, t.display)) {
        v.AnswerBaseChanged = true;
        t.why.pair = qint16(v.AnswerCount / 2);
    }
    t.candidates = {drawFrom(kAcknowledgement, random)};
    v.Mode = Modes::conversation();
    return true;
}

// The question of the question step, already recorded as asked; 0 when none is asked this turn.
qint16 chooseQuestion(Variables& v, RandomSource& random) {
    if (v.Mode == Modes::learning() || v.QuestionCount < 1)
        return 0;
    const bool ask = drawIndex(random, 3) == 2 || drawIndex(random, 3) == 2;
    if (!ask)
        return 0;
    return v.QuestionCount == 1 ? qint16(1) : ChooseUnaskedQuestion(v, random);
}

bool takesQuestion(const QString& reply) {
    return !reply.contains(QLatin1String("#STOP"), Qt::CaseInsensitive) && !reply.endsWith(QLatin1String("?!")) &&
           !reply.endsWith(QLatin1Char('?'));
}

} // namespace

double shortPhraseLimit(const Variables& v) {
    return Options::numberValue(v, &Variables::ShortPhraseLimit);
}

QStringList fallbackReplies() {
    return listOf(kSilence) + listOf(kRebuke) + listOf(kLearningQuestion);
}

QString stopNotice() {
    return QStringLiteral("Диалог завершен.");
}
QString programTag() {
    return QStringLiteral("<TK> ");
}

QString TurnResult::paneAddition() const {
    QString text = QStringLiteral("\r\n") + HumanLine + QStringLiteral("\r\n") + ProgramLine;
    if (Stopped)
        text += QStringLiteral("\r\n\r\n") + stopNotice();
    return text;
}

qint16 ChooseUnaskedQuestion(Variables& v, RandomSource& random) {
    const int count = v.QuestionCount;
    std::vector<char> asked(static_cast<size_t>(count) + 1, 0);
    int askedCount = 0;
    for (const qint16 index : std::as_const(v.AskedQuestions)) {
        if (index >= 1 && index <= count && !asked[size_t(index)]) {
            asked[size_t(index)] = 1;
            ++askedCount;
        }
    }
    // Once every question has had its turn, the dialogue starts asking them over rather than waiting for an
    // index that cannot come up.
    if (askedCount == count || v.AskedQuestionCount >= Variables::MaxLines) {
        v.AskedQuestions.clear();
        v.AskedQuestionCount = 0;
        std::fill(asked.begin(), asked.end(), 0);
        askedCount = 0;
    }
    // Drawing again until a new index comes up is the same as drawing among the unasked ones. Past a few tries
    // (nearly every question asked, or a source that keeps repeating itself) one draw among the unasked ones
    // ends it.
    int c = 0;
    for (int attempt = 0; attempt < 64; ++attempt) {
        c = drawIndex(random, count) + 1;
        if (!asked[size_t(c)])
            break;
        c = 0;
    }
    if (c == 0) {
        int nth = drawIndex(random, count - askedCount);
        for (c = 1; c <= count; ++c) {
            if (!asked[size_t(c)] && nth-- == 0)
                break;
        }
    }
    v.AskedQuestions.append(qint16(c));
    v.AskedQuestionCount = qint16(v.AskedQuestions.size());
    return qint16(c);
}

void AddQuestion(Variables& v, QStringList& candidates, RandomSource& random) {
    const qint16 index = chooseQuestion(v, random);
    if (index == 0)
        return;
    const QString& question = v.QuestionBase.at(index - 1);
    for (QString& reply : candidates) {
        if (takesQuestion(reply))
            reply += QLatin1Char(' ') + question;
    }
}

TurnResult ProcessPhrase(Variables& v, const QString& raw, RandomSource& random, const Clock& clock) {
    EngineIndex index;
    return ProcessPhrase(v, raw, random, clock, index);
}

TurnResult ProcessPhrase(Variables& v, const QString& typed, RandomSource& random, const Clock& clock,
                         EngineIndex& index) {
    const QString raw = TextFile::singleLine(typed);
    Turn t;
    qint16 question = 0;
    if (v.Mode == Modes::learning()) {
        if (learningTurn(v, raw, random, index, t))
            question = chooseQuestion(v, random);
    } else {
        // A mode that is neither word can only come from a damaged dialogue file; it is taken as conversation.
        v.Mode = Modes::conversation();
        t = conversationTurn(v, raw, random, index);
        question = chooseQuestion(v, random);
    }

    TurnResult result;
    v.DialogSaved = false;
    result.HumanLine = QLatin1Char('<') + v.HumanName.toUpper() + QLatin1Char('>') + t.display;
    // Only the drawn candidate is shown, so only it is given the question.
    const int drawn = drawIndex(random, int(t.candidates.size()));
    QString reply = t.candidates.at(drawn);
    if (t.why.kind == TurnWhy::Kind::Answer)
        t.why.pair = qint16(t.pairs.at(size_t(drawn)) + 1);
    if (question > 0 && takesQuestion(reply)) {
        reply += QLatin1Char(' ') + v.QuestionBase.at(question - 1);
        t.why.question = question;
    }
    const MacroResult expanded = ExpandMacros(reply, v.HumanName, clock);
    result.ProgramLine = programTag() + expanded.text;
    if (expanded.stop) {
        result.Stopped = true;
        v.DialogSaved = true;
    }
    result.Why = t.why;
    v.PreviousPhrase = t.display;
    return result;
}
