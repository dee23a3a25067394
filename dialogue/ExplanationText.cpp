#include "dialogue/TurnExplanation.h"

#include "engine/NumberForm.h"
#include "engine/Phrase.h"

#include <algorithm>
#include <cmath>

namespace {

using Kind = TurnWhy::Kind;
using State = ExplainedEntry::State;

QString quoted(const QString& text) {
    return QStringLiteral("«") + text + QStringLiteral("»");
}

// "№ 37: «КАК ДЕЛА» → «Хорошо.»", numbered as the editor's list stands now.
QString pairText(const ExplainedEntry& e) {
    return QStringLiteral("№ %1: %2 → %3").arg(e.row + 1).arg(quoted(trimBlanks(e.keyLine)), quoted(e.text));
}

// ShortPhraseLimit as a whole number of characters: a key text is at most L characters long exactly when it is at
// most floor(L) long.
qint64 wholeLimit(double limit) {
    return qint64(std::clamp(std::floor(limit), 0.0, 1e9));
}

QString characters(qint64 n) {
    return QString::number(n) + QLatin1Char(' ') +
           numberForm(n, QStringLiteral("символа"), QStringLiteral("символов"), QStringLiteral("символов"));
}

QString keyLengthText(int length) {
    return QStringLiteral("В её ключевом тексте %1 %2 (с пробелом в конце).")
        .arg(length)
        .arg(numberForm(length, QStringLiteral("символ"), QStringLiteral("символа"), QStringLiteral("символов")));
}

// "… вопрос № 5 …: «Ты любишь музыку?»", numbered as the base stands now while it still holds the question.
QString questionText(const QString& head, const ExplainedEntry& e) {
    if (e.state == State::Gone)
        return head.arg(e.number) + QLatin1Char('.');
    return head.arg(e.row + 1) + QStringLiteral(": ") + quoted(e.text);
}

void pairState(const ExplainedEntry& e, QStringList& out) {
    if (e.state == State::Moved)
        out << QStringLiteral("Во время ответа это была пара № %1: с тех пор она сдвинулась.").arg(e.number);
    else if (e.state == State::Gone)
        out << QStringLiteral("С тех пор эта пара изменена или удалена — в базе её больше нет.");
}

void questionState(const ExplainedEntry& e, QStringList& out) {
    if (e.state == State::Moved)
        out << QStringLiteral("Во время ответа это был вопрос № %1: с тех пор он сдвинулся.").arg(e.number);
    else if (e.state == State::Gone)
        out << QStringLiteral("С тех пор этот вопрос изменён или удалён — в базе его больше нет.");
}

void answer(const TurnExplanation& e, QStringList& out) {
    const QString head = QStringLiteral("Подошло пар: %1. Выбрана ").arg(e.why.matched);
    out << head + (e.pair.state == State::Gone ? QStringLiteral("пара № %1.").arg(e.pair.number)
                                               : QStringLiteral("пара ") + pairText(e.pair));
    pairState(e.pair, out);
    if (e.matchingNow != e.why.matched)
        out << QStringLiteral("Сейчас подошло бы пар: %1.").arg(e.matchingNow);
    if (e.otherPairs.isEmpty()) {
        out << QStringLiteral("Других подходящих пар нет.");
        return;
    }
    out << QStringLiteral("Другие подходящие пары:");
    for (const ExplainedEntry& other : e.otherPairs)
        out << QStringLiteral("пара ") + pairText(other);
}

void taught(const TurnExplanation& e, QStringList& out) {
    if (e.why.pair == 0) {
        out << QStringLiteral("Это был урок, но база ответов заполнена — ответ не сохранён.");
    } else if (e.pair.state == State::Gone) {
        out << QStringLiteral("Это был урок: программа запомнила пару № %1.").arg(e.pair.number);
    } else {
        out << QStringLiteral("Это был урок: программа запомнила пару ") + pairText(e.pair);
    }
    pairState(e.pair, out);
    if (e.why.learnedQuestion > 0) {
        out << questionText(QStringLiteral("Фразу, на которую программа не знала ответа, она запомнила и как свой "
                                           "вопрос № %1"),
                            e.learnedQuestion);
        questionState(e.learnedQuestion, out);
    }
    out << QStringLiteral("Ответ — из списка подтверждений урока.");
}

} // namespace

QString ExplanationText(const TurnExplanation& e) {
    using Availability = TurnExplanation::Availability;
    if (e.availability == Availability::NotProgramLine)
        return QStringLiteral("Эта строка — не ответ программы.");
    if (e.availability == Availability::NoRecord)
        return QStringLiteral("Программа не помнит, почему дала этот ответ: он из диалога, открытого из файла, "
                              "или из прошлого запуска программы.");
    const TurnWhy& w = e.why;
    QStringList out;
    if (!e.phrase.isEmpty())
        out << QStringLiteral("Ваша фраза: ") + quoted(e.phrase);
    if (!e.keyWords.isEmpty())
        out << QStringLiteral("Ключевые слова после замены синонимов: %1.").arg(e.keyWords.join(QStringLiteral(", ")));
    switch (w.kind) {
    case Kind::Answer:
        answer(e, out);
        break;
    case Kind::Silence:
        out << (w.emptyPhrase ? QStringLiteral("Вы ничего не написали — ответ из списка ответов на молчание.")
                              : QStringLiteral("Во фразе нет ни одной буквы или цифры, по которым ищутся ответы, — "
                                               "ответ из списка ответов на молчание."));
        break;
    case Kind::Repetition:
        out << QStringLiteral("Фраза повторяет вашу предыдущую — ответ из списка ответов на повтор.");
        break;
    case Kind::Rebuke:
        out << QStringLiteral("Фраза не длиннее %1 и ни с чем не совпала — поэтому упрёк.")
                   .arg(characters(wholeLimit(e.shortPhraseLimit)))
            << keyLengthText(w.keyLength);
        break;
    case Kind::LearningQuestion:
        out << QStringLiteral("Фраза длиннее %1 и ни с чем не совпала — поэтому программа попросила научить её, "
                              "как отвечать на такую фразу.")
                   .arg(characters(wholeLimit(e.shortPhraseLimit)))
            << keyLengthText(w.keyLength);
        break;
    case Kind::Taught:
        taught(e, out);
        break;
    case Kind::LearningSilence:
        out << QStringLiteral("Вы не ответили на просьбу научить программу — ответ из списка ответов на молчание "
                              "при обучении. Ничего не выучено.");
        break;
    }
    if (w.question > 0) {
        out << questionText(QStringLiteral("К ответу добавлен вопрос № %1 из базы вопросов"), e.question);
        questionState(e.question, out);
    }
    return out.join(QLatin1Char('\n'));
}
