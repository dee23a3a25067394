#pragma once

#include "core/Bases.h"
#include "core/ProgramFolder.h"
#include "core/Result.h"
#include "core/Variables.h"

// Choosing and creating base files as a whole, the two commands of the menu "Базы знаний" that work on files.

// One label and pattern pair of a chooser's filter, "Базы знаний ответов (*.tka)|*.tka"; none for BaseKind::None.
QString baseFilterPair(BaseKind kind);
// The three pairs, answers first, joined by `separator` ("|" for choosing and creating).
QString baseFilter(const QString& separator = QStringLiteral("|"));

// Makes `path` the file of the base of its kind and loads it. A file of no known kind changes nothing; a file
// that cannot be read keeps the previous base and its path, so that the base in memory and the file it is saved
// to stay one pair. The options are saved in every case; either failure is told in the message.
Result<> ChooseBase(Variables& v, const QString& path, const ProgramFolder& folder);

// An empty file, which is a base of any kind; an existing file is emptied.
Result<> CreateBase(const QString& path);
