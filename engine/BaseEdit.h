#pragma once

#include "core/Variables.h"

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

QString phraseRefusedMessage();
QString baseFullMessage();

} // namespace BaseEdit
