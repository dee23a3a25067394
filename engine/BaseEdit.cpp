#include "engine/BaseEdit.h"

#include "core/Bases.h"
#include "core/Cp1251.h"
#include "core/TextFile.h"
#include "core/TextSearch.h"
#include "core/Variables.h"
#include "engine/NumberForm.h"
#include "engine/Phrase.h"

#include <algorithm>

namespace {

constexpr int kListWidth = 48;

int selectionAfterDelete(int row, int rows) {
    return row < rows ? row : row - 1;
}

// Removes lines [first, first + n) that exist; returns false when the row lies outside the base.
bool removeLines(QStringList& base, qint16& count, qsizetype first, qsizetype n) {
    if (first < 0 || first >= base.size())
        return false;
    base.remove(first, std::min(n, base.size() - first));
    count = qint16(base.size());
    return true;
}

QString synonymLine(const QString& text) {
    return Cp1251::toUpper(QLatin1Char(' ') + trimBlanks(text) + QLatin1Char(' '));
}

QString keepAlphabet(const QString& text, const QString& alphabet) {
    QString out;
    for (const QChar c : text) {
        if (inAlphabet(c, alphabet))
            out += c;
    }
    return out;
}

// Rows of `linesPerRow` lines each; a last row may lack its second line.
QList<int> filterRows(const QStringList& base, qsizetype linesPerRow, const QString& text) {
    const TextSearch::Needle needle(text);
    const qsizetype rows = (base.size() + linesPerRow - 1) / linesPerRow;
    QList<int> out;
    if (needle.isEmpty()) {
        out.reserve(rows);
        for (qsizetype row = 0; row < rows; ++row)
            out.append(int(row));
        return out;
    }
    for (qsizetype row = 0; row < rows; ++row) {
        const qsizetype first = row * linesPerRow;
        const qsizetype last = std::min(first + linesPerRow, base.size());
        for (qsizetype i = first; i < last; ++i) {
            if (needle.isIn(base.at(i))) {
                out.append(int(row));
                break;
            }
        }
    }
    return out;
}

} // namespace

namespace BaseEdit {

QList<int> FilterAnswers(const Variables& v, const QString& text) {
    return filterRows(v.AnswerBase, 2, text);
}

QList<int> FilterQuestions(const Variables& v, const QString& text) {
    return filterRows(v.QuestionBase, 1, text);
}

QList<int> FilterSynonyms(const Variables& v, const QString& text) {
    return filterRows(v.SynonymBase, 2, text);
}

QString foundText(qsizetype found, qsizetype total) {
    return QStringLiteral("Найдено: %1 из %2").arg(found).arg(total);
}

KeyWordsHint KeyWordsHintFor(const Variables& v, const QString& typedKeyWords) {
    KeyWordsHint hint;
    const QString typed = TextFile::singleLine(typedKeyWords);
    if (typed.isEmpty())
        return hint;
    // The key line that cmdAdd would store for these words.
    const QString key = MakeKeyText(typed, v.Alphabet);
    if (key == QLatin1String(" "))
        return hint; // no key words: such a pair matches nothing
    const WordList words = SplitKeyWords(key);
    for (qsizetype k = 0; k + 1 < v.AnswerBase.size(); k += 2) {
        if (v.AnswerBase.at(k) == key)
            ++hint.samePairs;
    }
    hint.singleWord = words.size() == 1;
    QStringList lines;
    if (hint.samePairs > 0) {
        lines << QStringLiteral("Такие ключевые слова уже есть у %1 %2 — новый ответ будет выбираться в 1 случае из %3")
                     .arg(hint.samePairs)
                     .arg(numberForm(hint.samePairs, QStringLiteral("пары"), QStringLiteral("пар"),
                                     QStringLiteral("пар")))
                     .arg(hint.samePairs + 1);
    }
    if (hint.singleWord)
        lines << QStringLiteral("Ключевое слово одно — ответ подойдёт к любой фразе со словом «%1»")
                     .arg(trimBlanks(words.first()));
    hint.text = lines.join(QLatin1Char('\n'));
    return hint;
}

QString phraseRefusedMessage() {
    return QStringLiteral("Нельзя записывать в синонимы словосочетание!");
}

QString baseFullMessage() {
    return QStringLiteral("База знаний заполнена: в ней не может быть больше 32767 строк.");
}

QString listText(const QString& line) {
    return line.size() <= kListWidth ? line : line.left(kListWidth) + QStringLiteral("...");
}

int pairRows(qint16 count) {
    return (count + 1) / 2;
}

QString synonymRowText(const Variables& v, int row) {
    const qsizetype k = 2 * qsizetype(row);
    QString text = v.SynonymBase.value(k).toUpper() + QLatin1Char('-');
    if (k + 1 < v.SynonymBase.size())
        text += v.SynonymBase.at(k + 1).toUpper();
    return text;
}

AddResult AddAnswer(Variables& v, const QString& typedKeyWords, const QString& typedAnswer) {
    const QString keyWords = TextFile::singleLine(typedKeyWords);
    const QString answer = TextFile::singleLine(typedAnswer);
    if (keyWords.isEmpty() || answer.isEmpty() || trimBlanks(answer).isEmpty())
        return AddResult::Ignored;
    if (!appendBaseLines(v.AnswerBase, v.AnswerCount,
                         {MakeKeyText(keyWords, v.Alphabet), MakeDisplayForm(answer, v.Alphabet)}))
        return AddResult::BaseFull;
    v.AnswerBaseChanged = true;
    return AddResult::Added;
}

AddResult AddQuestion(Variables& v, const QString& typedQuestion) {
    const QString question = TextFile::singleLine(typedQuestion);
    if (question.isEmpty() || trimBlanks(question).isEmpty())
        return AddResult::Ignored;
    if (!appendBaseLines(v.QuestionBase, v.QuestionCount, {MakeDisplayForm(question, v.Alphabet)}))
        return AddResult::BaseFull;
    v.QuestionBaseChanged = true;
    return AddResult::Added;
}

AddResult AddSynonym(Variables& v, QString& word, QString& synonym) {
    if (word.isEmpty() || synonym.isEmpty())
        return AddResult::Ignored;
    word = TextFile::singleLine(word);
    synonym = TextFile::singleLine(synonym);
    if (trimBlanks(word).contains(QLatin1Char(' ')) || trimBlanks(synonym).contains(QLatin1Char(' ')))
        return AddResult::PhraseRefused;
    if (v.SynonymBase.size() + 4 > Variables::MaxLines)
        return AddResult::BaseFull;
    word = keepAlphabet(trimBlanks(word), v.Alphabet);
    synonym = keepAlphabet(trimBlanks(synonym), v.Alphabet);
    v.SynonymBaseChanged = true;
    const QString w = synonymLine(word);
    const QString s = synonymLine(synonym);
    appendBaseLines(v.SynonymBase, v.SynonymCount, {w, s, s, w});
    return AddResult::Added;
}

int DeleteAnswer(Variables& v, int row) {
    if (!removeLines(v.AnswerBase, v.AnswerCount, 2 * qsizetype(row), 2))
        return row < 0 ? -1 : selectionAfterDelete(row, pairRows(v.AnswerCount));
    v.AnswerBaseChanged = true;
    return selectionAfterDelete(row, pairRows(v.AnswerCount));
}

int DeleteQuestion(Variables& v, int row) {
    if (!removeLines(v.QuestionBase, v.QuestionCount, row, 1))
        return row < 0 ? -1 : selectionAfterDelete(row, v.QuestionCount);
    v.QuestionBaseChanged = true;
    return selectionAfterDelete(row, v.QuestionCount);
}

int DeleteSynonym(Variables& v, int row) {
    if (!removeLines(v.SynonymBase, v.SynonymCount, 2 * qsizetype(row), 2))
        return row < 0 ? -1 : selectionAfterDelete(row, pairRows(v.SynonymCount));
    v.SynonymBaseChanged = true;
    return selectionAfterDelete(row, pairRows(v.SynonymCount));
}

void ClearAnswers(Variables& v) {
    v.AnswerBaseChanged = true;
    v.AnswerBase.clear();
    v.AnswerCount = 0;
}

void ClearQuestions(Variables& v) {
    v.QuestionBaseChanged = true;
    v.QuestionBase.clear();
    v.QuestionCount = 0;
}

void ClearSynonyms(Variables& v) {
    v.SynonymBaseChanged = true;
    v.SynonymBase.clear();
    v.SynonymCount = 0;
}

} // namespace BaseEdit
