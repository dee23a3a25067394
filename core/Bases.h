#pragma once

#include "core/ProgramFolder.h"
#include "core/Result.h"
#include "core/Variables.h"

// The three knowledge bases: loading each from the file its option names, and writing all three back. A name
// without a folder (the default "standart.tka") lies in the program's folder.
//
// A loader replaces its base only once the whole file has been read, so a file that cannot be read leaves the
// base, its count and its flag as they were.
Result<> LoadAnswers(Variables& v, const ProgramFolder& folder = {});
Result<> LoadQuestions(Variables& v, const ProgramFolder& folder = {});
Result<> LoadSinonims(Variables& v, const ProgramFolder& folder = {});

// Writes questions, answers and synonyms, in that order, each as a whole. A file that cannot be written keeps its
// previous content and is named in the error; the others are still written. The changed flags are left alone.
Result<> SaveBases(const Variables& v, const ProgramFolder& folder = {});

enum class BaseKind { None, Answers, Questions, Synonyms };
// Only the last four characters of a name tell its kind, compared exactly.
BaseKind baseKindOf(const QString& fileName);

// Appends lines to a base, keeping its count in step; refuses (and changes nothing) when the base would pass
// Variables::MaxLines.
bool appendBaseLines(QStringList& base, qint16& count, const QStringList& lines);
