#include "core/Options.h"
#include "core/TextFile.h"
#include "core/Variables.h"
#include "dialogue/Dialogue.h"
#include "dialogue/DialogueFile.h"
#include "dialogue/Journal.h"
#include "support/FakeClock.h"
#include "support/FakeRandom.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest/QTest>

class tst_DialogueFile : public QObject {
    Q_OBJECT
private slots:
    void init();
    void firstDialogueSavesExactly();
    void saveOpenSaveIsByteIdentical();
    void openedStoppedDialogueRunsAndJournals();
    void damagedFileLeavesTheDialogueUntouched_data();
    void damagedFileLeavesTheDialogueUntouched();
    void failedSaveKeepsNameAndFlag();

private:
    QTemporaryDir m_dir;
    QString m_log;
    Variables m_v;
    FakeRandom m_random;
    FakeClock m_clock;
};

void tst_DialogueFile::init() {
    m_log = m_dir.filePath(QStringLiteral("ChatList.log"));
    QFile::remove(m_log);
    m_v = Variables();
    m_v.Mode = Modes::conversation();
    m_v.HumanName = QStringLiteral("Человек");
    m_v.Alphabet = Options::defaultAlphabet();
    m_v.ShortPhraseLimit = OptionValue::fromText(QStringLiteral(" 7 "));
}

void tst_DialogueFile::firstDialogueSavesExactly() {
    Dialogue d(m_v, m_random, m_clock);
    d.setJournalPath(m_log);
    d.DialogNew();
    const QString path = m_dir.filePath(QStringLiteral("first.dlg"));
    QVERIFY(d.saveTo(path).ok());
    QCOMPARE(readAll(path),
             cp1251(QStringLiteral("разговор\r\n\r\n\r\n\r\n 0 \r\nНовый диалог. Его начинаете вы. Введите "
                                   "свою реплику и нажмите клавишу 'Enter'.\r\n\r\n")));
    QCOMPARE(m_v.DialogFilePath, path);
    QCOMPARE(m_v.DialogFileTitle, QStringLiteral("first.dlg"));
    QVERIFY(m_v.DialogSaved);
    QCOMPARE(d.caption(), QStringLiteral("Talkomat v1.0 [first.dlg]"));
}

void tst_DialogueFile::saveOpenSaveIsByteIdentical() {
    m_v.QuestionBase = {QStringLiteral("А?"), QStringLiteral("Б?"), QStringLiteral("В?")};
    m_v.QuestionCount = 3;
    Dialogue d(m_v, m_random, m_clock);
    d.setJournalPath(m_log);
    d.setHumanStarts(false);
    m_random.pick(1, 3);
    d.DialogNew();
    m_random.pick(0, 4);
    m_random.pick(0, 1);
    d.Turn(QStringLiteral("Очень странная фраза \x98 €"));
    QCOMPARE(m_v.Mode, Modes::learning());
    m_v.AskedQuestions = {2, -5, 300};
    m_v.AskedQuestionCount = 3;

    const QString first = m_dir.filePath(QStringLiteral("a.dlg"));
    const QString second = m_dir.filePath(QStringLiteral("b.dlg"));
    QVERIFY(d.saveTo(first).ok());
    Variables other = m_v;
    other.Mode.clear();
    other.AskedQuestions.clear();
    other.AskedQuestionCount = 0;
    Dialogue reopened(other, m_random, m_clock);
    reopened.setJournalPath(m_log);
    QVERIFY(reopened.openFrom(first).ok());
    QCOMPARE(reopened.paneText(), d.paneText());
    QCOMPARE(other.Mode, Modes::learning());
    QCOMPARE(other.PendingKeys, m_v.PendingKeys);
    QCOMPARE(other.AskedQuestions, (QList<qint16>{2, -5, 300}));
    QVERIFY(reopened.saveTo(second).ok());
    QCOMPARE(readAll(second), readAll(first));
}

void tst_DialogueFile::openedStoppedDialogueRunsAndJournals() {
    const QString path = m_dir.filePath(QStringLiteral("stopped.dlg"));
    QVERIFY(writeAll(path, cp1251(QStringLiteral("разговор\r\nПока.\r\n\r\nпока\r\n 1 \r\n 2 \r\nВступление.\r\n\r\n"
                                                 "<ЧЕЛОВЕК>Пока.\r\n<TK> До свидания! \r\n\r\nДиалог завершен.\r\n"))));
    QVERIFY(writeAll(m_log, QByteArray("title\r\n")));
    Dialogue d(m_v, m_random, m_clock);
    d.setJournalPath(m_log);
    d.DialogStop();
    QVERIFY(!d.isRunning());
    QVERIFY(d.openFrom(path).ok());
    QVERIFY(d.isRunning());
    QVERIFY(m_v.DialogSaved);
    QCOMPARE(m_v.DialogFileTitle, QStringLiteral("stopped.dlg"));
    QCOMPARE(d.paneText(),
             QStringLiteral("Вступление.\r\n\r\n<ЧЕЛОВЕК>Пока.\r\n<TK> До свидания! \r\n\r\nДиалог завершен."));
    QCOMPARE(readAll(m_log),
             cp1251(QStringLiteral("title\r\n\r\r\n[Дата: 12-06-2026; Время: 09:05:41]\r\n\r\n"
                                   "<ЧЕЛОВЕК>Пока.\r\n<TK> До свидания! \r\n\r\nДиалог завершен.\r\n")));
    m_random.pick(0, 3);
    m_random.pick(0, 1);
    d.Turn(QString());
    QVERIFY(d.paneText().endsWith(QStringLiteral("Диалог завершен.\r\n<ЧЕЛОВЕК>\r\n<TK> Пожалуйста, не молчи!")));
}

void tst_DialogueFile::damagedFileLeavesTheDialogueUntouched_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("ends before the count") << QByteArray("a\r\nb\r\nc\r\nd\r\n");
    QTest::newRow("count is not a number") << QByteArray("a\r\nb\r\nc\r\nd\r\nthree\r\npane\r\n");
    QTest::newRow("negative count") << QByteArray("a\r\nb\r\nc\r\nd\r\n-1 \r\npane\r\n");
    QTest::newRow("count beyond 16 bits") << QByteArray("a\r\nb\r\nc\r\nd\r\n 40000 \r\npane\r\n");
    QTest::newRow("index is not a number") << QByteArray("a\r\nb\r\nc\r\nd\r\n 2 \r\n 1 \r\nx\r\npane\r\n");
    QTest::newRow("ends among the indexes") << QByteArray("a\r\nb\r\nc\r\nd\r\n 3 \r\n 1 \r\n 2 \r\n");
    QTest::newRow("no pane text") << QByteArray("a\r\nb\r\nc\r\nd\r\n 1 \r\n 1 \r\n");
}

void tst_DialogueFile::damagedFileLeavesTheDialogueUntouched() {
    QFETCH(QByteArray, bytes);
    const QString path = m_dir.filePath(QStringLiteral("damaged.dlg"));
    QVERIFY(writeAll(path, bytes));
    Dialogue d(m_v, m_random, m_clock);
    d.setJournalPath(m_log);
    d.DialogNew();
    m_v.AskedQuestions = {4};
    m_v.AskedQuestionCount = 1;
    m_v.PreviousPhrase = QStringLiteral("Было.");
    const Variables before = m_v;
    const QString pane = d.paneText();
    const QByteArray journal = readAll(m_log);
    const Result r = d.openFrom(path);
    QVERIFY(!r.ok());
    QVERIFY(r.error().contains(QStringLiteral("damaged.dlg")));
    QCOMPARE(d.paneText(), pane);
    QCOMPARE(m_v.Mode, before.Mode);
    QCOMPARE(m_v.PreviousPhrase, before.PreviousPhrase);
    QCOMPARE(m_v.AskedQuestions, before.AskedQuestions);
    QCOMPARE(m_v.DialogFileTitle, before.DialogFileTitle);
    QCOMPARE(m_v.DialogSaved, before.DialogSaved);
    QCOMPARE(readAll(m_log), journal);

    QVERIFY(!d.openFrom(m_dir.filePath(QStringLiteral("missing.dlg"))).ok());
    QCOMPARE(d.paneText(), pane);
}

void tst_DialogueFile::failedSaveKeepsNameAndFlag() {
    Dialogue d(m_v, m_random, m_clock);
    d.setJournalPath(m_log);
    d.DialogNew();
    const QString folder = m_dir.filePath(QStringLiteral("folder.dlg"));
    QVERIFY(QDir().mkdir(folder));
    const Result r = d.saveTo(folder);
    QVERIFY(!r.ok());
    QVERIFY(r.error().contains(QStringLiteral("folder.dlg")));
    QVERIFY(!m_v.DialogSaved);
    QCOMPARE(m_v.DialogFileTitle, QStringLiteral("dialog.dlg"));
    QVERIFY(m_v.DialogFilePath.isEmpty());
}

QTEST_GUILESS_MAIN(tst_DialogueFile)
#include "tst_dialoguefile.moc"
