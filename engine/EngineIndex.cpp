#include "engine/EngineIndex.h"

#include "core/Bases.h"
#include "core/Variables.h"

#include <algorithm>

namespace {

bool sameLine(const QString& a, const QString& b) {
    return a.constData() == b.constData() || a == b;
}

qsizetype pairsIn(qint16 count) {
    return count / 2;
}

} // namespace

EngineIndex::Snapshot::Change EngineIndex::Snapshot::changeTo(const QStringList& lines, qint16 count) const {
    if (lines.constData() == m_lines.constData() && count == m_count && lines.size() == m_lines.size())
        return Change::None;
    if (m_count < 0 || count < m_count || lines.size() < m_lines.size())
        return Change::Other;
    for (qsizetype i = 0; i < m_lines.size(); ++i) {
        if (!sameLine(m_lines.at(i), lines.at(i)))
            return Change::Other;
    }
    return Change::Appended;
}

void EngineIndex::Snapshot::take(const QStringList& lines, qint16 count) {
    m_lines = lines;
    m_count = count;
}

int EngineIndex::intern(const QString& word) {
    const auto it = m_wordIds.constFind(word);
    if (it != m_wordIds.cend())
        return it.value();
    const int id = int(m_postings.size());
    m_wordIds.insert(word, id);
    m_words.append(word);
    m_postings.emplace_back();
    m_frequency.push_back(0);
    return id;
}

void EngineIndex::indexPairs(const Variables& v, qsizetype firstPair) {
    const qsizetype pairs = pairsIn(v.AnswerCount);
    std::vector<int> ids;
    const size_t firstNew = m_keyStart.empty() ? 0 : m_keyStart.size() - 1;
    if (m_keyStart.empty())
        m_keyStart.push_back(0);
    for (qsizetype p = firstPair; p < pairs; ++p) {
        ids.clear();
        for (const QString& key : SplitKeyWords(v.AnswerBase.at(2 * p)))
            ids.push_back(intern(key));
        std::sort(ids.begin(), ids.end());
        ids.erase(std::unique(ids.begin(), ids.end()), ids.end());
        for (const int id : ids) {
            m_keyIds.push_back(id);
            ++m_frequency[size_t(id)];
        }
        m_keyStart.push_back(qint32(m_keyIds.size()));
    }
    // Filed only now, so that a whole base read at once files each pair by the final counts.
    for (size_t p = firstNew; p + 1 < m_keyStart.size(); ++p) {
        const auto first = m_keyIds.begin() + m_keyStart[p];
        const auto last = m_keyIds.begin() + m_keyStart[p + 1];
        if (first == last)
            continue; // a key line without words matches nothing
        const int anchor = *std::min_element(
            first, last, [this](int a, int b) { return m_frequency[size_t(a)] < m_frequency[size_t(b)]; });
        m_postings[size_t(anchor)].push_back(qint32(p));
    }
    m_indexedPairs = pairs;
}

void EngineIndex::rebuildAnswers(const Variables& v) {
    for (std::vector<qint32>& pairs : m_postings)
        pairs.clear();
    std::fill(m_frequency.begin(), m_frequency.end(), 0);
    m_keyStart.clear();
    m_keyIds.clear();
    indexPairs(v, 0);
}

void EngineIndex::indexSynonymPairs(const Variables& v, qsizetype firstPair) {
    const qsizetype pairs = pairsIn(v.SynonymCount);
    for (qsizetype p = firstPair; p < pairs; ++p) {
        const qint32 partner = intern(v.SynonymBase.at(2 * p + 1));
        m_partners[v.SynonymBase.at(2 * p)].push_back(partner);
    }
    m_indexedSynonymPairs = pairs;
}

void EngineIndex::rebuildSynonyms(const Variables& v) {
    m_partners.clear();
    indexSynonymPairs(v, 0);
}

void EngineIndex::sync(const Variables& v) {
    using Change = Snapshot::Change;
    if (const Change c = m_answers.changeTo(v.AnswerBase, v.AnswerCount); c != Change::None) {
        // Pairs already indexed stay valid when lines were only added after them.
        if (c == Change::Appended && m_indexedPairs <= pairsIn(v.AnswerCount))
            indexPairs(v, m_indexedPairs);
        else
            rebuildAnswers(v);
        m_answers.take(v.AnswerBase, v.AnswerCount);
    }
    if (const Change c = m_synonyms.changeTo(v.SynonymBase, v.SynonymCount); c != Change::None) {
        if (c == Change::Appended && m_indexedSynonymPairs <= pairsIn(v.SynonymCount))
            indexSynonymPairs(v, m_indexedSynonymPairs);
        else
            rebuildSynonyms(v);
        m_synonyms.take(v.SynonymBase, v.SynonymCount);
    }
}

bool EngineIndex::appendAnswer(Variables& v, const QString& keyLine, const QString& answer) {
    sync(v);
    // Letting go of the copy first spares the state's list a full copy when it grows.
    m_answers.release();
    const bool appended = appendBaseLines(v.AnswerBase, v.AnswerCount, {keyLine, answer});
    if (appended && m_indexedPairs <= pairsIn(v.AnswerCount))
        indexPairs(v, m_indexedPairs);
    m_answers.take(v.AnswerBase, v.AnswerCount);
    return appended;
}

void EngineIndex::syncQuestions(const Variables& v) {
    using Change = Snapshot::Change;
    const Change c = m_questions.changeTo(v.QuestionBase, v.QuestionCount);
    if (c == Change::None)
        return;
    if (c == Change::Appended) {
        for (qsizetype i = m_questions.size(); i < v.QuestionBase.size(); ++i)
            m_questionSet.insert(v.QuestionBase.at(i));
    } else {
        m_questionSet = QSet<QString>(v.QuestionBase.cbegin(), v.QuestionBase.cend());
    }
    m_questions.take(v.QuestionBase, v.QuestionCount);
}

bool EngineIndex::hasQuestion(const Variables& v, const QString& question) {
    syncQuestions(v);
    return m_questionSet.contains(question);
}

bool EngineIndex::appendQuestion(Variables& v, const QString& question) {
    syncQuestions(v);
    m_questions.release();
    const bool appended = appendBaseLines(v.QuestionBase, v.QuestionCount, {question});
    if (appended)
        m_questionSet.insert(question);
    m_questions.take(v.QuestionBase, v.QuestionCount);
    return appended;
}

WordList EngineIndex::expand(const WordList& words) const {
    WordList out;
    out.reserve(words.size() * 2);
    for (const QString& word : words) {
        const auto it = m_partners.constFind(word);
        if (it != m_partners.cend()) {
            for (const qint32 partner : it.value())
                out.append(m_words.at(partner));
        }
        out.append(word);
    }
    return out;
}

std::vector<qint32> EngineIndex::matchingPairs(const WordList& phraseWords) const {
    std::vector<int> ids;
    ids.reserve(size_t(phraseWords.size()));
    for (const QString& word : phraseWords) {
        const auto partners = m_partners.constFind(word);
        if (partners != m_partners.cend())
            ids.insert(ids.end(), partners.value().begin(), partners.value().end());
        const auto it = m_wordIds.constFind(word);
        if (it != m_wordIds.cend())
            ids.push_back(it.value());
    }
    std::sort(ids.begin(), ids.end());
    ids.erase(std::unique(ids.begin(), ids.end()), ids.end());

    std::vector<qint32> matched;
    for (const int id : ids) {
        for (const qint32 pair : m_postings[size_t(id)]) {
            const auto first = m_keyIds.begin() + m_keyStart[size_t(pair)];
            const auto last = m_keyIds.begin() + m_keyStart[size_t(pair) + 1];
            const bool all =
                std::all_of(first, last, [&ids](int key) { return std::binary_search(ids.begin(), ids.end(), key); });
            if (all)
                matched.push_back(pair);
        }
    }
    std::sort(matched.begin(), matched.end());
    return matched;
}

QStringList EngineIndex::answersFor(const WordList& phraseWords, const Variables& v) const {
    const std::vector<qint32> matched = matchingPairs(phraseWords);
    QStringList answers;
    answers.reserve(qsizetype(matched.size()));
    for (const qint32 pair : matched)
        answers.append(v.AnswerBase.at(2 * qsizetype(pair) + 1));
    return answers;
}
