#include "core/Options.h"
#include "core/Variables.h"
#include "engine/BaseEdit.h"
#include "engine/EngineIndex.h"
#include "engine/Phrase.h"

#include <QtTest/QTest>

#include <random>

namespace {

// The plain scan over every key line that the index must agree with, answer for answer.
QStringList scanAnswers(const Variables& v, const WordList& phraseWords) {
    QStringList out;
    for (qsizetype k = 0; k + 1 < v.AnswerCount; k += 2) {
        const WordList keys = SplitKeyWords(v.AnswerBase.at(k));
        if (keys.isEmpty())
            continue;
        bool all = true;
        for (const QString& key : keys)
            all = all && phraseWords.contains(key);
        if (all)
            out.append(v.AnswerBase.at(k + 1));
    }
    return out;
}

class Generator {
public:
    explicit Generator(unsigned seed) : m_gen(seed) {}

    int below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(m_gen); }
    QString word() { return QString::fromUtf16(kWords[below(int(std::size(kWords)))]); }

    QString keyLine() {
        switch (below(12)) {
        case 0:
            return QString();
        case 1:
            return QStringLiteral(" ");
        case 2:
            return word(); // no trailing blank: no words at all
        case 3:
            return word() + QStringLiteral("  ") + word() + QLatin1Char(' '); // a two-blank word
        default: {
            QString line;
            const int n = 1 + below(3);
            for (int i = 0; i < n; ++i)
                line += word() + QLatin1Char(' ');
            return line;
        }
        }
    }
    QString synonymLine() {
        switch (below(10)) {
        case 0:
            return word(); // without the surrounding blanks
        case 1:
            return QStringLiteral("  ");
        default:
            return QLatin1Char(' ') + word() + QLatin1Char(' ');
        }
    }
    QString phrase() {
        QStringList words;
        const int n = 1 + below(5);
        for (int i = 0; i < n; ++i)
            words << word();
        return words.join(QLatin1Char(' '));
    }

private:
    static constexpr const char16_t* kWords[] = {u"КОТ", u"ПЁС", u"ДОМ", u"МИР", u"ДА", u"НЕТ", u"OK", u"42"};
    std::mt19937 m_gen;
};

void setLines(QStringList& base, qint16& count, const QStringList& lines) {
    base = lines;
    count = qint16(lines.size());
}

} // namespace

class tst_EngineIndex : public QObject {
    Q_OBJECT
private slots:
    void agreesWithTheScanOnRandomBases();
    void followsEveryChangeOfTheBases();

private:
    void compare(Generator& g, const Variables& v, EngineIndex& index, int phrases);
};

void tst_EngineIndex::compare(Generator& g, const Variables& v, EngineIndex& index, int phrases) {
    index.sync(v);
    for (int i = 0; i < phrases; ++i) {
        const WordList words = SplitKeyWords(MakeKeyText(g.phrase(), v.Alphabet));
        const WordList expanded = ExpandSynonyms(words, v);
        QCOMPARE(index.expand(words), expanded);
        QCOMPARE(index.answersFor(words, v), scanAnswers(v, expanded));
    }
}

void tst_EngineIndex::agreesWithTheScanOnRandomBases() {
    Generator g(20261207);
    int matchedTurns = 0;
    for (int round = 0; round < 3000; ++round) {
        Variables v;
        v.Alphabet = Options::defaultAlphabet();
        QStringList answers;
        const int answerLines = g.below(24);
        for (int i = 0; i < answerLines; ++i)
            answers << (i % 2 == 0 ? g.keyLine() : QStringLiteral("ответ %1").arg(g.below(6)));
        setLines(v.AnswerBase, v.AnswerCount, answers);
        QStringList synonyms;
        const int synonymLines = g.below(12);
        for (int i = 0; i < synonymLines; ++i)
            synonyms << g.synonymLine();
        setLines(v.SynonymBase, v.SynonymCount, synonyms);

        EngineIndex index;
        compare(g, v, index, 4);
        if (QTest::currentTestFailed())
            return;
        const WordList words = ExpandSynonyms(SplitKeyWords(MakeKeyText(g.phrase(), v.Alphabet)), v);
        matchedTurns += scanAnswers(v, words).isEmpty() ? 0 : 1;
    }
    // The vocabulary is small on purpose: most phrases must match something, or the comparison proves little.
    QVERIFY(matchedTurns > 1000);
}

void tst_EngineIndex::followsEveryChangeOfTheBases() {
    Generator g(7);
    Variables v;
    v.Alphabet = Options::defaultAlphabet();
    EngineIndex index;
    for (int step = 0; step < 4000; ++step) {
        switch (g.below(10)) {
        case 0:
        case 1:
        case 2: // learning appends a pair
            v.AnswerBase << g.keyLine() << QStringLiteral("выучено %1").arg(step);
            v.AnswerCount = qint16(v.AnswerBase.size());
            break;
        case 3: // a hand-edited base may end with a lone key line
            v.AnswerBase << g.keyLine();
            v.AnswerCount = qint16(v.AnswerBase.size());
            break;
        case 4:
            BaseEdit::DeleteAnswer(v, g.below(BaseEdit::pairRows(v.AnswerCount) + 1));
            break;
        case 5:
            if (!v.AnswerBase.isEmpty())
                v.AnswerBase[g.below(int(v.AnswerBase.size()))] = g.keyLine();
            break;
        case 6: {
            QString w = g.word();
            QString s = g.word();
            BaseEdit::AddSynonym(v, w, s);
            break;
        }
        case 7:
            v.SynonymBase << g.synonymLine();
            v.SynonymCount = qint16(v.SynonymBase.size());
            break;
        case 8:
            BaseEdit::DeleteSynonym(v, g.below(BaseEdit::pairRows(v.SynonymCount) + 1));
            break;
        case 9:
            if (g.below(8) == 0) {
                BaseEdit::ClearAnswers(v);
                BaseEdit::ClearSynonyms(v);
            }
            break;
        }
        compare(g, v, index, 2);
        if (QTest::currentTestFailed())
            return;
    }
}

QTEST_GUILESS_MAIN(tst_EngineIndex)
#include "tst_engineindex.moc"
