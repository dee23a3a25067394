#pragma once

#include <QString>
#include <QStringView>

// Finding typed text where the person looks for it: in the journal, in the dialogue pane and in the lines of a base.
// Letter case does not count and «ё» is «е». Each UTF-16 unit is folded on its own, so a match is as long as the
// needle and its position is one in the text searched: the text is neither copied nor lowered as a whole.
namespace TextSearch {

char16_t fold(char16_t c);

// A needle folded once, for searching many texts.
class Needle {
public:
    explicit Needle(QStringView text);
    bool isEmpty() const { return m_folded.isEmpty(); }
    qsizetype size() const { return m_folded.size(); }
    // The first match starting in [from, to], or -1.
    qsizetype firstIn(QStringView text, qsizetype from, qsizetype to) const;
    // The last match starting in [from, to], or -1.
    qsizetype lastIn(QStringView text, qsizetype from, qsizetype to) const;
    bool isIn(QStringView text) const { return firstIn(text, 0, text.size()) >= 0; }

private:
    QString m_folded;
};

enum class Direction { Forward, Backward };
enum class Outcome { Found, FoundAfterWrap, NotFound };

struct Match {
    Outcome outcome = Outcome::NotFound;
    qsizetype position = -1;
    qsizetype length = 0;
};

// Forward: the first match starting at or after `from`, else, wrapping round, the first of the text. Backward: the
// last match starting before `from`, else, wrapping round, the last of the text. An empty needle finds nothing.
// For "next" pass the end of the current match (or the caret), for "previous" its start.
Match find(QStringView text, QStringView needle, qsizetype from, Direction direction);

// What the find field says after a search: nothing for a plain match.
QString outcomeText(Outcome outcome, Direction direction);

} // namespace TextSearch
