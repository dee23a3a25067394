#pragma once

#include "Phrase.h"

#include <QHash>
#include <QStringList>

#include <vector>

struct Variables;

// Indexes over the answer and synonym bases so that a turn looks only at the pairs that share a word with the
// phrase. It gives exactly the answers of a plain scan over every key line, in base order, duplicates kept.
//
// The index holds a shallow copy of each base list it was built from. Any change to the state's list (learning,
// an editor, loading another file) detaches that list from the copy, which is how sync() notices it: appended
// lines are indexed on their own, anything else rebuilds that index.
class EngineIndex {
public:
    void sync(const Variables& v);

    // The same as ExpandSynonyms over the synced synonym base.
    WordList expand(const WordList& words) const;
    // The answers of every pair whose key words all occur among the phrase words, in base order.
    QStringList answersFor(const WordList& phraseWords, const Variables& v) const;

private:
    int intern(const QString& word);
    void rebuildAnswers(const Variables& v);
    void indexPairs(const Variables& v, qsizetype firstPair);
    void rebuildSynonyms(const Variables& v);
    void indexSynonymPairs(const Variables& v, qsizetype firstPair);

    QHash<QString, int> m_wordIds;
    std::vector<std::vector<qint32>> m_postings; // word id -> pairs (0-based, ascending) whose key line holds it
    std::vector<quint32> m_keysNeeded;            // pair -> number of distinct key words
    QStringList m_answers;
    qint16 m_answerCount = -1;
    qsizetype m_indexedPairs = 0;

    QHash<QString, QList<QString>> m_partners;
    QStringList m_synonyms;
    qint16 m_synonymCount = -1;
    qsizetype m_indexedSynonymPairs = 0;

    mutable std::vector<quint32> m_hits;
    mutable std::vector<qint32> m_touched;
};
