#include "EngineIndex.h"

#include "Variables.h"

#include <algorithm>

namespace {

bool sameLine(const QString& a, const QString& b) { return a.constData() == b.constData() || a == b; }

// True when `now` is `before` with lines added at the end (and nothing else changed).
bool onlyAppended(const QStringList& before, qint16 beforeCount, const QStringList& now, qint16 nowCount) {
    if (beforeCount < 0 || nowCount < beforeCount || now.size() < before.size())
        return false;
    for (qsizetype i = 0; i < before.size(); ++i) {
        if (!sameLine(before.at(i), now.at(i)))
            return false;
    }
    return true;
}

qsizetype pairsIn(qint16 count) { return count / 2; }

} // namespace

int EngineIndex::intern(const QString& word) {
    const auto it = m_wordIds.constFind(word);
    if (it != m_wordIds.cend())
        return it.value();
    const int id = int(m_postings.size());
    m_wordIds.insert(word, id);
    m_postings.emplace_back();
    return id;
}

void EngineIndex::indexPairs(const Variables& v, qsizetype firstPair) {
    const qsizetype pairs = pairsIn(v.AnswerCount);
    m_keysNeeded.resize(size_t(pairs), 0);
    std::vector<int> ids;
    for (qsizetype p = firstPair; p < pairs; ++p) {
        ids.clear();
        for (const QString& key : SplitKeyWords(v.AnswerBase.at(2 * p)))
            ids.push_back(intern(key));
        std::sort(ids.begin(), ids.end());
        ids.erase(std::unique(ids.begin(), ids.end()), ids.end());
        m_keysNeeded[size_t(p)] = quint32(ids.size());
        for (const int id : ids)
            m_postings[size_t(id)].push_back(qint32(p));
    }
    m_indexedPairs = pairs;
    m_hits.assign(size_t(pairs), 0);
}

void EngineIndex::rebuildAnswers(const Variables& v) {
    m_wordIds.clear();
    m_postings.clear();
    m_keysNeeded.clear();
    indexPairs(v, 0);
}

void EngineIndex::indexSynonymPairs(const Variables& v, qsizetype firstPair) {
    const qsizetype pairs = pairsIn(v.SynonymCount);
    for (qsizetype p = firstPair; p < pairs; ++p)
        m_partners[v.SynonymBase.at(2 * p)].append(v.SynonymBase.at(2 * p + 1));
    m_indexedSynonymPairs = pairs;
}

void EngineIndex::rebuildSynonyms(const Variables& v) {
    m_partners.clear();
    indexSynonymPairs(v, 0);
}

void EngineIndex::sync(const Variables& v) {
    if (v.AnswerBase.constData() != m_answers.constData() || v.AnswerCount != m_answerCount ||
        v.AnswerBase.size() != m_answers.size()) {
        // Pairs already indexed stay valid when lines were only added after them.
        if (onlyAppended(m_answers, m_answerCount, v.AnswerBase, v.AnswerCount) &&
            m_indexedPairs <= pairsIn(v.AnswerCount))
            indexPairs(v, m_indexedPairs);
        else
            rebuildAnswers(v);
        m_answers = v.AnswerBase;
        m_answerCount = v.AnswerCount;
    }
    if (v.SynonymBase.constData() != m_synonyms.constData() || v.SynonymCount != m_synonymCount ||
        v.SynonymBase.size() != m_synonyms.size()) {
        if (onlyAppended(m_synonyms, m_synonymCount, v.SynonymBase, v.SynonymCount) &&
            m_indexedSynonymPairs <= pairsIn(v.SynonymCount))
            indexSynonymPairs(v, m_indexedSynonymPairs);
        else
            rebuildSynonyms(v);
        m_synonyms = v.SynonymBase;
        m_synonymCount = v.SynonymCount;
    }
}

WordList EngineIndex::expand(const WordList& words) const {
    WordList out;
    out.reserve(words.size() * 2);
    for (const QString& word : words) {
        const auto it = m_partners.constFind(word);
        if (it != m_partners.cend())
            out.append(it.value());
        out.append(word);
    }
    return out;
}

QStringList EngineIndex::answersFor(const WordList& phraseWords, const Variables& v) const {
    std::vector<int> ids;
    ids.reserve(size_t(phraseWords.size()));
    for (const QString& word : phraseWords) {
        const auto it = m_wordIds.constFind(word);
        if (it != m_wordIds.cend())
            ids.push_back(it.value());
    }
    std::sort(ids.begin(), ids.end());
    ids.erase(std::unique(ids.begin(), ids.end()), ids.end());

    m_touched.clear();
    for (const int id : ids) {
        for (const qint32 pair : m_postings[size_t(id)]) {
            if (m_hits[size_t(pair)]++ == 0)
                m_touched.push_back(pair);
        }
    }
    std::vector<qint32> matched;
    for (const qint32 pair : m_touched) {
        if (m_hits[size_t(pair)] == m_keysNeeded[size_t(pair)])
            matched.push_back(pair);
        m_hits[size_t(pair)] = 0;
    }
    std::sort(matched.begin(), matched.end());
    QStringList answers;
    answers.reserve(qsizetype(matched.size()));
    for (const qint32 pair : matched)
        answers.append(v.AnswerBase.at(2 * qsizetype(pair) + 1));
    return answers;
}
