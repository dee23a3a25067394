#include "core/TextSearch.h"

#include <QtTest/QTest>

using namespace TextSearch;

class tst_TextSearch : public QObject {
    Q_OBJECT
private slots:
    void find_data();
    void find();
};

void tst_TextSearch::find_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("needle");
    QTest::addColumn<int>("from");
    QTest::addColumn<bool>("backward");
    QTest::addColumn<int>("position");
    QTest::addColumn<Outcome>("outcome");
    const QString hedgehogs = QStringLiteral("ёж, Ёж");
    QTest::newRow("Ё in the needle") << QStringLiteral("Елка и ёлКА") << QStringLiteral("ЁЛКА") << 1 << false << 7
                                     << Outcome::Found;
    QTest::newRow("next after a match") << hedgehogs << QStringLiteral("еж") << 2 << false << 4 << Outcome::Found;
    QTest::newRow("next wraps to the top")
        << hedgehogs << QStringLiteral("еж") << 5 << false << 0 << Outcome::FoundAfterWrap;
    QTest::newRow("a match at the caret counts")
        << hedgehogs << QStringLiteral("еж") << 4 << false << 4 << Outcome::Found;
    QTest::newRow("previous") << hedgehogs << QStringLiteral("ЕЖ") << 4 << true << 0 << Outcome::Found;
    QTest::newRow("previous wraps to the end")
        << hedgehogs << QStringLiteral("ЕЖ") << 0 << true << 4 << Outcome::FoundAfterWrap;
    QTest::newRow("at the very end") << QStringLiteral("abc ДЕЛА") << QStringLiteral("дела") << 0 << false << 4
                                     << Outcome::Found;
    QTest::newRow("from past the end") << QStringLiteral("кот кот") << QStringLiteral("КОТ") << 100 << false << 0
                                       << Outcome::FoundAfterWrap;
    QTest::newRow("э is not е") << QStringLiteral("эхо") << QStringLiteral("ехо") << 0 << false << -1
                                << Outcome::NotFound;
    QTest::newRow("blanks as typed") << QStringLiteral("как  дела") << QStringLiteral("как дела") << 0 << false << -1
                                     << Outcome::NotFound;
    QTest::newRow("longer than the text")
        << QStringLiteral("ко") << QStringLiteral("кот") << 0 << false << -1 << Outcome::NotFound;
    QTest::newRow("empty needle") << QStringLiteral("кот") << QString() << 0 << true << -1 << Outcome::NotFound;
}

void tst_TextSearch::find() {
    QFETCH(QString, text);
    QFETCH(QString, needle);
    QFETCH(int, from);
    QFETCH(bool, backward);
    QFETCH(int, position);
    QFETCH(Outcome, outcome);
    const Direction direction = backward ? Direction::Backward : Direction::Forward;
    const Match m = TextSearch::find(text, needle, from, direction);
    QCOMPARE(m.outcome, outcome);
    QCOMPARE(int(m.position), position);
    QCOMPARE(m.length, position < 0 ? 0 : needle.size());
    QCOMPARE(outcomeText(m.outcome, direction).isEmpty(), outcome == Outcome::Found);
}

QTEST_GUILESS_MAIN(tst_TextSearch)
#include "tst_textsearch.moc"
