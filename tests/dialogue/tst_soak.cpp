#include "core/Bases.h"
#include "core/Options.h"
#include "core/TextFile.h"
#include "core/Variables.h"
#include "dialogue/Dialogue.h"
#include "dialogue/Journal.h"
#include "engine/RandomSource.h"
#include "support/FakeClock.h"

#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest/QTest>

#include <random>

namespace {
class SeededRandom final : public RandomSource {
public:
    double next() override { return std::uniform_real_distribution<double>(0.0, 1.0)(m_gen); }
    std::mt19937_64 m_gen{42};
};
} // namespace

// A long conversation that keeps teaching the program until its bases are full, then a save and a reload.
class tst_Soak : public QObject {
    Q_OBJECT
private slots:
    void hundredThousandTurns();
};

void tst_Soak::hundredThousandTurns() {
    QTemporaryDir dir;
    Variables v;
    v.Mode = Modes::conversation();
    v.HumanName = QStringLiteral("Человек");
    v.Alphabet = Options::defaultAlphabet();
    v.ShortPhraseLimit = OptionValue::fromText(QStringLiteral(" 7 "));
    v.AnswerBaseFile = dir.filePath(QStringLiteral("a.tka"));
    v.QuestionBaseFile = dir.filePath(QStringLiteral("q.tkq"));
    v.SynonymBaseFile = dir.filePath(QStringLiteral("s.tks"));
    v.QuestionBase = {QStringLiteral("Как дела?"), QStringLiteral("Что нового?")};
    v.QuestionCount = 2;
    SeededRandom random;
    FakeClock clock;
    Dialogue d(v, random, clock);
    const QString log = dir.filePath(QStringLiteral("ChatList.log"));
    d.setJournalPath(log);
    QVERIFY(Journal::WriteJournalTitle(clock, log).ok());
    d.DialogNew();

    std::mt19937 words(7);
    auto phrase = [&]() -> QString {
        QString text;
        for (int i = 0; i < 3; ++i)
            text += QStringLiteral("слово%1 ").arg(words() % 5000);
        return text + QStringLiteral("#name");
    };
    constexpr int turns = 100000;
    for (int i = 0; i < turns; ++i) {
        d.Turn(i % 97 == 0 ? QStringLiteral("\r\n") : phrase());
        QVERIFY(v.AnswerCount == v.AnswerBase.size() && v.AnswerCount <= Variables::MaxLines);
        QVERIFY(v.QuestionCount == v.QuestionBase.size() && v.QuestionCount <= Variables::MaxLines);
        QVERIFY(v.AskedQuestionCount == v.AskedQuestions.size() && v.AskedQuestionCount <= Variables::MaxLines);
    }
    // The bases filled up on the way, and stayed whole pairs.
    QVERIFY(v.AnswerCount >= Variables::MaxLines - 1);
    QCOMPARE(v.AnswerCount % 2, 0);
    QVERIFY(d.journalResult().ok());

    QVERIFY(SaveBases(v).ok());
    Variables again = v;
    QVERIFY(LoadAnswers(again).ok() && LoadQuestions(again).ok());
    QCOMPARE(again.AnswerBase, v.AnswerBase);
    QCOMPARE(again.QuestionBase, v.QuestionBase);

    const Result<QStringList> read = TextFile::readLines(log, -1, 1024LL * 1024 * 1024);
    QVERIFY(read.ok());
    const QStringList& journal = *read;
    // The lone CR before a dialogue header reads back as a line of its own, as any CR ends a line.
    QCOMPARE(journal.size(), 4 + 2 * turns);
    const QRegularExpression human(QStringLiteral("^<ЧЕЛОВЕК>[^\\r\\n]*$"));
    const QRegularExpression program(QStringLiteral("^<TK> [^\\r\\n]*$"));
    for (int i = 0; i < turns; ++i) {
        QVERIFY2(human.match(journal.at(4 + 2 * i)).hasMatch(), qPrintable(journal.at(4 + 2 * i)));
        QVERIFY2(program.match(journal.at(5 + 2 * i)).hasMatch(), qPrintable(journal.at(5 + 2 * i)));
    }
}

QTEST_GUILESS_MAIN(tst_Soak)
#include "tst_soak.moc"
