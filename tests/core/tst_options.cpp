#include "core/Options.h"
#include "core/TextFile.h"
#include "support/TestFiles.h"

#include <QTemporaryDir>
#include <QtTest/QTest>

class tst_Options : public QObject {
    Q_OBJECT
private slots:
    void init();
    void defaultFileBytes();
    void untouchedValuesGoBackByteForByte();
    void shortOrMissingFileFails_data();
    void shortOrMissingFileFails();
    void extraLinesAreDroppedOnSave();
    void typedValuesFormat_data();
    void typedValuesFormat();
    void conversions_data();
    void conversions();
    void badTextRaises();

private:
    QTemporaryDir m_dir;
    QString m_path;
};

void tst_Options::init() {
    m_path = m_dir.filePath(QStringLiteral("tk.ini"));
    QFile::remove(m_path);
}

void tst_Options::defaultFileBytes() {
    QVERIFY(Options::WriteDefaultOptions(m_path).ok());
    const QByteArray expected =
        cp1251(
            QStringLiteral("Человек\r\nstandart.tka\r\nstandart.tkq\r\nstandart.tks\r\n 15138815 \r\nArial\r\n 10 \r\n"
                           "False\r\nFalse\r\nFalse\r\nFalse\r\n")) +
        "AaBbCcDdEeFfGgHhIiJjKkLlMmNnOoPpQqRrSsTtUuVvWwXxYyZz"
        "\xC0\xE0\xC1\xE1\xC2\xE2\xC3\xE3\xC4\xE4\xC5\xE5\xA8\xB8\xC6\xE6\xC7\xE7\xC8\xE8\xC9\xE9\xCA\xEA\xCB\xEB"
        "\xCC\xEC\xCD\xED\xCE\xEE\xCF\xEF\xD0\xF0\xD1\xF1\xD2\xF2\xD3\xF3\xD4\xF4\xD5\xF5\xD6\xF6\xD7\xF7\xD8\xF8"
        "\xD9\xF9\xDA\xFA\xDB\xFB\xDC\xFC\xDD\xFD\xDE\xFE\xDF\xFF"
        "1234567890 \r\n 7 \r\n";
    QCOMPARE(readAll(m_path), expected);
    QCOMPARE(Options::defaultAlphabet().size(), 129);

    Variables v;
    QVERIFY(Options::LoadOptions(v, m_path).ok());
    QCOMPARE(*v.DialogBackColor.toInt32(), 15138815);
    QCOMPARE(*v.FontSize.toNumber(), 10.0);
    QCOMPARE(*v.FontBold.toBool(), false);
    QCOMPARE(*v.ShortPhraseLimit.toNumber(), 7.0);
}

void tst_Options::untouchedValuesGoBackByteForByte() {
    const QByteArray original =
        cp1251(QStringLiteral("  Вася \r\nmy.tka\r\nmy.tkq\r\nmy.tks\r\n255\r\nTimes\r\n 10 \r\n0\r\n"
                              "true\r\n 1 \r\nwhatever\r\nАБВ \r\n  12\r\n"));
    QVERIFY(writeAll(m_path, original));
    Variables v;
    QVERIFY(Options::LoadOptions(v, m_path).ok());
    QCOMPARE(v.HumanName, QStringLiteral("  Вася "));
    QCOMPARE(*v.FontBold.toBool(), false);
    QCOMPARE(*v.FontItalic.toBool(), true);
    QCOMPARE(*v.FontUnderline.toBool(), true);
    QVERIFY(Options::SaveOptions(v, m_path).ok());
    QCOMPARE(readAll(m_path), original);
}

void tst_Options::shortOrMissingFileFails_data() {
    QTest::addColumn<int>("lines");
    QTest::newRow("missing") << -1;
    QTest::newRow("empty") << 0;
    QTest::newRow("twelve lines") << Options::RequiredLines - 1;
}

void tst_Options::shortOrMissingFileFails() {
    QFETCH(int, lines);
    if (lines >= 0)
        QVERIFY(TextFile::writeLines(m_path, Options::defaultLines().mid(0, lines)).ok());
    Variables v;
    v.HumanName = QStringLiteral("kept");
    QVERIFY(!Options::LoadOptions(v, m_path).ok());
    QCOMPARE(v.HumanName, QStringLiteral("kept"));
}

void tst_Options::extraLinesAreDroppedOnSave() {
    QStringList lines;
    for (const Options::Row& row : Options::rows())
        lines.append(Options::defaultLine(row));
    QVERIFY(TextFile::writeLines(m_path, lines + QStringList{QStringLiteral("extra")}).ok());
    Variables v;
    QVERIFY(Options::LoadOptions(v, m_path).ok());
    QVERIFY(Options::SaveOptions(v, m_path).ok());
    QCOMPARE(TextFile::readLines(m_path).value(), Options::defaultLines());
}

void tst_Options::typedValuesFormat_data() {
    QTest::addColumn<OptionValue>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("white") << OptionValue::fromInt(16777215) << QStringLiteral(" 16777215 ");
    QTest::newRow("zero") << OptionValue::fromInt(0) << QStringLiteral(" 0 ");
    QTest::newRow("negative") << OptionValue::fromInt(-3) << QStringLiteral("-3 ");
    QTest::newRow("whole size") << OptionValue::fromFloat(12.0f) << QStringLiteral(" 12 ");
    QTest::newRow("true") << OptionValue::fromBool(true) << QStringLiteral("True");
    QTest::newRow("false") << OptionValue::fromBool(false) << QStringLiteral("False");
    QTest::newRow("text stays") << OptionValue::fromText(QStringLiteral(" 10")) << QStringLiteral(" 10");
}

void tst_Options::typedValuesFormat() {
    QFETCH(OptionValue, value);
    QFETCH(QString, text);
    QCOMPARE(value.toFileText(), text);
}

void tst_Options::conversions_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("isInt");
    QTest::addColumn<int>("asInt");
    QTest::addColumn<bool>("isBool");
    QTest::addColumn<bool>("asBool");
    QTest::newRow("number with blanks") << QStringLiteral(" 10 ") << true << 10 << true << true;
    QTest::newRow("zero is false") << QStringLiteral("0") << true << 0 << true << false;
    QTest::newRow("True any case") << QStringLiteral("tRUE") << true << -1 << true << true;
    QTest::newRow("False with blanks") << QStringLiteral(" False ") << true << 0 << true << false;
    QTest::newRow("fraction with comma") << QStringLiteral("8,25") << true << 8 << true << true;
    QTest::newRow("fraction with point") << QStringLiteral("10.5") << true << 10 << true << true;
    QTest::newRow("letters") << QStringLiteral("abc") << false << 0 << false << false;
    QTest::newRow("empty") << QString() << false << 0 << false << false;
    QTest::newRow("too large for 32 bits") << QStringLiteral("99999999999") << false << 0 << true << true;
}

void tst_Options::conversions() {
    QFETCH(QString, text);
    QFETCH(bool, isInt);
    QFETCH(int, asInt);
    QFETCH(bool, isBool);
    QFETCH(bool, asBool);
    const OptionValue v = OptionValue::fromText(text);
    QCOMPARE(v.toInt32().ok(), isInt);
    if (isInt)
        QCOMPARE(*v.toInt32(), asInt);
    QCOMPARE(v.toBool().ok(), isBool);
    if (isBool)
        QCOMPARE(*v.toBool(), asBool);
}

void tst_Options::badTextRaises() {
    const OptionValue v = OptionValue::fromText(QStringLiteral("синий"));
    QVERIFY(!v.toInt32().ok());
    QVERIFY(!v.toNumber().ok());
    QVERIFY(!v.toBool().ok());
    // The message quotes the text, so that the person can find it in the file.
    QVERIFY(v.toBool().error().contains(QStringLiteral("синий")));
}

QTEST_GUILESS_MAIN(tst_Options)
#include "tst_options.moc"
