#include "core/Options.h"
#include "core/TextFile.h"
#include "core/Variables.h"
#include "dialogue/Dialogue.h"
#include "dialogue/Journal.h"
#include "support/FakeClock.h"
#include "support/FakeRandom.h"
#include "support/TestFiles.h"

#include <QTemporaryDir>
#include <QtTest/QTest>

// A whole dialogue, draw by draw, checked against the exact bytes of the journal and the pane.
class tst_Conversation : public QObject {
    Q_OBJECT
private slots:
    void scriptedConversation();
};

namespace {
void ask(FakeRandom& r) {
    r.pick(2, 3);
}
void dontAsk(FakeRandom& r) {
    r.pick(0, 3);
    r.pick(1, 3);
}
} // namespace

void tst_Conversation::scriptedConversation() {
    QTemporaryDir dir;
    const QString log = dir.filePath(QStringLiteral("ChatList.log"));
    Variables v;
    v.Mode = Modes::conversation();
    v.HumanName = QStringLiteral("Вася");
    v.Alphabet = Options::defaultAlphabet();
    v.ShortPhraseLimit = OptionValue::fromText(QStringLiteral(" 7 "));
    v.AnswerBase = {QStringLiteral("ПРИВЕТ "),      QStringLiteral("Привет, #NAME!"),
                    QStringLiteral("КАК ДЕЛА "),    QStringLiteral("Хорошо, а у тебя?"),
                    QStringLiteral("КОТОРЫЙ ЧАС "), QStringLiteral("Сейчас #TIME."),
                    QStringLiteral("КАКОЕ ЧИСЛО "), QStringLiteral("Сегодня #date."),
                    QStringLiteral("ПОКА "),        QStringLiteral("До свидания! #STOP")};
    v.AnswerCount = qint16(v.AnswerBase.size());
    v.SynonymBase = {QStringLiteral(" ЗДРАВСТВУЙ "), QStringLiteral(" ПРИВЕТ "), QStringLiteral(" ПРИВЕТ "),
                     QStringLiteral(" ЗДРАВСТВУЙ ")};
    v.SynonymCount = 4;
    v.QuestionBase = {QStringLiteral("Ты любишь музыку?"), QStringLiteral("Как тебя зовут?")};
    v.QuestionCount = 2;

    FakeRandom r;
    FakeClock clock;
    Dialogue d(v, r, clock);
    d.setJournalPath(log);
    QVERIFY(Journal::WriteJournalTitle(clock, log).ok());
    QCOMPARE(d.DialogNew(), Dialogue::NewResult::Started);

    using K = TurnWhy::Kind;
    struct Step {
        QString phrase;
        std::function<void()> draws;
        QString human;
        QString program;
        // Why, as the dialogue's record tells it: the kind, the drawn or learned pair, the appended question.
        K kind;
        int pair = 0;
        int question = 0;
    };
    const QList<Step> steps = {
        {QString(),
         [&] {
             r.pick(2, 3);
             ask(r);
             r.pick(0, 2);
             r.pick(0, 1);
         },
         QStringLiteral("<ВАСЯ>"), QStringLiteral("<TK> Давай поговорим. Ты любишь музыку?"), K::Silence, 0, 1},
        {QStringLiteral("здравствуй"),
         [&] {
             dontAsk(r);
             r.pick(0, 1);
         },
         QStringLiteral("<ВАСЯ>Здравствуй."), QStringLiteral("<TK> Привет, Вася!"), K::Answer, 1},
        {QStringLiteral("ЗДРАВСТВУЙ"),
         [&] {
             r.pick(1, 3);
             dontAsk(r);
             r.pick(0, 1);
         },
         QStringLiteral("<ВАСЯ>ЗДРАВСТВУЙ."), QStringLiteral("<TK> Ты это уже говорил!"), K::Repetition},
        {QStringLiteral("ну как дела"),
         [&] {
             ask(r);
             r.pick(0, 2);
             r.pick(1, 2);
             r.pick(0, 1);
         },
         QStringLiteral("<ВАСЯ>Ну как дела."), QStringLiteral("<TK> Хорошо, а у тебя?"), K::Answer, 2},
        // Both questions are used up: the list starts over.
        {QStringLiteral("Кот"),
         [&] {
             r.pick(4, 5);
             ask(r);
             r.pick(0, 2);
             r.pick(0, 1);
         },
         QStringLiteral("<ВАСЯ>Кот."), QStringLiteral("<TK> Не понял! Ты любишь музыку?"), K::Rebuke, 0, 1},
        {QStringLiteral("Я люблю джаз"),
         [&] {
             r.pick(0, 4);
             r.pick(0, 1);
         },
         QStringLiteral("<ВАСЯ>Я люблю джаз."), QStringLiteral("<TK> А как бы ты на это ответил?"),
         K::LearningQuestion},
        {QStringLiteral("джаз это здорово"),
         [&] {
             r.pick(3, 4);
             dontAsk(r);
             r.pick(0, 1);
         },
         QStringLiteral("<ВАСЯ>Джаз это здорово."), QStringLiteral("<TK> Всё ясно."), K::Taught, 6},
        {QStringLiteral("Расскажи мне про свою жизнь"),
         [&] {
             r.pick(1, 4);
             r.pick(0, 1);
         },
         QStringLiteral("<ВАСЯ>Расскажи мне про свою жизнь."), QStringLiteral("<TK> Что бы ты сказал на это?"),
         K::LearningQuestion},
        {QStringLiteral(" моя жизнь прекрасна, #name "),
         [&] {
             r.pick(0, 4);
             ask(r);
             r.pick(2, 3);
             r.pick(0, 1);
         },
         QStringLiteral("<ВАСЯ>Моя жизнь прекрасна, #name."),
         QStringLiteral("<TK> Понятно. Расскажи мне про свою жизнь."), K::Taught, 7, 3},
        {QStringLiteral("который час?"),
         [&] {
             dontAsk(r);
             r.pick(0, 1);
         },
         QStringLiteral("<ВАСЯ>Который час?"), QStringLiteral("<TK> Сейчас 09:05:41."), K::Answer, 3},
        {QStringLiteral("какое сегодня число"),
         [&] {
             dontAsk(r);
             r.pick(0, 1);
         },
         QStringLiteral("<ВАСЯ>Какое сегодня число."), QStringLiteral("<TK> Сегодня 12-06-2026."), K::Answer, 4},
        {QStringLiteral("расскажи мне про свою жизнь!"),
         [&] {
             dontAsk(r);
             r.pick(0, 1);
         },
         QStringLiteral("<ВАСЯ>Расскажи мне про свою жизнь!"), QStringLiteral("<TK> Моя жизнь прекрасна, Вася."),
         K::Answer, 7},
        {QStringLiteral("ну пока"),
         [&] {
             ask(r);
             r.pick(1, 3);
             r.pick(0, 1);
         },
         QStringLiteral("<ВАСЯ>Ну пока."), QStringLiteral("<TK> До свидания! "), K::Answer, 5},
    };

    QStringList journal{Journal::titleLine(clock), QStringLiteral("\r"), Journal::headerLine(clock)};
    QString pane = Dialogue::humanStartsIntro() + QStringLiteral("\r\n");
    for (qsizetype k = 0; k < steps.size(); ++k) {
        const Step& step = steps.at(k);
        QVERIFY(d.isRunning());
        step.draws();
        const qsizetype programLine = d.paneText().size() + 2 + step.human.size() + 2;
        const TurnResult t = d.Turn(step.phrase);
        QCOMPARE(t.HumanLine, step.human);
        QCOMPARE(t.ProgramLine, step.program);
        QVERIFY2(!r.ranDry() && r.remaining() == 0, qPrintable(step.phrase));
        journal << step.human << step.program;
        pane += QStringLiteral("\r\n") + step.human + QStringLiteral("\r\n") + step.program;
        // By a position anywhere on the program's line and by its number (intro, empty line, then two a turn).
        for (const TurnExplanation& e : {d.explainAt(programLine + step.program.size()), d.explainLine(3 + 2 * k)}) {
            QCOMPARE(e.availability, TurnExplanation::Availability::Recorded);
            QCOMPARE(e.why.kind, step.kind);
            QCOMPARE(int(e.why.pair), step.pair);
            QCOMPARE(int(e.why.question), step.question);
            QCOMPARE(e.phrase, step.human.mid(6));
        }
    }
    QCOMPARE(d.turnRecords().size(), steps.size());
    pane += QStringLiteral("\r\n\r\nДиалог завершен.");

    QVERIFY(!d.isRunning());
    QVERIFY(v.DialogSaved);
    QCOMPARE(d.paneText(), pane);
    QCOMPARE(readAll(log), TextFile::joinLines(journal));
    QVERIFY(readAll(log).contains(cp1251(QStringLiteral("\r\r\n[Дата: 12-06-2026; Время: 09:05:41]\r\n<ВАСЯ>\r\n"))));
    QCOMPARE(v.AnswerBase.mid(10), (QStringList{QStringLiteral("Я ЛЮБЛЮ ДЖАЗ "), QStringLiteral("Джаз это здорово."),
                                                QStringLiteral("РАССКАЖИ МНЕ ПРО СВОЮ ЖИЗНЬ "),
                                                QStringLiteral("Моя жизнь прекрасна, #name.")}));
    QCOMPARE(v.QuestionBase.last(), QStringLiteral("Расскажи мне про свою жизнь."));
    QCOMPARE(v.AskedQuestions, (QList<qint16>{1, 3, 2}));
    QVERIFY(v.AnswerBaseChanged && v.QuestionBaseChanged && !v.SynonymBaseChanged);

    // After the stop the engine itself still answers a turn (the on-screen keyboard's Enter reaches it).
    r.pick(0, 3);
    dontAsk(r);
    r.pick(0, 1);
    QCOMPARE(d.Turn(QString()).ProgramLine, QStringLiteral("<TK> Пожалуйста, не молчи!"));
}

QTEST_GUILESS_MAIN(tst_Conversation)
#include "tst_conversation.moc"
