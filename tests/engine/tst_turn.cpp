#include "core/Options.h"
#include "core/Variables.h"
#include "engine/Macros.h"
#include "engine/Turn.h"
#include "support/FakeClock.h"
#include "support/FakeRandom.h"

#include <QtTest/QTest>

namespace {

Variables makeState() {
    Variables v;
    v.Mode = Modes::conversation();
    v.HumanName = QStringLiteral("Человек");
    v.Alphabet = Options::defaultAlphabet();
    v.ShortPhraseLimit = OptionValue::fromText(QStringLiteral(" 7 "));
    return v;
}

void setAnswers(Variables& v, const QStringList& lines) {
    v.AnswerBase = lines;
    v.AnswerCount = qint16(lines.size());
}

void setQuestions(Variables& v, const QStringList& lines) {
    v.QuestionBase = lines;
    v.QuestionCount = qint16(lines.size());
}

void setSynonyms(Variables& v, const QStringList& lines) {
    v.SynonymBase = lines;
    v.SynonymCount = qint16(lines.size());
}

// Draws for the question step: the first "should I ask" draw comes up 2, so a question is asked.
void askNow(FakeRandom& r) {
    r.pick(2, 3);
}

} // namespace

class tst_Turn : public QObject {
    Q_OBJECT
private slots:
    void cannedRetorts_data();
    void cannedRetorts();
    void repetitionIgnoresCase_data();
    void repetitionIgnoresCase();
    void keyLineMatching_data();
    void keyLineMatching();
    void everyMatchingAnswerIsACandidate();
    void shortUnansweredPhraseIsRebukedLongOneStartsLearning();
    void unreadableShortPhraseLimitFallsBackToSeven();
    void learningExchange();
    void questionLearnedOnlyOnceAndOnlyAbove14Characters();
    void emptyLessonLearnsNothing_data();
    void emptyLessonLearnsNothing();
    void fullBaseKeepsItsLinesButStillAnswers();
    void controlCharactersInAPhraseBecomeBlanks();
    void unknownModeIsConversation();
    void questionIsAppendedOnlyWhereItFits_data();
    void questionIsAppendedOnlyWhereItFits();
    void twoQuestionsAreAskedInTurn();
    void singleQuestionIsAskedAgainAndAgain();
    void askedListStartsOverWhenEverythingWasAsked();
    void stuckRandomSourceStillEnds();
    void staleAskedIndexesAreHarmless();
    void noQuestionOnTheTurnThatStartsLearning();
    void macros_data();
    void macros();
    void stopMacroEndsTheDialogue();
};

void tst_Turn::cannedRetorts_data() {
    QTest::addColumn<QString>("phrase");
    QTest::addColumn<int>("pick");
    QTest::addColumn<int>("of");
    QTest::addColumn<QString>("humanLine");
    QTest::addColumn<QString>("programLine");
    QTest::newRow("empty phrase") << QString() << 2 << 3 << QStringLiteral("<ЧЕЛОВЕК>")
                                  << QStringLiteral("<TK> Давай поговорим.");
    QTest::newRow("only blanks count as empty") << QStringLiteral("   ") << 0 << 3 << QStringLiteral("<ЧЕЛОВЕК>")
                                                << QStringLiteral("<TK> Пожалуйста, не молчи!");
    QTest::newRow("no alphabet characters: silence, not rebuke")
        << QStringLiteral("???") << 1 << 3 << QStringLiteral("<ЧЕЛОВЕК>???")
        << QStringLiteral("<TK> Скажи что нибудь!");
    QTest::newRow("rebuke") << QStringLiteral("Привет") << 2 << 5 << QStringLiteral("<ЧЕЛОВЕК>Привет.")
                            << QStringLiteral("<TK> Что за бред ты несёшь?!");
}

void tst_Turn::cannedRetorts() {
    QFETCH(QString, phrase);
    QFETCH(int, pick);
    QFETCH(int, of);
    QFETCH(QString, humanLine);
    QFETCH(QString, programLine);
    Variables v = makeState();
    v.PreviousPhrase = QStringLiteral("Что-то.");
    FakeRandom r;
    r.pick(pick, of);
    r.pick(0, 1);
    const TurnResult t = ProcessPhrase(v, phrase, r, FakeClock());
    QCOMPARE(t.HumanLine, humanLine);
    QCOMPARE(t.ProgramLine, programLine);
    QVERIFY(!t.Stopped);
    QVERIFY(!r.ranDry());
    QCOMPARE(r.remaining(), 0);
    QCOMPARE(v.PreviousPhrase, humanLine.mid(9));
    QCOMPARE(v.Mode, Modes::conversation());
    QCOMPARE(t.paneAddition(), QStringLiteral("\r\n") + humanLine + QStringLiteral("\r\n") + programLine);
}

void tst_Turn::repetitionIgnoresCase_data() {
    QTest::addColumn<QString>("previous");
    QTest::addColumn<QString>("phrase");
    QTest::addColumn<bool>("repetition");
    QTest::newRow("same display form, other case") << QStringLiteral("Привет.") << QStringLiteral("привет") << true;
    QTest::newRow("other punctuation") << QStringLiteral("Привет.") << QStringLiteral("привет!") << false;
    QTest::newRow("upper case") << QStringLiteral("Привет.") << QStringLiteral("ПРИВЕТ") << true;
}

void tst_Turn::repetitionIgnoresCase() {
    QFETCH(QString, previous);
    QFETCH(QString, phrase);
    QFETCH(bool, repetition);
    Variables v = makeState();
    setAnswers(v, {QStringLiteral("ПРИВЕТ "), QStringLiteral("Здравствуй!")});
    v.PreviousPhrase = previous;
    FakeRandom r;
    r.pick(0, 3);
    r.pick(0, 1);
    const TurnResult t = ProcessPhrase(v, phrase, r, FakeClock());
    QCOMPARE(t.ProgramLine, repetition ? QStringLiteral("<TK> Не повторяйся!") : QStringLiteral("<TK> Здравствуй!"));
}

void tst_Turn::keyLineMatching_data() {
    QTest::addColumn<QStringList>("answers");
    QTest::addColumn<QStringList>("synonyms");
    QTest::addColumn<QString>("phrase");
    QTest::addColumn<bool>("matches");
    const QStringList howAreYou{QStringLiteral("КАК ДЕЛА "), QStringLiteral("Хорошо.")};
    QTest::newRow("all key words, any order, among others")
        << howAreYou << QStringList() << QStringLiteral("Ну, как твои дела?") << true;
    QTest::newRow("one key word missing") << howAreYou << QStringList() << QStringLiteral("Как ты поживаешь?") << false;
    QTest::newRow("through a synonym") << howAreYou
                                       << QStringList{QStringLiteral(" ДЕЛИШКИ "), QStringLiteral(" ДЕЛА ")}
                                       << QStringLiteral("как делишки у тебя") << true;
    QTest::newRow("whole words only") << QStringList{QStringLiteral("ДЕЛА "), QStringLiteral("Хорошо.")}
                                      << QStringList() << QStringLiteral("проделанная работа видна") << false;
    QTest::newRow("key line without words matches nothing")
        << QStringList{QStringLiteral("ПРИВЕТ "), QStringLiteral("Ой."), QStringLiteral(""), QStringLiteral("Хорошо.")}
        << QStringList() << QStringLiteral("ну а как же иначе") << false;
    QTest::newRow("key line of one blank matches nothing")
        << QStringList{QStringLiteral(" "), QStringLiteral("Хорошо.")} << QStringList()
        << QStringLiteral("ну а как же иначе") << false;
    QTest::newRow("key line without blank matches nothing")
        << QStringList{QStringLiteral("ИНАЧЕ"), QStringLiteral("Хорошо.")} << QStringList()
        << QStringLiteral("ну а как же иначе") << false;
    QTest::newRow("unpaired last key line is ignored")
        << QStringList{QStringLiteral("ИНАЧЕ ")} << QStringList() << QStringLiteral("ну а как же иначе") << false;
}

void tst_Turn::keyLineMatching() {
    QFETCH(QStringList, answers);
    QFETCH(QStringList, synonyms);
    QFETCH(QString, phrase);
    QFETCH(bool, matches);
    Variables v = makeState();
    setAnswers(v, answers);
    setSynonyms(v, synonyms);
    FakeRandom r;
    if (!matches)
        r.pick(0, 4); // the learning question: every phrase here is longer than seven characters
    r.pick(0, 1);
    const TurnResult t = ProcessPhrase(v, phrase, r, FakeClock());
    QCOMPARE(t.ProgramLine == QStringLiteral("<TK> Хорошо."), matches);
    QCOMPARE(v.Mode == Modes::learning(), !matches);
    QVERIFY(!r.ranDry());
}

void tst_Turn::everyMatchingAnswerIsACandidate() {
    const QStringList answers{QStringLiteral("ПРИВЕТ "), QStringLiteral("Один."),        QStringLiteral("ПОКА "),
                              QStringLiteral("Нет."),    QStringLiteral("ПРИВЕТ ДРУГ "), QStringLiteral("Два."),
                              QStringLiteral("ПРИВЕТ "), QStringLiteral("Один.")};
    const QStringList expected{QStringLiteral("<TK> Один."), QStringLiteral("<TK> Два."), QStringLiteral("<TK> Один.")};
    // The third candidate is the second of two identical answers: its own pair is the one reported.
    const QList<qint16> pairs{1, 3, 4};
    for (int i = 0; i < 3; ++i) {
        Variables v = makeState();
        setAnswers(v, answers);
        FakeRandom r;
        r.pick(i, 3);
        const TurnResult t = ProcessPhrase(v, QStringLiteral("привет, друг"), r, FakeClock());
        QCOMPARE(t.ProgramLine, expected.at(i));
        QCOMPARE(t.Why.kind, TurnWhy::Kind::Answer);
        QCOMPARE(t.Why.keyLine(), qint16(2 * pairs.at(i) - 1));
        QCOMPARE(t.Why.matched, qint16(3));
    }
}

void tst_Turn::shortUnansweredPhraseIsRebukedLongOneStartsLearning() {
    Variables v = makeState();
    FakeRandom r{0.0, 0.0};
    ProcessPhrase(v, QStringLiteral("Привет"), r, FakeClock());
    QCOMPARE(v.Mode, Modes::conversation());

    FakeRandom learn;
    learn.pick(3, 4);
    learn.pick(0, 1);
    const TurnResult t = ProcessPhrase(v, QStringLiteral("  Привет всем"), learn, FakeClock());
    QCOMPARE(t.ProgramLine,
             QStringLiteral("<TK> Ты умнее меня, и я надеюсь скажешь, как я буду должен отвечать на это в будущем?"));
    QCOMPARE(v.Mode, Modes::learning());
    QCOMPARE(v.PendingKeys, QStringLiteral("ПРИВЕТ ВСЕМ "));
    QCOMPARE(v.PendingPhrase, QStringLiteral("Привет всем."));
}

void tst_Turn::unreadableShortPhraseLimitFallsBackToSeven() {
    Variables v = makeState();
    v.ShortPhraseLimit = OptionValue::fromText(QStringLiteral("много"));
    // Two draws a turn: the rebuke or the request to be taught, then the reply among that one candidate.
    FakeRandom r{0.0, 0.0, 0.0, 0.0};
    ProcessPhrase(v, QStringLiteral("Привет"), r, FakeClock());
    QCOMPARE(v.Mode, Modes::conversation());
    ProcessPhrase(v, QStringLiteral("Привет всем"), r, FakeClock());
    QCOMPARE(v.Mode, Modes::learning());
    QCOMPARE(r.remaining(), 0);
}

void tst_Turn::learningExchange() {
    Variables v = makeState();
    FakeRandom r;
    r.pick(0, 4);
    r.pick(0, 1);
    ProcessPhrase(v, QStringLiteral("Привет всем"), r, FakeClock());

    r.pick(1, 4);
    r.pick(0, 1);
    const TurnResult lesson = ProcessPhrase(v, QStringLiteral("привет, друг"), r, FakeClock());
    QCOMPARE(lesson.HumanLine, QStringLiteral("<ЧЕЛОВЕК>Привет, друг."));
    QCOMPARE(lesson.ProgramLine, QStringLiteral("<TK> Ясно."));
    QCOMPARE(v.AnswerBase, (QStringList{QStringLiteral("ПРИВЕТ ВСЕМ "), QStringLiteral("Привет, друг.")}));
    QCOMPARE(v.AnswerCount, qint16(2));
    QVERIFY(v.AnswerBaseChanged);
    QCOMPARE(v.QuestionCount, qint16(0)); // "Привет всем." has only 12 characters
    QVERIFY(!v.QuestionBaseChanged);
    QCOMPARE(v.Mode, Modes::conversation());

    r.pick(0, 1);
    QCOMPARE(ProcessPhrase(v, QStringLiteral("Привет всем"), r, FakeClock()).ProgramLine,
             QStringLiteral("<TK> Привет, друг."));
    QVERIFY(!r.ranDry());
}

void tst_Turn::questionLearnedOnlyOnceAndOnlyAbove14Characters() {
    // "Мама мыла рам." has 14 characters: not kept. "Мама мыла раму." has 15: kept once, however often taught.
    for (const auto& [phrase, expected] :
         {std::pair{QStringLiteral("Мама мыла рам"), 0}, std::pair{QStringLiteral("Мама мыла раму"), 1}}) {
        Variables v = makeState();
        setQuestions(v, {});
        for (int round = 0; round < 2; ++round) {
            FakeRandom r{0.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0};
            ProcessPhrase(v, phrase, r, FakeClock());
            QCOMPARE(v.Mode, Modes::learning());
            ProcessPhrase(v, QStringLiteral("Понятно"), r, FakeClock());
            QCOMPARE(v.AnswerCount, qint16(2));
            // Forget the answer (as the editor would) so that the same phrase is taught a second time.
            setAnswers(v, {});
            v.PreviousPhrase.clear();
        }
        QCOMPARE(int(v.QuestionCount), expected);
        QCOMPARE(v.QuestionBaseChanged, expected > 0);
        if (expected)
            QCOMPARE(v.QuestionBase.first(), phrase + QLatin1Char('.'));
    }
}

void tst_Turn::emptyLessonLearnsNothing_data() {
    QTest::addColumn<QString>("lesson");
    QTest::newRow("empty") << QString();
    QTest::newRow("blanks") << QStringLiteral("    ");
}

void tst_Turn::emptyLessonLearnsNothing() {
    QFETCH(QString, lesson);
    Variables v = makeState();
    setQuestions(v, {QStringLiteral("Как дела?"), QStringLiteral("Что нового?")});
    v.Mode = Modes::learning();
    v.PendingKeys = QStringLiteral("ОЧЕНЬ ДЛИННАЯ ФРАЗА ");
    v.PendingPhrase = QStringLiteral("Очень длинная фраза.");
    FakeRandom r;
    r.pick(1, 3);
    r.pick(0, 1); // no question step draws follow an empty lesson
    const TurnResult t = ProcessPhrase(v, lesson, r, FakeClock());
    QCOMPARE(t.HumanLine, QStringLiteral("<ЧЕЛОВЕК>"));
    QCOMPARE(t.ProgramLine, QStringLiteral("<TK> Помни. Меня надо обучать, а не молчать!"));
    QCOMPARE(r.remaining(), 0);
    QVERIFY(!r.ranDry());
    QCOMPARE(v.AnswerCount, qint16(0));
    QCOMPARE(v.QuestionCount, qint16(2));
    QVERIFY(!v.AnswerBaseChanged);
    QVERIFY(!v.QuestionBaseChanged);
    QCOMPARE(v.Mode, Modes::conversation());
    QCOMPARE(v.PendingKeys, QStringLiteral("ОЧЕНЬ ДЛИННАЯ ФРАЗА "));
}

void tst_Turn::fullBaseKeepsItsLinesButStillAnswers() {
    Variables v = makeState();
    setAnswers(v, QStringList(Variables::MaxLines - 1, QStringLiteral("X ")));
    setQuestions(v, QStringList(Variables::MaxLines, QStringLiteral("Q")));
    v.Mode = Modes::learning();
    v.PendingKeys = QStringLiteral("ДЛИННАЯ ФРАЗА ОДНА ");
    v.PendingPhrase = QStringLiteral("Длинная фраза одна.");
    FakeRandom r{0.0, 0.0, 0.0, 0.0, 0.0, 0.0};
    const TurnResult t = ProcessPhrase(v, QStringLiteral("ответ"), r, FakeClock());
    QCOMPARE(t.ProgramLine.left(9), QStringLiteral("<TK> Поня"));
    QCOMPARE(t.Why.pair, qint16(0)); // nothing learned
    QCOMPARE(v.AnswerCount, qint16(Variables::MaxLines - 1));
    QCOMPARE(v.AnswerBase.size(), Variables::MaxLines - 1);
    QCOMPARE(v.QuestionCount, Variables::MaxLines);
    QCOMPARE(v.Mode, Modes::conversation());
}

void tst_Turn::controlCharactersInAPhraseBecomeBlanks() {
    Variables v = makeState();
    setAnswers(v, {QStringLiteral("КАК ДЕЛА "), QStringLiteral("Хорошо.")});
    FakeRandom r{0.0};
    const TurnResult t = ProcessPhrase(v, QStringLiteral("как\r\nдела"), r, FakeClock());
    QCOMPARE(t.HumanLine, QStringLiteral("<ЧЕЛОВЕК>Как  дела."));
    QCOMPARE(t.ProgramLine, QStringLiteral("<TK> Хорошо."));
}

void tst_Turn::unknownModeIsConversation() {
    Variables v = makeState();
    v.Mode = QStringLiteral("нечто");
    setAnswers(v, {QStringLiteral("ПРИВЕТ "), QStringLiteral("Здравствуй!")});
    FakeRandom r{0.0};
    QCOMPARE(ProcessPhrase(v, QStringLiteral("привет"), r, FakeClock()).ProgramLine,
             QStringLiteral("<TK> Здравствуй!"));
    QCOMPARE(v.Mode, Modes::conversation());
}

void tst_Turn::questionIsAppendedOnlyWhereItFits_data() {
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QString>("shown");
    QTest::newRow("full stop") << QStringLiteral("Хорошо.") << QStringLiteral("<TK> Хорошо. Ты любишь музыку?");
    QTest::newRow("exclamation") << QStringLiteral("Ура!") << QStringLiteral("<TK> Ура! Ты любишь музыку?");
    QTest::newRow("question") << QStringLiteral("А ты?") << QStringLiteral("<TK> А ты?");
    QTest::newRow("question and exclamation") << QStringLiteral("Да ну?!") << QStringLiteral("<TK> Да ну?!");
    QTest::newRow("stop in any case") << QStringLiteral("Пока. #sToP") << QStringLiteral("<TK> Пока. ");
}

void tst_Turn::questionIsAppendedOnlyWhereItFits() {
    QFETCH(QString, answer);
    QFETCH(QString, shown);
    Variables v = makeState();
    setAnswers(v, {QStringLiteral("ПРИВЕТ "), answer});
    setQuestions(v, {QStringLiteral("Ты любишь музыку?")});
    FakeRandom r;
    askNow(r);
    r.pick(0, 1);
    QCOMPARE(ProcessPhrase(v, QStringLiteral("привет"), r, FakeClock()).ProgramLine, shown);
    QCOMPARE(r.remaining(), 0);
    QCOMPARE(v.AskedQuestionCount, qint16(0)); // a lone question is never recorded
}

void tst_Turn::twoQuestionsAreAskedInTurn() {
    for (int first = 0; first < 2; ++first) {
        Variables v = makeState();
        setQuestions(v, {QStringLiteral("Первый?"), QStringLiteral("Второй?")});
        FakeRandom r;
        r.pick(0, 3);     // silence retort
        r.pick(0, 3);     // do not ask on the first draw...
        r.pick(2, 3);     // ...but on the second
        r.pick(first, 2); // the question
        r.pick(0, 1);     // the reply
        const TurnResult t1 = ProcessPhrase(v, QString(), r, FakeClock());
        QVERIFY(t1.ProgramLine.endsWith(first == 0 ? QStringLiteral("Первый?") : QStringLiteral("Второй?")));

        r.pick(0, 3);
        askNow(r);
        r.pick(first, 2); // the asked one comes up again and is drawn over
        r.pick(first, 2);
        r.pick(1 - first, 2);
        r.pick(0, 1);
        v.PreviousPhrase = QStringLiteral("x");
        const TurnResult t2 = ProcessPhrase(v, QString(), r, FakeClock());
        QVERIFY(t2.ProgramLine.endsWith(first == 0 ? QStringLiteral("Второй?") : QStringLiteral("Первый?")));
        QCOMPARE(v.AskedQuestions, (QList<qint16>{qint16(first + 1), qint16(2 - first)}));
        QCOMPARE(v.AskedQuestionCount, qint16(2));
        QCOMPARE(r.remaining(), 0);
    }
}

void tst_Turn::singleQuestionIsAskedAgainAndAgain() {
    Variables v = makeState();
    setQuestions(v, {QStringLiteral("Единственный?")});
    for (int i = 0; i < 3; ++i) {
        FakeRandom r;
        r.pick(0, 3);
        askNow(r);
        r.pick(0, 1);
        QVERIFY(ProcessPhrase(v, QString(), r, FakeClock()).ProgramLine.endsWith(QStringLiteral("Единственный?")));
    }
    QCOMPARE(v.AskedQuestionCount, qint16(0));
}

void tst_Turn::askedListStartsOverWhenEverythingWasAsked() {
    Variables v = makeState();
    setQuestions(v, {QStringLiteral("А?"), QStringLiteral("Б?"), QStringLiteral("В?")});
    v.AskedQuestions = {1, 2, 3};
    v.AskedQuestionCount = 3;
    FakeRandom r;
    r.pick(0, 3);
    askNow(r);
    r.pick(1, 3);
    r.pick(0, 1);
    QVERIFY(ProcessPhrase(v, QString(), r, FakeClock()).ProgramLine.endsWith(QStringLiteral("Б?")));
    QCOMPARE(v.AskedQuestions, QList<qint16>{2});
    QCOMPARE(v.AskedQuestionCount, qint16(1));
}

void tst_Turn::stuckRandomSourceStillEnds() {
    // A source that always gives the same number must not hold the turn in the redraw loop.
    class Stuck final : public RandomSource {
    public:
        double next() override { return 0.99; }
    } stuck;
    Variables v = makeState();
    setQuestions(v, {QStringLiteral("А?"), QStringLiteral("Б?"), QStringLiteral("В?")});
    v.AskedQuestions = {3};
    v.AskedQuestionCount = 1;
    const TurnResult t = ProcessPhrase(v, QString(), stuck, FakeClock());
    QVERIFY(t.ProgramLine.endsWith(QStringLiteral("Б?")));
    QCOMPARE(v.AskedQuestions, (QList<qint16>{3, 2}));
}

void tst_Turn::staleAskedIndexesAreHarmless() {
    Variables v = makeState();
    setQuestions(v, {QStringLiteral("А?"), QStringLiteral("Б?")});
    v.AskedQuestions = {7, 1, -4};
    v.AskedQuestionCount = 3;
    FakeRandom r;
    r.pick(0, 3);
    askNow(r);
    r.pick(1, 2);
    r.pick(0, 1);
    QVERIFY(ProcessPhrase(v, QString(), r, FakeClock()).ProgramLine.endsWith(QStringLiteral("Б?")));
    QCOMPARE(v.AskedQuestionCount, qint16(4));
}

void tst_Turn::noQuestionOnTheTurnThatStartsLearning() {
    Variables v = makeState();
    setQuestions(v, {QStringLiteral("Как тебя зовут?")});
    FakeRandom r;
    r.pick(0, 4);
    r.pick(0, 1);
    const TurnResult start = ProcessPhrase(v, QStringLiteral("Привет всем"), r, FakeClock());
    QCOMPARE(start.ProgramLine, QStringLiteral("<TK> А как бы ты на это ответил?"));
    QCOMPARE(r.remaining(), 0);

    r.pick(0, 4);
    askNow(r);
    r.pick(0, 1);
    QCOMPARE(ProcessPhrase(v, QStringLiteral("Привет"), r, FakeClock()).ProgramLine,
             QStringLiteral("<TK> Понятно. Как тебя зовут?"));
    QCOMPARE(r.remaining(), 0);
}

void tst_Turn::macros_data() {
    QTest::addColumn<QString>("reply");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("expanded");
    QTest::addColumn<bool>("stop");
    QTest::newRow("name keeps its case") << QStringLiteral("Привет, #NAME!") << QStringLiteral("Вася")
                                         << QStringLiteral("Привет, Вася!") << false;
    QTest::newRow("any letter case, twice")
        << QStringLiteral("#name и #NAME") << QStringLiteral("Вася") << QStringLiteral("Вася и Вася") << false;
    QTest::newRow("a long name pushes the second one past the scan")
        << QStringLiteral("#NAME #NAME") << QStringLiteral("Александра") << QStringLiteral("Александра #NAME") << false;
    QTest::newRow("time and date") << QStringLiteral("Сейчас #TIME, сегодня #DATE.") << QString()
                                   << QStringLiteral("Сейчас 21:07:45, сегодня 12-06-2026.") << false;
    QTest::newRow("stop leaves the blank")
        << QStringLiteral("До свидания! #STOP") << QString() << QStringLiteral("До свидания! ") << true;
    QTest::newRow("only the first stop") << QStringLiteral("#stop и #STOP") << QString() << QStringLiteral(" и #STOP")
                                         << true;
    QTest::newRow("unknown and split macros stay")
        << QStringLiteral("#NAMES # NAME #ДАТА") << QStringLiteral("Я") << QStringLiteral("ЯS # NAME #ДАТА") << false;
    QTest::newRow("macro at the very end")
        << QStringLiteral("x#time") << QString() << QStringLiteral("x21:07:45") << false;
    QTest::newRow("a name holding a macro meets the later passes")
        << QStringLiteral("#NAME") << QStringLiteral("#STOP") << QStringLiteral("") << true;
}

void tst_Turn::macros() {
    QFETCH(QString, reply);
    QFETCH(QString, name);
    QFETCH(QString, expanded);
    QFETCH(bool, stop);
    const FakeClock clock(QDateTime(QDate(2026, 12, 6), QTime(21, 7, 45)));
    const MacroResult r = ExpandMacros(reply, name, clock);
    QCOMPARE(r.text, expanded);
    QCOMPARE(r.stop, stop);
}

void tst_Turn::stopMacroEndsTheDialogue() {
    Variables v = makeState();
    setAnswers(v, {QStringLiteral("ПОКА "), QStringLiteral("До свидания! #STOP")});
    setQuestions(v, {QStringLiteral("Как дела?")});
    FakeRandom r;
    askNow(r);
    r.pick(0, 1);
    const TurnResult t = ProcessPhrase(v, QStringLiteral("пока"), r, FakeClock());
    QVERIFY(t.Stopped);
    QVERIFY(v.DialogSaved);
    QCOMPARE(t.ProgramLine, QStringLiteral("<TK> До свидания! "));
    QCOMPARE(t.paneAddition(), QStringLiteral("\r\n<ЧЕЛОВЕК>Пока.\r\n<TK> До свидания! \r\n\r\nДиалог завершен."));
    QCOMPARE(v.Mode, Modes::conversation());
}

QTEST_GUILESS_MAIN(tst_Turn)
#include "tst_turn.moc"
