#include "dialogue/TurnRecords.h"

#include "core/Variables.h"

#include <QHash>

#include <algorithm>

namespace {

constexpr size_t kSeed = 0x7a1c;

quint32 folded(size_t h) {
    return quint32(quint64(h) ^ (quint64(h) >> 32));
}

qint32 clamped(qsizetype n) {
    return qint32(std::min<qsizetype>(n, std::numeric_limits<qint32>::max()));
}

} // namespace

quint32 pairHash(const QString& keyLine, const QString& answer) {
    return folded(qHashMulti(kSeed, keyLine, answer));
}

quint32 lineHash(const QString& line) {
    return folded(qHash(line, kSeed));
}

void TurnRecords::reset(qsizetype paneLength) {
    m_records = {};
    m_resetLength = paneLength;
    m_linesAdded = 0;
    m_linesAtReset = -1;
}

void TurnRecords::add(qsizetype paneLength, const TurnResult& turn, const Variables& v) {
    TurnRecord r;
    r.why = turn.Why;
    // The addition is CR LF, the person's line, CR LF, the program's line.
    r.position = paneLength + 2 + turn.HumanLine.size() + 2;
    r.line = clamped(m_linesAdded + 2);
    // The person's line ends with the display form of the phrase, which the turn leaves in PreviousPhrase.
    r.phraseLength = clamped(v.PreviousPhrase.size());
    const TurnWhy& w = turn.Why;
    if (w.pair > 0 && w.pair * 2 <= v.AnswerCount)
        r.pairHash = pairHash(v.AnswerBase.at(w.keyLine() - 1), v.AnswerBase.at(w.keyLine()));
    if (w.question > 0 && w.question <= v.QuestionCount)
        r.questionHash = lineHash(v.QuestionBase.at(w.question - 1));
    if (w.learnedQuestion > 0 && w.learnedQuestion <= v.QuestionCount)
        r.learnedQuestionHash = lineHash(v.QuestionBase.at(w.learnedQuestion - 1));
    m_records.push_back(r);
}

void TurnRecords::appended(QStringView addition) {
    m_linesAdded += addition.count(u'\n');
}

const TurnRecord* TurnRecords::startingAt(qsizetype lineStart) const {
    const auto it = std::lower_bound(m_records.cbegin(), m_records.cend(), lineStart,
                                     [](const TurnRecord& r, qsizetype p) { return r.position < p; });
    return it != m_records.cend() && it->position == lineStart ? &*it : nullptr;
}

const TurnRecord* TurnRecords::onLine(const QString& pane, qsizetype line) const {
    if (m_records.empty())
        return nullptr;
    if (m_linesAtReset < 0)
        m_linesAtReset = QStringView(pane).left(m_resetLength).count(u'\n');
    const qint64 relative = line - m_linesAtReset;
    const auto it = std::lower_bound(m_records.cbegin(), m_records.cend(), relative,
                                     [](const TurnRecord& r, qint64 l) { return r.line < l; });
    return it != m_records.cend() && it->line == relative ? &*it : nullptr;
}
