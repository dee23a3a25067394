#pragma once

#include "engine/Turn.h"

#include <QString>

#include <deque>

struct Variables;

// What the dialogue keeps of one turn to say later why it answered so. Only numbers and short hashes: the texts
// are read again from the pane and the bases when someone asks.
struct TurnRecord {
    // Where the program's line starts in the pane text.
    qint64 position = 0;
    // Its line (a line ends at LF), counted from the first line of the pane as it was last replaced.
    qint32 line = 0;
    // The person's phrase ends right before the CR LF in front of the program's line.
    qint32 phraseLength = 0;
    // The drawn or learned pair, the appended question and the learned question as they stood after the turn.
    quint32 pairHash = 0;
    quint32 questionHash = 0;
    quint32 learnedQuestionHash = 0;
    TurnWhy why;
};

// The records of the turns taken since the pane was last replaced, in pane order. The pane only grows between two
// replacements, so a position or a line finds its record by a binary search.
class TurnRecords {
public:
    // The pane was replaced: a new dialogue or one opened from a file. Nothing is read from the text now, so that
    // opening a long dialogue costs nothing here.
    void reset(qsizetype paneLength);
    // A turn whose pane addition is about to follow a pane of `paneLength` characters.
    void add(qsizetype paneLength, const TurnResult& turn, const Variables& v);
    // Every text appended to the pane, the turns' included, so that line numbers stay right.
    void appended(QStringView addition);

    // The record of the program line that starts at `lineStart`, or none.
    const TurnRecord* startingAt(qsizetype lineStart) const;
    // The record of the program line with this number (0-based, lines ending at LF), or none.
    const TurnRecord* onLine(const QString& pane, qsizetype line) const;
    const TurnRecord* last() const { return m_records.empty() ? nullptr : &m_records.back(); }
    qsizetype size() const { return qsizetype(m_records.size()); }

private:
    // In blocks rather than one array: no spare half-array after growing, and no copy of all records on the way.
    std::deque<TurnRecord> m_records;
    qsizetype m_resetLength = 0;
    qint64 m_linesAdded = 0;
    // Lines of the pane as it was replaced; counted only when a line number is first asked for.
    mutable qint64 m_linesAtReset = -1;
};

// Hashes that tell whether a pair or a question of a base is still the one a turn used.
quint32 pairHash(const QString& keyLine, const QString& answer);
quint32 lineHash(const QString& line);
