#pragma once

#include "core/Variables.h"

#include <QList>

#include <QString>

// The changes the base editors make to the in-memory bases. Each raises the base's changed flag; none writes a
// file. Rows are 0-based as the lists show them; a row of the answer or synonym list is one pair of lines.
namespace BaseEdit {

enum class AddResult { Added, Ignored, BaseFull, PhraseRefused };

// A line as a list shows it: whole up to 48 characters, else its first 48 followed by "...".
QString listText(const QString& line);

// Rows of the key-word (or synonym) list: an unpaired last line of a hand-edited base is a row of its own.
int pairRows(qint16 count);
QString synonymRowText(const Variables& v, int row);

AddResult AddAnswer(Variables& v, const QString& keyWords, const QString& answer);
AddResult AddQuestion(Variables& v, const QString& question);
// The word and the synonym come back filtered to alphabet characters, as they were stored.
AddResult AddSynonym(Variables& v, QString& word, QString& synonym);

// Each removes exactly the lines of the row (other empty lines of a hand-edited base stay where they are) and
// returns the row to select afterwards: the same row, or the one before when the last was removed (-1: none).
int DeleteAnswer(Variables& v, int row);
int DeleteQuestion(Variables& v, int row);
int DeleteSynonym(Variables& v, int row);

void ClearAnswers(Variables& v);
void ClearQuestions(Variables& v);
void ClearSynonyms(Variables& v);

// The rows whose lines hold the typed text, letter case aside and «ё» as «е», blanks as typed: an answer row by its
// key line or its answer, a synonym row by either word. Rows are the real base's, ascending, so that selecting or
// deleting the n-th shown row acts on rows[n]. An empty text keeps every row.
QList<int> FilterAnswers(const Variables& v, const QString& text);
QList<int> FilterQuestions(const Variables& v, const QString& text);
QList<int> FilterSynonyms(const Variables& v, const QString& text);
// «Найдено: 37 из 9795»
QString foundText(qsizetype found, qsizetype total);

// The note under the key-words field while a new answer is typed: how many pairs already have the key line these
// words make, and whether it is a single word, which catches every phrase that holds it.
struct KeyWordsHint {
    int samePairs = 0;
    bool singleWord = false;
    // The note's lines; empty when there is nothing to say.
    QString text;
};
KeyWordsHint KeyWordsHintFor(const Variables& v, const QString& typedKeyWords);

QString phraseRefusedMessage();
QString baseFullMessage();

} // namespace BaseEdit
