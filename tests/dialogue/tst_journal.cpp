#include "core/Options.h"
#include "core/TextFile.h"
#include "core/Variables.h"
#include "dialogue/Dialogue.h"
#include "dialogue/Journal.h"
#include "support/FakeClock.h"
#include "support/FakeRandom.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest/QTest>

class tst_Journal : public QObject {
    Q_OBJECT
private slots:
    void init();
    void dateAndTimeForms_data();
    void dateAndTimeForms();
    void titleReplacesTheWholeFile();
    void headerStartsWithCrCrLf();
    void listCheckLeavesAnExistingJournalAlone_data();
    void listCheckLeavesAnExistingJournalAlone();
    void personStartsANewDialogue();
    void programStartsWithItsQuestion_data();
    void programStartsWithItsQuestion();
    void programCannotStartWithoutQuestions();
    void stopDisablesAndClosesThePane();
    void unwritableJournalNeverStopsATurn();

private:
    QTemporaryDir m_dir;
    QString m_log;
};

void tst_Journal::init() {
    m_log = m_dir.filePath(QStringLiteral("ChatList.log"));
    QFile::remove(m_log);
}

void tst_Journal::dateAndTimeForms_data() {
    QTest::addColumn<QDateTime>("when");
    QTest::addColumn<QString>("header");
    QTest::newRow("single digits padded")
        << QDateTime(QDate(2027, 1, 2), QTime(0, 0, 5)) << QStringLiteral("[Дата: 01-02-2027; Время: 00:00:05]");
    QTest::newRow("24-hour clock") << QDateTime(QDate(2026, 12, 31), QTime(23, 59, 59))
                                   << QStringLiteral("[Дата: 12-31-2026; Время: 23:59:59]");
}

void tst_Journal::dateAndTimeForms() {
    QFETCH(QDateTime, when);
    QFETCH(QString, header);
    QCOMPARE(Journal::headerLine(FakeClock(when)), header);
}

void tst_Journal::titleReplacesTheWholeFile() {
    QVERIFY(writeAll(m_log, QByteArray("old content\r\nmore\r\n")));
    QVERIFY(Journal::WriteJournalTitle(FakeClock(), m_log).ok());
    QCOMPARE(readAll(m_log), cp1251(QStringLiteral("Все диалоги с 12-06-2026 по сегодняшний день включительно.\r\n")));
}

void tst_Journal::headerStartsWithCrCrLf() {
    QVERIFY(Journal::AppendDialogHeader(FakeClock(), {QStringLiteral("<TK> Как дела?")}, m_log).ok());
    QCOMPARE(readAll(m_log), cp1251(QStringLiteral("\r\r\n[Дата: 12-06-2026; Время: 09:05:41]\r\n<TK> Как дела?\r\n")));
}

void tst_Journal::listCheckLeavesAnExistingJournalAlone_data() {
    QTest::addColumn<QByteArray>("content");
    QTest::newRow("a journal") << QByteArray("title\r\n\r\r\n[x]\r\n");
    QTest::newRow("an empty file") << QByteArray();
    QTest::newRow("no line end") << QByteArray("\xFF\x98");
}

void tst_Journal::listCheckLeavesAnExistingJournalAlone() {
    QFETCH(QByteArray, content);
    QVERIFY(writeAll(m_log, content));
    QVERIFY(Journal::ListCheck(FakeClock(), m_log).ok());
    QCOMPARE(readAll(m_log), content);

    QVERIFY(QFile::remove(m_log));
    QVERIFY(Journal::ListCheck(FakeClock(), m_log).ok());
    QCOMPARE(TextFile::readLines(m_log).value().size(), 1);
}

namespace {
Variables makeState() {
    Variables v;
    v.Mode = Modes::learning();
    v.HumanName = QStringLiteral("Человек");
    v.Alphabet = Options::defaultAlphabet();
    v.ShortPhraseLimit = OptionValue::fromText(QStringLiteral(" 7 "));
    v.PreviousPhrase = QStringLiteral("Раньше.");
    v.AskedQuestions = {3, 1};
    v.AskedQuestionCount = 2;
    v.DialogSaved = true;
    v.DialogFilePath = QStringLiteral("/somewhere/old.dlg");
    v.DialogFileTitle = QStringLiteral("old.dlg");
    return v;
}
} // namespace

void tst_Journal::personStartsANewDialogue() {
    Variables v = makeState();
    FakeRandom r;
    FakeClock clock;
    Dialogue d(v, r, clock);
    d.setJournalPath(m_log);
    QSignalSpy running(&d, &Dialogue::runningChanged);
    QCOMPARE(d.DialogNew(), Dialogue::NewResult::Started);
    QCOMPARE(d.paneText(),
             QStringLiteral("Новый диалог. Его начинаете вы. Введите свою реплику и нажмите клавишу 'Enter'.\r\n"));
    QCOMPARE(v.Mode, Modes::conversation());
    QVERIFY(v.PreviousPhrase.isEmpty());
    QCOMPARE(v.AskedQuestionCount, qint16(0));
    QVERIFY(v.AskedQuestions.isEmpty());
    QCOMPARE(v.DialogFileTitle, QStringLiteral("dialog.dlg"));
    QVERIFY(v.DialogFilePath.isEmpty());
    QVERIFY(!v.DialogSaved);
    QVERIFY(d.isRunning());
    QCOMPARE(running.size(), 1);
    QCOMPARE(d.caption(), QStringLiteral("Talkomat v1.0 [dialog.dlg]"));
    QCOMPARE(readAll(m_log), cp1251(QStringLiteral("\r\r\n[Дата: 12-06-2026; Время: 09:05:41]\r\n")));
}

void tst_Journal::programStartsWithItsQuestion_data() {
    QTest::addColumn<QStringList>("questions");
    QTest::addColumn<int>("pick");
    QTest::addColumn<int>("asked");
    QTest::newRow("one question, no draw") << QStringList{QStringLiteral("Как дела?")} << -1 << 1;
    QTest::newRow("the last one can come up")
        << QStringList{QStringLiteral("А?"), QStringLiteral("Как дела?")} << 1 << 2;
}

void tst_Journal::programStartsWithItsQuestion() {
    QFETCH(QStringList, questions);
    QFETCH(int, pick);
    QFETCH(int, asked);
    Variables v = makeState();
    v.QuestionBase = questions;
    v.QuestionCount = qint16(questions.size());
    FakeRandom r;
    if (pick >= 0)
        r.pick(pick, int(questions.size()));
    FakeClock clock;
    Dialogue d(v, r, clock);
    d.setJournalPath(m_log);
    d.setHumanStarts(false);
    QCOMPARE(d.DialogNew(), Dialogue::NewResult::Started);
    QCOMPARE(d.paneText(), QStringLiteral("Новый диалог. Его начинает программа. Введите свою реплику и нажмите "
                                          "клавишу 'Enter'.\r\n\r\n<TK> Как дела?"));
    QCOMPARE(v.AskedQuestions, QList<qint16>{qint16(asked)});
    QCOMPARE(v.AskedQuestionCount, qint16(1));
    // A dialogue the program opens keeps the mode and the previous phrase.
    QCOMPARE(v.Mode, Modes::learning());
    QCOMPARE(v.PreviousPhrase, QStringLiteral("Раньше."));
    QCOMPARE(r.remaining(), 0);
    QCOMPARE(readAll(m_log), cp1251(QStringLiteral("\r\r\n[Дата: 12-06-2026; Время: 09:05:41]\r\n<TK> Как дела?\r\n")));
}

void tst_Journal::programCannotStartWithoutQuestions() {
    Variables v = makeState();
    FakeRandom r;
    FakeClock clock;
    Dialogue d(v, r, clock);
    d.setJournalPath(m_log);
    d.DialogStop();
    const QString before = d.paneText();
    d.setHumanStarts(false);
    QCOMPARE(d.DialogNew(), Dialogue::NewResult::NoQuestions);
    QCOMPARE(d.paneText(), before);
    QVERIFY(!QFile::exists(m_log));
    QCOMPARE(v.Mode, Modes::learning());
    QCOMPARE(v.AskedQuestionCount, qint16(2));
    QCOMPARE(v.DialogFileTitle, QStringLiteral("dialog.dlg"));
    QVERIFY(v.DialogFilePath.isEmpty());
    QVERIFY(!v.DialogSaved);
    QVERIFY(d.isRunning());
    QCOMPARE(Dialogue::noQuestionsMessage(),
             QStringLiteral("Новый диалог не может быть начат, так\r\nкак программа не знает ни одного вопроса."));
}

void tst_Journal::stopDisablesAndClosesThePane() {
    Variables v = makeState();
    FakeRandom r;
    FakeClock clock;
    Dialogue d(v, r, clock);
    d.setJournalPath(m_log);
    d.DialogNew();
    const QByteArray journal = readAll(m_log);
    QSignalSpy appended(&d, &Dialogue::paneAppended);
    d.DialogStop();
    QVERIFY(!d.isRunning());
    QVERIFY(v.DialogSaved);
    QVERIFY(d.paneText().endsWith(QStringLiteral("'Enter'.\r\n\r\n\r\nДиалог завершен.")));
    QCOMPARE(appended.size(), 1);
    QCOMPARE(readAll(m_log), journal);
}

void tst_Journal::unwritableJournalNeverStopsATurn() {
    Variables v = makeState();
    v.Mode = Modes::conversation();
    FakeRandom r{0.0, 0.0};
    FakeClock clock;
    Dialogue d(v, r, clock);
    QVERIFY(QDir().mkdir(m_log));
    d.setJournalPath(m_log);
    QSignalSpy failed(&d, &Dialogue::journalFailed);
    d.DialogNew();
    QVERIFY(!d.journalResult().ok());
    const TurnResult t = d.Turn(QString());
    QCOMPARE(t.ProgramLine, QStringLiteral("<TK> Пожалуйста, не молчи!"));
    QVERIFY(d.paneText().endsWith(QStringLiteral("\r\n<ЧЕЛОВЕК>\r\n<TK> Пожалуйста, не молчи!")));
    QVERIFY(d.journalResult().error().contains(QStringLiteral("ChatList.log")));
    QCOMPARE(failed.size(), 1); // told once, not for every line
    QVERIFY(QDir().rmdir(m_log));
}

QTEST_GUILESS_MAIN(tst_Journal)
#include "tst_journal.moc"
