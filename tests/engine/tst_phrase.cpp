#include "core/Options.h"
#include "core/Variables.h"
#include "engine/Phrase.h"

#include <QtTest/QTest>

class tst_Phrase : public QObject {
    Q_OBJECT
private slots:
    void displayForm_data();
    void displayForm();
    void keyText_data();
    void keyText();
    void splitKeyWords_data();
    void splitKeyWords();
    void expandSynonyms_data();
    void expandSynonyms();
};

void tst_Phrase::displayForm_data() {
    QTest::addColumn<QString>("raw");
    QTest::addColumn<QString>("alphabet");
    QTest::addColumn<QString>("display");
    const QString abc = Options::defaultAlphabet();
    QTest::newRow("letter gets a full stop") << QStringLiteral("привет") << abc << QStringLiteral("Привет.");
    QTest::newRow("question mark stays") << QStringLiteral("как дела?") << abc << QStringLiteral("Как дела?");
    QTest::newRow("latin") << QStringLiteral("ok") << abc << QStringLiteral("Ok.");
    QTest::newRow("digit gets a full stop") << QStringLiteral("мне 25") << abc << QStringLiteral("Мне 25.");
    QTest::newRow("exclamation stays") << QStringLiteral("ура!") << abc << QStringLiteral("Ура!");
    QTest::newRow("only first upper-cased") << QStringLiteral("мОСКВА") << abc << QStringLiteral("МОСКВА.");
    QTest::newRow("blanks trimmed") << QStringLiteral("   да  ") << abc << QStringLiteral("Да.");
    QTest::newRow("tab is not a blank") << QStringLiteral("\tда") << abc << QStringLiteral("\tда.");
    QTest::newRow("yo") << QStringLiteral("ёжик") << abc << QStringLiteral("Ёжик.");
    QTest::newRow("only blanks") << QStringLiteral("   ") << abc << QString();
    QTest::newRow("empty alphabet") << QStringLiteral("да") << QString() << QStringLiteral("Да");
}

void tst_Phrase::displayForm() {
    QFETCH(QString, raw);
    QFETCH(QString, alphabet);
    QFETCH(QString, display);
    QCOMPARE(MakeDisplayForm(raw, alphabet), display);
}

void tst_Phrase::keyText_data() {
    QTest::addColumn<QString>("raw");
    QTest::addColumn<QString>("alphabet");
    QTest::addColumn<QString>("key");
    const QString abc = Options::defaultAlphabet();
    QTest::newRow("worked example") << QStringLiteral("  Привет, как - дела?") << abc
                                    << QStringLiteral("ПРИВЕТ КАК ДЕЛА ");
    QTest::newRow("nothing in the alphabet") << QStringLiteral("???") << abc << QStringLiteral(" ");
    QTest::newRow("empty alphabet") << QStringLiteral("Привет") << QString() << QStringLiteral(" ");
    QTest::newRow("yo upper-cased") << QStringLiteral("ёлка") << abc << QStringLiteral("ЁЛКА ");
    QTest::newRow("digits and latin") << QStringLiteral("R2-D2 ok") << abc << QStringLiteral("R2D2 OK ");
    QTest::newRow("alphabet without blank joins words")
        << QStringLiteral("a b") << QStringLiteral("AB") << QStringLiteral("AB ");
    QTest::newRow("lower-case-only alphabet keeps nothing")
        << QStringLiteral("abc") << QStringLiteral("abc ") << QStringLiteral(" ");
    QTest::newRow("tabs vanish") << QStringLiteral("a\tb") << abc << QStringLiteral("AB ");
}

void tst_Phrase::keyText() {
    QFETCH(QString, raw);
    QFETCH(QString, alphabet);
    QFETCH(QString, key);
    QCOMPARE(MakeKeyText(raw, alphabet), key);
}

void tst_Phrase::splitKeyWords_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("words");
    QTest::newRow("key text") << QStringLiteral("ПРИВЕТ КАК ДЕЛА ")
                              << QStringList{QStringLiteral(" ПРИВЕТ "), QStringLiteral(" КАК "),
                                             QStringLiteral(" ДЕЛА ")};
    QTest::newRow("no trailing blank") << QStringLiteral("ПРИВЕТ КАК") << QStringList{QStringLiteral(" ПРИВЕТ ")};
    QTest::newRow("no blank at all") << QStringLiteral("ПРИВЕТ") << QStringList();
    QTest::newRow("single blank") << QStringLiteral(" ") << QStringList{QStringLiteral("  ")};
    QTest::newRow("double blank") << QStringLiteral("A  B ")
                                  << QStringList{QStringLiteral(" A "), QStringLiteral("  "), QStringLiteral(" B ")};
    QTest::newRow("empty") << QString() << QStringList();
}

void tst_Phrase::splitKeyWords() {
    QFETCH(QString, text);
    QFETCH(QStringList, words);
    QCOMPARE(SplitKeyWords(text), words);
}

void tst_Phrase::expandSynonyms_data() {
    QTest::addColumn<QStringList>("synonyms");
    QTest::addColumn<QStringList>("words");
    QTest::addColumn<QStringList>("expanded");
    const QString hi = QStringLiteral(" ПРИВЕТ ");
    const QString hello = QStringLiteral(" ЗДРАВСТВУЙ ");
    const QString friendW = QStringLiteral(" ДРУГ ");
    const QString yo = QStringLiteral(" ЙО ");
    QTest::newRow("worked example") << QStringList{hi, hello, hello, hi} << QStringList{hi, friendW}
                                    << QStringList{hello, hi, friendW};
    QTest::newRow("two partners in base order")
        << QStringList{hi, hello, friendW, hi, hi, yo} << QStringList{hi} << QStringList{hello, yo, hi};
    QTest::newRow("one-way pair") << QStringList{hi, hello} << QStringList{hello} << QStringList{hello};
    QTest::newRow("even lines are not keys") << QStringList{hello, hi} << QStringList{hi} << QStringList{hi};
    QTest::newRow("line without blanks never matches")
        << QStringList{QStringLiteral("ПРИВЕТ"), hello} << QStringList{hi} << QStringList{hi};
    QTest::newRow("unpaired last line partners nothing")
        << QStringList{hi, hello, friendW} << QStringList{friendW} << QStringList{friendW};
    QTest::newRow("duplicates kept") << QStringList{hi, hello} << QStringList{hi, hi}
                                     << QStringList{hello, hi, hello, hi};
}

void tst_Phrase::expandSynonyms() {
    QFETCH(QStringList, synonyms);
    QFETCH(QStringList, words);
    QFETCH(QStringList, expanded);
    Variables v;
    v.SynonymBase = synonyms;
    v.SynonymCount = qint16(synonyms.size());
    QCOMPARE(ExpandSynonyms(words, v), expanded);
}

QTEST_GUILESS_MAIN(tst_Phrase)
#include "tst_phrase.moc"
