#pragma once

#include "core/Result.h"

#include <QString>

// Joining two base files of one kind into a third. Works on files only; the bases in memory are not touched.
namespace Merge {

// The name a source menu item shows: the full path up to 20 characters, else its first 20 and "...".
QString shownName(const QString& path);
QString firstCaption(const QString& path = {});
QString secondCaption(const QString& path = {});
// The filter of the target chooser, taken from the first source's kind; every kind when it has none.
QString targetFilter(const QString& firstSource);
QString sourceFilter();

// Both sources are read whole before the target is written, and the target is replaced as a whole, so a target
// that is one of the sources loses nothing and a failed merge leaves the previous target intact.
Result<> MergeBases(const QString& firstSource, const QString& secondSource, const QString& target);

QString doneMessage();
QString failedMessage();

} // namespace Merge
