#include "core/Options.h"
#include "core/Variables.h"
#include "dialogue/Dialogue.h"
#include "dialogue/TurnExplanation.h"
#include "engine/BaseEdit.h"
#include "support/FakeClock.h"
#include "support/FakeRandom.h"

#include <QTemporaryDir>
#include <QtTest/QTest>

using State = ExplainedEntry::State;
using Availability = TurnExplanation::Availability;

namespace {
// What happens to the bases between the turn and the question "why?": nothing; deleting pair 1 or 2; deleting
// pair 4 and question 1; editing pair 4 by hand and deleting question 2; adding a pair.
const std::function<void(Variables&)> kChanges[] = {
    [](Variables&) {},
    [](Variables& v) { BaseEdit::DeleteAnswer(v, 0); },
    [](Variables& v) { BaseEdit::DeleteAnswer(v, 1); },
    [](Variables& v) { BaseEdit::DeleteAnswer(v, 3), BaseEdit::DeleteQuestion(v, 0); },
    [](Variables& v) { v.AnswerBase[7] = QStringLiteral("Три."), BaseEdit::DeleteQuestion(v, 1); },
    [](Variables& v) { BaseEdit::AddAnswer(v, QStringLiteral("пока"), QStringLiteral("Ещё.")); },
};
} // namespace

class tst_TurnExplanation : public QObject {
    Q_OBJECT
private slots:
    void init();
    void drawnPairAndQuestionFoundAgain_data();
    void drawnPairAndQuestionFoundAgain();
    void text_data();
    void text();
    void recordsDroppedWhenThePaneIsReplaced();

private:
    TurnExplanation explainLast(Dialogue& d) { return d.explainAt(lastProgramLineStart(d.paneText())); }

    QTemporaryDir m_dir;
    Variables m_v;
    FakeRandom m_random;
    FakeClock m_clock;
};

void tst_TurnExplanation::init() {
    m_v = Variables(); // a ShortPhraseLimit of 7 by default
    m_v.Alphabet = Options::defaultAlphabet();
    // Pairs 1 and 3 are the same pair twice.
    m_v.AnswerBase = {QStringLiteral("ПРИВЕТ "),      QStringLiteral("Один."),   QStringLiteral("ПОКА "),
                      QStringLiteral("Нет."),         QStringLiteral("ПРИВЕТ "), QStringLiteral("Один."),
                      QStringLiteral("ПРИВЕТ ДРУГ "), QStringLiteral("Два.")};
    m_v.AnswerCount = qint16(m_v.AnswerBase.size());
    m_v.QuestionBase = {QStringLiteral("Ты любишь музыку?"), QStringLiteral("Как тебя зовут?")};
    m_v.QuestionCount = 2;
    m_v.SynonymBase = {QStringLiteral(" ДРУЖИЩЕ "), QStringLiteral(" ДРУГ ")};
    m_v.SynonymCount = 2;
    m_random = FakeRandom();
}

void tst_TurnExplanation::drawnPairAndQuestionFoundAgain_data() {
    QTest::addColumn<int>("draw"); // among the three matching pairs 1, 3 and 4
    QTest::addColumn<int>("change");
    QTest::addColumn<State>("pairState");
    QTest::addColumn<int>("pairRow");
    QTest::addColumn<int>("others");
    QTest::addColumn<State>("questionState");
    QTest::addColumn<int>("questionRow");
    QTest::newRow("the second of two identical pairs") << 1 << 0 << State::Unchanged << 2 << 2 << State::Unchanged << 1;
    QTest::newRow("moved up by an earlier deletion") << 1 << 2 << State::Moved << 1 << 2 << State::Unchanged << 1;
    QTest::newRow("its identical twin before it deleted") << 1 << 1 << State::Moved << 1 << 1 << State::Unchanged << 1;
    QTest::newRow("deleted, question moved up") << 2 << 3 << State::Gone << -1 << 2 << State::Moved << 0;
    QTest::newRow("edited by hand, question deleted") << 2 << 4 << State::Gone << -1 << 3 << State::Gone << -1;
    QTest::newRow("pairs added after it") << 2 << 5 << State::Unchanged << 3 << 2 << State::Unchanged << 1;
}

void tst_TurnExplanation::drawnPairAndQuestionFoundAgain() {
    QFETCH(int, draw);
    QFETCH(int, change);
    QFETCH(State, pairState);
    QFETCH(int, pairRow);
    QFETCH(int, others);
    QFETCH(State, questionState);
    QFETCH(int, questionRow);
    Dialogue d(m_v, m_random, m_clock);
    d.setJournalPath(m_dir.filePath(QStringLiteral("ChatList.log")));
    d.DialogNew();
    m_random.pick(2, 3); // ask
    m_random.pick(1, 2); // "Как тебя зовут?"
    m_random.pick(draw, 3);
    d.Turn(QStringLiteral("привет, друг"));
    QVERIFY(!m_random.ranDry());

    kChanges[change](m_v);
    const TurnExplanation e = explainLast(d);
    QCOMPARE(e.availability, Availability::Recorded);
    QCOMPARE(e.pair.number, QList<int>({1, 3, 4}).at(draw));
    QCOMPARE(e.pair.state, pairState);
    QCOMPARE(e.pair.row, pairRow);
    QCOMPARE(e.pair.text, pairRow < 0 ? QString() : draw == 2 ? QStringLiteral("Два.") : QStringLiteral("Один."));
    QCOMPARE(e.otherPairs.size(), others);
    QCOMPARE(e.question.state, questionState);
    QCOMPARE(e.question.row, questionRow);
    QCOMPARE(e.editor, pairRow >= 0 ? TurnExplanation::Editor::Answers : TurnExplanation::Editor::None);
    QCOMPARE(e.editorRow, pairRow);
    if (pairState != State::Unchanged)
        QVERIFY(ExplanationText(e).contains(pairState == State::Moved
                                                ? QStringLiteral("это была пара № %1:").arg(e.pair.number)
                                                : QStringLiteral("в базе её больше нет")));
}

void tst_TurnExplanation::text_data() {
    QTest::addColumn<QStringList>("phrases");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("answer") << QStringList{QStringLiteral("привет, дружище")}
                            << QStringList{
                                   QStringLiteral("Ваша фраза: «Привет, дружище.»"),
                                   QStringLiteral("Ключевые слова после замены синонимов: ПРИВЕТ, ДРУГ, ДРУЖИЩЕ."),
                                   QStringLiteral("Подошло пар: 3. Выбрана пара № 1: «ПРИВЕТ» → «Один.»"),
                                   QStringLiteral("пара № 4: «ПРИВЕТ ДРУГ» → «Два.»")};
    QTest::newRow("rebuke") << QStringList{QStringLiteral("Кот")}
                            << QStringList{
                                   QStringLiteral("Фраза не длиннее 7 символов и ни с чем не совпала — поэтому упрёк."),
                                   QStringLiteral("В её ключевом тексте 4 символа (с пробелом в конце).")};
    QTest::newRow("lesson") << QStringList{QStringLiteral("Мама мыла раму сегодня"), QStringLiteral("ура")}
                            << QStringList{
                                   QStringLiteral("Ваша фраза: «Ура.»"),
                                   QStringLiteral("Это был урок: программа запомнила пару № 5: «МАМА МЫЛА "
                                                  "РАМУ СЕГОДНЯ» → «Ура.»"),
                                   QStringLiteral("Фразу, на которую программа не знала ответа, она "
                                                  "запомнила и как свой вопрос № 3: «Мама мыла раму сегодня.»")};
}

void tst_TurnExplanation::text() {
    QFETCH(QStringList, phrases);
    QFETCH(QStringList, lines);
    Dialogue d(m_v, m_random, m_clock);
    d.setJournalPath(m_dir.filePath(QStringLiteral("ChatList.log")));
    d.DialogNew();
    for (const QString& phrase : phrases) {
        for (int i = 0; i < 4; ++i)
            m_random.push(0.0); // no question, the first of everything
        d.Turn(phrase);
    }
    const QStringList shown = ExplanationText(explainLast(d)).split(QLatin1Char('\n'));
    for (const QString& line : lines)
        QVERIFY2(shown.contains(line), qPrintable(shown.join(QLatin1Char('\n'))));
}

void tst_TurnExplanation::recordsDroppedWhenThePaneIsReplaced() {
    const QString path = m_dir.filePath(QStringLiteral("d.dlg"));
    Dialogue d(m_v, m_random, m_clock);
    d.setJournalPath(m_dir.filePath(QStringLiteral("ChatList.log")));
    d.DialogNew();
    m_random = FakeRandom{0.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0};
    d.Turn(QStringLiteral("привет"));
    QCOMPARE(explainLast(d).availability, Availability::Recorded);
    QVERIFY(d.saveTo(path).ok());

    d.DialogNew();
    QCOMPARE(d.turnRecords().size(), 0);
    QCOMPARE(d.explainAt(0).availability, Availability::NotProgramLine);

    QVERIFY(d.openFrom(path).ok());
    QCOMPARE(explainLast(d).availability, Availability::NoRecord);
    d.Turn(QStringLiteral("пока"));
    QCOMPARE(explainLast(d).availability, Availability::Recorded);
    QCOMPARE(explainLast(d).why.pair, qint16(2));
    QCOMPARE(d.explainLine(3).availability, Availability::NoRecord);
    QCOMPARE(d.explainLine(5).availability, Availability::Recorded);
    QCOMPARE(d.explainLine(6).availability, Availability::NotProgramLine);
}

QTEST_GUILESS_MAIN(tst_TurnExplanation)
#include "tst_turnexplanation.moc"
