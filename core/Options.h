#pragma once

#include "core/Result.h"
#include "core/Variables.h"

// The thirteen settings kept between runs, one positional line each, in the file named optionsFileName() in the
// program's folder.
namespace Options {

QString optionsFileName();
QString defaultAlphabet();
QStringList defaultLines();

// Reads lines 1 to 13 as they stand; converts nothing. Fails when the file cannot be read or is shorter than
// thirteen lines, and then leaves the state untouched.
Result<> LoadOptions(Variables& v, const QString& path);
// Rewrites the file with the defaults and nothing else.
Result<> WriteDefaultOptions(const QString& path);
Result<> SaveOptions(const Variables& v, const QString& path);

QStringList optionLines(const Variables& v);
// Takes the first thirteen lines into the options; false (and nothing changed) when there are fewer.
bool applyLines(Variables& v, const QStringList& lines);

// Thirteen short lines; anything much larger is not an options file.
inline constexpr qint64 MaxBytes = 1024 * 1024;

} // namespace Options
