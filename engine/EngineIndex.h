#pragma once

#include "core/Variables.h"
#include "engine/Phrase.h"

#include <QHash>
#include <QSet>
#include <QStringList>

#include <vector>

// Indexes over the answer and synonym bases so that a turn looks only at the pairs that share a word with the
// phrase. It gives exactly the answers of a plain scan over every key line, in base order, duplicates kept.
//
// The index holds a shallow copy of each base list it was built from. Any change to the state's list (learning,
// an editor, loading another file) detaches that list from the copy, which is how sync() notices it: appended
// lines are indexed on their own, anything else rebuilds that index.
class EngineIndex {
public:
    // A shallow copy of a base list as it was last indexed.
    struct Snapshot {
        enum class Change { None, Appended, Other };
        Change changeTo(const QStringList& lines, qint16 count) const;
        void take(const QStringList& lines, qint16 count);
        void release() { m_lines = QStringList(); }
        qsizetype size() const { return m_lines.size(); }

    private:
        QStringList m_lines;
        qint16 m_count = -1;
    };

    void sync(const Variables& v);

    // A learned pair and a learned question, appended through the index so that it stays in step without looking
    // at the whole base again. False when the base is full (nothing is changed then).
    bool appendAnswer(Variables& v, const QString& keyLine, const QString& answer);
    bool appendQuestion(Variables& v, const QString& question);
    bool hasQuestion(const Variables& v, const QString& question);

    // The same as ExpandSynonyms over the synced synonym base.
    WordList expand(const WordList& words) const;
    // Every pair whose key words all occur among the phrase's words widened with their synonyms (the words of
    // expand()), as 0-based pair numbers in base order: pair p is lines 2p + 1 and 2p + 2. Call sync() first.
    std::vector<qint32> matchingPairs(const WordList& phraseWords) const;
    // The answers of those pairs, in the same order, duplicates kept.
    QStringList answersFor(const WordList& phraseWords, const Variables& v) const;

private:
    int intern(const QString& word);
    void rebuildAnswers(const Variables& v);
    void indexPairs(const Variables& v, qsizetype firstPair);
    void rebuildSynonyms(const Variables& v);
    void indexSynonymPairs(const Variables& v, qsizetype firstPair);

    // Words of key lines and of the synonym base share one table of ids, which only grows, so that a phrase word
    // leads straight to its partners' ids without looking each partner up.
    QHash<QString, int> m_wordIds;
    QStringList m_words; // id -> word

    // Each pair is filed under one of its key words only, the rarest when it was filed: a pair can match only
    // if that word is in the phrase, and a word common to thousands of key lines does not make every lookup
    // visit all of them. The pair's other key words are then checked against the phrase.
    std::vector<std::vector<qint32>> m_postings; // word id -> pairs (0-based, ascending) filed under it
    std::vector<qint32> m_frequency;             // word id -> pairs whose key line holds it
    std::vector<qint32> m_keyStart;              // pair -> first of its distinct key ids in m_keyIds
    std::vector<qint32> m_keyIds;
    Snapshot m_answers;
    qsizetype m_indexedPairs = 0;

    void syncQuestions(const Variables& v);

    QSet<QString> m_questionSet;
    Snapshot m_questions;

    QHash<QString, std::vector<qint32>> m_partners; // synonym key word -> ids of its partners, in base order
    Snapshot m_synonyms;
    qsizetype m_indexedSynonymPairs = 0;
};
