#include "engine/Phrase.h"

#include "core/Cp1251.h"
#include "core/Variables.h"

#include <bitset>

namespace {

// Membership in the alphabet is asked for every character of every phrase; a bit table built once per alphabet
// answers in one step instead of a walk along up to 129 characters.
class AlphabetTable {
public:
    explicit AlphabetTable(const QString& alphabet) {
        m_alphabet = alphabet;
        m_bits.reset();
        for (const QChar c : alphabet)
            m_bits.set(c.unicode());
    }
    bool contains(QChar c) const { return m_bits.test(c.unicode()); }
    const QString& alphabet() const { return m_alphabet; }

private:
    QString m_alphabet;
    std::bitset<65536> m_bits;
};

const AlphabetTable& tableFor(const QString& alphabet) {
    thread_local AlphabetTable table{QString()};
    if (table.alphabet() != alphabet)
        table = AlphabetTable(alphabet);
    return table;
}

} // namespace

bool inAlphabet(QChar c, const QString& alphabet) {
    return tableFor(alphabet).contains(c);
}

QString trimBlanks(const QString& text) {
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text.at(begin) == QLatin1Char(' '))
        ++begin;
    while (end > begin && text.at(end - 1) == QLatin1Char(' '))
        --end;
    return text.mid(begin, end - begin);
}

QString MakeDisplayForm(const QString& raw, const QString& alphabet) {
    QString text = trimBlanks(raw);
    if (text.isEmpty())
        return text;
    text = Cp1251::toUpper(text.left(1)) + text.mid(1);
    if (inAlphabet(text.back(), alphabet))
        text += QLatin1Char('.');
    return text;
}

QString MakeKeyText(const QString& raw, const QString& alphabet) {
    const QString upper = trimBlanks(raw).toUpper();
    const AlphabetTable& table = tableFor(alphabet);
    QString key;
    key.reserve(upper.size() + 1);
    for (const QChar c : upper) {
        if (!table.contains(c))
            continue;
        if (c == QLatin1Char(' ') && (key.isEmpty() || key.back() == QLatin1Char(' ')))
            continue;
        key += c;
    }
    while (!key.isEmpty() && key.back() == QLatin1Char(' '))
        key.chop(1);
    key += QLatin1Char(' ');
    return key;
}

WordList SplitKeyWords(const QString& text) {
    WordList words;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.at(i) == QLatin1Char(' ')) {
            words.append(QLatin1Char(' ') + QStringView(text).mid(start, i - start + 1));
            start = i + 1;
        }
    }
    return words;
}

WordList ExpandSynonyms(const WordList& words, const Variables& v) {
    WordList out;
    const qsizetype pairedLines = v.SynonymCount - v.SynonymCount % 2;
    for (const QString& word : words) {
        for (qsizetype k = 0; k < pairedLines; k += 2) {
            if (v.SynonymBase.at(k) == word)
                out.append(v.SynonymBase.at(k + 1));
        }
        out.append(word);
    }
    return out;
}
