#include "core/BaseFiles.h"
#include "core/Bases.h"
#include "core/Options.h"
#include "core/TextFile.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest/QTest>

class tst_Bases : public QObject {
    Q_OBJECT
private slots:
    void init();
    void loadCounts_data();
    void loadCounts();
    void lineLimit();
    void synonymsAreUpperCasedAndSavedSo();
    void changedFlags();
    void failedLoadKeepsTheBase();
    void saveWritesAllThreeExactly();
    void failedSaveKeepsThePreviousFile();
    void baseKind_data();
    void baseKind();
    void appendRespectsTheLimit();
    void chooseBase_data();
    void chooseBase();

private:
    QString path(const char* name) const { return m_dir.filePath(QLatin1String(name)); }
    QTemporaryDir m_dir;
    Variables m_v;
};

void tst_Bases::init() {
    m_v = Variables();
    m_v.AnswerBaseFile = path("a.tka");
    m_v.QuestionBaseFile = path("q.tkq");
    m_v.SynonymBaseFile = path("s.tks");
}

void tst_Bases::loadCounts_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("count");
    QTest::newRow("empty file") << QByteArray() << 0;
    QTest::newRow("odd count is accepted") << QByteArray("A \r\nAnswer.\r\nB \r\n") << 3;
    QTest::newRow("no final line end") << QByteArray("A \r\nAnswer.") << 2;
    QTest::newRow("empty line counts") << QByteArray("\r\n") << 1;
}

void tst_Bases::loadCounts() {
    QFETCH(QByteArray, bytes);
    QFETCH(int, count);
    QVERIFY(writeAll(m_v.AnswerBaseFile, bytes));
    QVERIFY(LoadAnswers(m_v).ok());
    QCOMPARE(int(m_v.AnswerCount), count);
    QCOMPARE(m_v.AnswerBase.size(), count);
}

void tst_Bases::lineLimit() {
    QByteArray bytes;
    for (int i = 0; i < Variables::MaxLines; ++i)
        bytes += "x\r\n";
    QVERIFY(writeAll(m_v.QuestionBaseFile, bytes));
    QVERIFY(LoadQuestions(m_v).ok());
    QCOMPARE(m_v.QuestionCount, Variables::MaxLines);

    QVERIFY(writeAll(m_v.QuestionBaseFile, bytes + "x\r\n"));
    const Result r = LoadQuestions(m_v);
    QVERIFY(!r.ok());
    QVERIFY(r.error().contains(QStringLiteral("q.tkq")));
    QCOMPARE(m_v.QuestionCount, Variables::MaxLines);
}

void tst_Bases::synonymsAreUpperCasedAndSavedSo() {
    QVERIFY(writeAll(m_v.SynonymBaseFile, cp1251(QStringLiteral(" привет \r\n здравствуй \r\n"))));
    QVERIFY(LoadSinonims(m_v).ok());
    QCOMPARE(m_v.SynonymBase, (QStringList{QStringLiteral(" ПРИВЕТ "), QStringLiteral(" ЗДРАВСТВУЙ ")}));
    QVERIFY(SaveBases(m_v).ok());
    QCOMPARE(readAll(m_v.SynonymBaseFile), cp1251(QStringLiteral(" ПРИВЕТ \r\n ЗДРАВСТВУЙ \r\n")));

    // The micro sign's capital is Greek, which the code page cannot hold: it stays as it is, so the base reads
    // back the same after a save.
    QVERIFY(writeAll(m_v.SynonymBaseFile, QByteArray(" \xB5\xE3 \r\n")));
    QVERIFY(LoadSinonims(m_v).ok());
    QCOMPARE(m_v.SynonymBase, QStringList{QStringLiteral(" µГ ")});
    QVERIFY(SaveBases(m_v).ok());
    QCOMPARE(readAll(m_v.SynonymBaseFile), QByteArray(" \xB5\xC3 \r\n"));
}

void tst_Bases::changedFlags() {
    for (const QString& p : {m_v.AnswerBaseFile, m_v.QuestionBaseFile, m_v.SynonymBaseFile})
        QVERIFY(writeAll(p, QByteArray("X \r\nY\r\n")));
    m_v.AnswerBaseChanged = m_v.QuestionBaseChanged = m_v.SynonymBaseChanged = true;
    QVERIFY(LoadAnswers(m_v).ok());
    QVERIFY(LoadQuestions(m_v).ok());
    QVERIFY(LoadSinonims(m_v).ok());
    // Once the answers changed, loading another answer file must not make shut-down forget to offer saving.
    QVERIFY(m_v.AnswerBaseChanged);
    QVERIFY(!m_v.QuestionBaseChanged);
    QVERIFY(!m_v.SynonymBaseChanged);
}

void tst_Bases::failedLoadKeepsTheBase() {
    m_v.QuestionBase = {QStringLiteral("Как дела?")};
    m_v.QuestionCount = 1;
    m_v.QuestionBaseChanged = true;
    m_v.QuestionBaseFile = path("missing.tkq");
    const Result r = LoadQuestions(m_v);
    QVERIFY(!r.ok());
    QVERIFY(r.error().contains(QStringLiteral("missing.tkq")));
    QCOMPARE(m_v.QuestionBase, QStringList{QStringLiteral("Как дела?")});
    QCOMPARE(m_v.QuestionCount, qint16(1));
    QVERIFY(m_v.QuestionBaseChanged);
}

void tst_Bases::saveWritesAllThreeExactly() {
    m_v.AnswerBase = {QStringLiteral("ПРИВЕТ "), QStringLiteral("Привет!  ")};
    m_v.AnswerCount = 2;
    m_v.SynonymBase = {QStringLiteral(" А "), QStringLiteral(" Б ")};
    m_v.SynonymCount = 2;
    m_v.SynonymBaseChanged = true;
    QVERIFY(writeAll(m_v.QuestionBaseFile, QByteArray("old\r\n")));
    QVERIFY(SaveBases(m_v).ok());
    QCOMPARE(readAll(m_v.QuestionBaseFile), QByteArray());
    QCOMPARE(readAll(m_v.AnswerBaseFile), cp1251(QStringLiteral("ПРИВЕТ \r\nПривет!  \r\n")));
    QCOMPARE(readAll(m_v.SynonymBaseFile), cp1251(QStringLiteral(" А \r\n Б \r\n")));
    QVERIFY(m_v.SynonymBaseChanged);
}

void tst_Bases::failedSaveKeepsThePreviousFile() {
    QVERIFY(writeAll(m_v.QuestionBaseFile, QByteArray("old question\r\n")));
    m_v.QuestionBase = {QStringLiteral("new")};
    m_v.QuestionCount = 1;
    m_v.AnswerBaseFile = path("folder.tka");
    QVERIFY(QDir().mkdir(m_v.AnswerBaseFile));
    const Result r = SaveBases(m_v);
    QVERIFY(!r.ok());
    QVERIFY(r.error().contains(QStringLiteral("folder.tka")));
    // The answers could not be written; the other two still were.
    QCOMPARE(readAll(m_v.QuestionBaseFile), QByteArray("new\r\n"));
    QVERIFY(QFile::exists(m_v.SynonymBaseFile));
}

void tst_Bases::baseKind_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("kind");
    QTest::newRow("answers") << QStringLiteral("/home/x/my.tka") << int(BaseKind::Answers);
    QTest::newRow("questions") << QStringLiteral("q.tkq") << int(BaseKind::Questions);
    QTest::newRow("synonyms") << QStringLiteral("s.tks") << int(BaseKind::Synonyms);
    QTest::newRow("letter case counts") << QStringLiteral("S.TKS") << int(BaseKind::None);
    QTest::newRow("other") << QStringLiteral("notes.txt") << int(BaseKind::None);
    QTest::newRow("short") << QStringLiteral("tka") << int(BaseKind::None);
}

void tst_Bases::baseKind() {
    QFETCH(QString, name);
    QFETCH(int, kind);
    QCOMPARE(int(baseKindOf(name)), kind);
}

void tst_Bases::appendRespectsTheLimit() {
    QStringList base(Variables::MaxLines - 1, QStringLiteral("x"));
    qint16 count = qint16(base.size());
    QVERIFY(!appendBaseLines(base, count, {QStringLiteral("a"), QStringLiteral("b")}));
    QCOMPARE(count, qint16(Variables::MaxLines - 1));
    QCOMPARE(base.size(), Variables::MaxLines - 1);
    QVERIFY(appendBaseLines(base, count, {QStringLiteral("a")}));
    QCOMPARE(count, Variables::MaxLines);
}

void tst_Bases::chooseBase_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes"); // empty: the file does not exist
    QTest::addColumn<bool>("loads");
    QTest::newRow("answers") << QStringLiteral("new.tka") << QByteArray("X \r\nY.\r\n") << true;
    QTest::newRow("capital extension loads nothing")
        << QStringLiteral("NEW.TKA") << QByteArray("X \r\nY.\r\n") << false;
    QTest::newRow("unreadable file keeps the base and its path") << QStringLiteral("gone.tka") << QByteArray() << false;
}

void tst_Bases::chooseBase() {
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QFETCH(bool, loads);
    m_v.AnswerBase = {QStringLiteral("OLD "), QStringLiteral("Old.")};
    m_v.AnswerCount = 2;
    const QString chosen = m_dir.filePath(name);
    if (!bytes.isEmpty())
        QVERIFY(writeAll(chosen, bytes));
    const QString options = path("tk.ini");
    QFile::remove(options);

    const Result<> r = ChooseBase(m_v, chosen, ProgramFolder(m_dir.path()));

    QCOMPARE(r.ok(), loads || !bytes.isEmpty());
    QCOMPARE(m_v.AnswerBaseFile, loads ? chosen : path("a.tka"));
    QCOMPARE(m_v.AnswerBase,
             loads ? TextFile::splitLines(bytes) : QStringList({QStringLiteral("OLD "), QStringLiteral("Old.")}));
    // The options file is written whenever a file was chosen, even with nothing to change.
    QCOMPARE(TextFile::readLines(options).value().value(1), m_v.AnswerBaseFile);
}

QTEST_GUILESS_MAIN(tst_Bases)
#include "tst_bases.moc"
