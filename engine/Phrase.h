#pragma once

#include "core/Variables.h"

#include <QList>
#include <QString>

using WordList = QList<QString>;

// The phrase trimmed of blanks, its first character upper-cased and a full stop added when it ends in an alphabet
// character. An empty (or all-blank) phrase gives an empty text.
QString MakeDisplayForm(const QString& raw, const QString& alphabet);
// Upper case, alphabet characters only, single blanks between words and exactly one blank at the end.
QString MakeKeyText(const QString& raw, const QString& alphabet);
// The words of a key text, each with one blank before and one after; characters after the last blank form none.
WordList SplitKeyWords(const QString& text);
// Each word preceded by every partner the synonym base gives it, in base order. An unpaired last line of the
// synonym base partners nothing.
WordList ExpandSynonyms(const WordList& words, const Variables& v);

// Whether a character is one of the alphabet's, compared exactly (letter case counts).
bool inAlphabet(QChar c, const QString& alphabet);

// Trims blanks only (not tabs or other white space).
QString trimBlanks(const QString& text);
