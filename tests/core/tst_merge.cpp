#include "core/Merge.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest/QTest>

class tst_Merge : public QObject {
    Q_OBJECT
private slots:
    void shownName_data();
    void shownName();
    void targetFilter_data();
    void targetFilter();
    void concatenates_data();
    void concatenates();
    void targetMayBeASource();
    void failureLeavesTheTarget();
    void selection_data();
    void selection();
};

void tst_Merge::shownName_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("caption");
    QTest::newRow("20 characters whole") << QStringLiteral("/home/user/basa1.tka")
                                         << QStringLiteral("1-я база (/home/user/basa1.tka)");
    QTest::newRow("21 characters cut") << QStringLiteral("/home/user/basa12.tka")
                                       << QStringLiteral("1-я база (/home/user/basa12.tk...)");
    QTest::newRow("none") << QString() << QStringLiteral("1-я база");
}

void tst_Merge::shownName() {
    QFETCH(QString, path);
    QFETCH(QString, caption);
    QCOMPARE(Merge::firstCaption(path), caption);
}

void tst_Merge::targetFilter_data() {
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("filter");
    QTest::newRow("answers") << QStringLiteral("a.tka") << QStringLiteral("Базы знаний ответов (*.tka)|*.tka");
    QTest::newRow("questions") << QStringLiteral("a.tkq") << QStringLiteral("Базы знаний вопросов (*.tkq)|*.tkq");
    QTest::newRow("synonyms") << QStringLiteral("a.tks") << QStringLiteral("Базы знаний синонимов (*.tks)|*.tks");
    QTest::newRow("unknown kind offers every kind") << QStringLiteral("a.txt") << Merge::sourceFilter();
}

void tst_Merge::targetFilter() {
    QFETCH(QString, first);
    QFETCH(QString, filter);
    QCOMPARE(Merge::targetFilter(first), filter);
}

void tst_Merge::concatenates_data() {
    QTest::addColumn<QByteArray>("first");
    QTest::addColumn<QByteArray>("second");
    QTest::addColumn<QByteArray>("merged");
    QTest::newRow("4 and 6 lines") << QByteArray("1\r\n2\r\n3\r\n4\r\n") << QByteArray("a\r\nb\r\nc\r\nd\r\ne\r\nf\r\n")
                                   << QByteArray("1\r\n2\r\n3\r\n4\r\na\r\nb\r\nc\r\nd\r\ne\r\nf\r\n");
    QTest::newRow("no final line ends") << QByteArray("1\r\n2") << QByteArray("a") << QByteArray("1\r\n2\r\na\r\n");
    QTest::newRow("letter case and duplicates kept")
        << QByteArray(" \xEA\xEE\xF2 \r\n") << QByteArray(" \xEA\xEE\xF2 \r\n")
        << QByteArray(" \xEA\xEE\xF2 \r\n \xEA\xEE\xF2 \r\n");
    QTest::newRow("empty sources") << QByteArray() << QByteArray() << QByteArray();
}

void tst_Merge::concatenates() {
    QFETCH(QByteArray, first);
    QFETCH(QByteArray, second);
    QFETCH(QByteArray, merged);
    QTemporaryDir dir;
    const QString a = dir.filePath(QStringLiteral("a.tka"));
    const QString b = dir.filePath(QStringLiteral("b.tka"));
    const QString t = dir.filePath(QStringLiteral("t.tka"));
    QVERIFY(writeAll(a, first));
    QVERIFY(writeAll(b, second));
    QVERIFY(writeAll(t, QByteArray("previous target content\r\n")));
    QVERIFY(Merge::MergeBases(a, b, t).ok());
    QCOMPARE(readAll(t), merged);
    QCOMPARE(readAll(a), first);
}

void tst_Merge::targetMayBeASource() {
    QTemporaryDir dir;
    const QString a = dir.filePath(QStringLiteral("a.tkq"));
    const QString b = dir.filePath(QStringLiteral("b.tkq"));
    QVERIFY(writeAll(a, QByteArray("1\r\n")));
    QVERIFY(writeAll(b, QByteArray("2\r\n")));
    QVERIFY(Merge::MergeBases(a, b, b).ok());
    QCOMPARE(readAll(b), QByteArray("1\r\n2\r\n"));
}

void tst_Merge::failureLeavesTheTarget() {
    QTemporaryDir dir;
    const QString a = dir.filePath(QStringLiteral("a.tkq"));
    const QString t = dir.filePath(QStringLiteral("t.tkq"));
    QVERIFY(writeAll(a, QByteArray("1\r\n")));
    QVERIFY(writeAll(t, QByteArray("keep\r\n")));
    const Result r = Merge::MergeBases(a, dir.filePath(QStringLiteral("gone.tkq")), t);
    QVERIFY(!r.ok());
    QVERIFY(r.error().contains(QStringLiteral("gone.tkq")));
    QCOMPARE(readAll(t), QByteArray("keep\r\n"));
}

// The menu's logic without the menu: which sources count as chosen after a series of choices.
void tst_Merge::selection_data() {
    QTest::addColumn<QStringList>("choices"); // "1 path" or "2 path", in order
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");
    QTest::addColumn<bool>("ready");
    QTest::newRow("nothing chosen") << QStringList() << QStringLiteral("1-я база") << QStringLiteral("2-я база")
                                    << false;
    QTest::newRow("two of a kind") << QStringList{QStringLiteral("1 /a/b.tka"), QStringLiteral("2 /a/c.tka")}
                                   << QStringLiteral("1-я база (/a/b.tka)") << QStringLiteral("2-я база (/a/c.tka)")
                                   << true;
    QTest::newRow("another kind un-chooses the other")
        << QStringList{QStringLiteral("1 /a/b.tka"), QStringLiteral("2 /a/c.tkq")} << QStringLiteral("1-я база")
        << QStringLiteral("2-я база (/a/c.tkq)") << false;
    QTest::newRow("the same file un-chooses the other")
        << QStringList{QStringLiteral("1 /a/b.tka"), QStringLiteral("2 /a/b.tka")} << QStringLiteral("1-я база")
        << QStringLiteral("2-я база (/a/b.tka)") << false;
    // The un-chosen source keeps its path but stays un-chosen until it is chosen again.
    QTest::newRow("back to the first kind stays not ready")
        << QStringList{QStringLiteral("1 /a/b.tka"), QStringLiteral("2 /a/c.tka"), QStringLiteral("1 /a/d.tks"),
                       QStringLiteral("1 /a/e.tka")}
        << QStringLiteral("1-я база (/a/e.tka)") << QStringLiteral("2-я база") << false;
}

void tst_Merge::selection() {
    QFETCH(QStringList, choices);
    Variables v;
    Merge::MergeSelection selection(v);
    for (const QString& choice : choices) {
        if (choice.startsWith(QLatin1Char('1')))
            selection.chooseFirst(choice.mid(2));
        else
            selection.chooseSecond(choice.mid(2));
    }
    QTEST(selection.firstCaption(), "first");
    QTEST(selection.secondCaption(), "second");
    QTEST(selection.ready(), "ready");
}

QTEST_GUILESS_MAIN(tst_Merge)
#include "tst_merge.moc"
