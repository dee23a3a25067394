#pragma once

#include "core/Result.h"
#include "core/Variables.h"

#include <QString>

// Joining two base files of one kind into a third. Works on files only; the bases in memory are not touched.
namespace Merge {

// The name a source menu item shows: the full path up to 20 characters, else its first 20 and "...".
QString shownName(const QString& path);
QString firstCaption(const QString& path = {});
QString secondCaption(const QString& path = {});
// The two sources chosen for the merge and whether the merge is ready to run. The paths are Variables'
// MergeFirstBaseFile and MergeSecondBaseFile and are never cleared; choosing one source un-chooses the other when
// it no longer fits (another kind, or the same file), though its path is kept until it is chosen again.
class MergeSelection {
public:
    explicit MergeSelection(Variables& v) : m_v(v) {}

    void chooseFirst(const QString& path);
    void chooseSecond(const QString& path);
    // Both chosen, of one kind (the last four characters, letter case counting) and not the same file.
    bool ready() const { return m_firstChosen && m_secondChosen; }
    // "1-я база" while the first source is not chosen, "1-я база (" + its shown name + ")" once it is.
    QString firstCaption() const;
    QString secondCaption() const;

private:
    void choose(bool first, const QString& path);

    Variables& m_v;
    bool m_firstChosen = false;
    bool m_secondChosen = false;
};

// The filter of the target chooser, taken from the first source's kind; every kind when it has none.
QString targetFilter(const QString& firstSource);
QString sourceFilter();

// Both sources are read whole before the target is written, and the target is replaced as a whole, so a target
// that is one of the sources loses nothing and a failed merge leaves the previous target intact.
Result<> MergeBases(const QString& firstSource, const QString& secondSource, const QString& target);

QString doneMessage();
QString failedMessage();

} // namespace Merge
