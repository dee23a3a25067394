#include "core/Cp1251.h"
#include "dialogue/Export.h"
#include "support/RtfReader.h"
#include "support/TestFiles.h"

#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest/QTest>

class tst_Export : public QObject {
    Q_OBJECT
private slots:
    void formatIsToldByTheName_data();
    void formatIsToldByTheName();
    void rtfCarriesFontAndEveryCharacter_data();
    void rtfCarriesFontAndEveryCharacter();
};

void tst_Export::formatIsToldByTheName_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("rtf");
    QTest::newRow("txt") << QStringLiteral("a.txt") << false;
    QTest::newRow("rtf") << QStringLiteral("a.rtf") << true;
    QTest::newRow("RTF is plain text") << QStringLiteral("a.RTF") << false;
    QTest::newRow("Rtf is plain text") << QStringLiteral("a.Rtf") << false;
    QTest::newRow("no extension") << QStringLiteral("a") << false;
}

void tst_Export::formatIsToldByTheName() {
    QFETCH(QString, name);
    QFETCH(bool, rtf);
    QTemporaryDir dir;
    const QString path = dir.filePath(name);
    const QString pane =
        QStringLiteral("Новый диалог.\r\n\r\n<ЧЕЛОВЕК>Привет.\r\n<TK> Здравствуй!\r\n\r\nДиалог завершен.");
    QVERIFY(Export::DialogExport(path, pane, QFont(QStringLiteral("Arial"), 10)).ok());
    const QByteArray bytes = readAll(path);
    if (rtf) {
        QVERIFY(bytes.startsWith("{\\rtf1"));
        QCOMPARE(readRtf(bytes).text, pane + QStringLiteral("\r\n"));
    } else {
        QCOMPARE(bytes, cp1251(pane) + "\r\n");
    }
}

void tst_Export::rtfCarriesFontAndEveryCharacter_data() {
    QTest::addColumn<QString>("family");
    QTest::addColumn<double>("size");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<bool>("italic");
    QTest::addColumn<bool>("underline");
    QTest::addColumn<QString>("text");
    QTest::newRow("plain Arial") << QStringLiteral("Arial") << 10.0 << false << false << false
                                 << QStringLiteral("Ёжик {в} тумане \\ 100%");
    QTest::newRow("bold italic underline, fraction size")
        << QStringLiteral("Times New Roman") << 8.5 << true << true << true << QStringLiteral("tab\there");
    QTest::newRow("outside the code page")
        << QStringLiteral("DejaVu Sans") << 12.0 << false << true << false << QStringLiteral("日本 € \x98 ß");
    QTest::newRow("cyrillic font name") << QStringLiteral("Шрифт") << 14.0 << true << false << false
                                        << QStringLiteral("a\rb\nc");
}

void tst_Export::rtfCarriesFontAndEveryCharacter() {
    QFETCH(QString, family);
    QFETCH(double, size);
    QFETCH(bool, bold);
    QFETCH(bool, italic);
    QFETCH(bool, underline);
    QFETCH(QString, text);
    QFont font(family);
    font.setPointSizeF(size);
    font.setBold(bold);
    font.setItalic(italic);
    font.setUnderline(underline);
    const QByteArray rtf = Export::rtf(text, font);
    for (const char c : rtf)
        QVERIFY2(static_cast<unsigned char>(c) < 0x80, "a rich text file is 7-bit");
    const RtfText parsed = readRtf(rtf);
    QCOMPARE(parsed.fontTable, family + QLatin1Char(';'));
    // Every line end, a lone CR included, is a paragraph.
    QString expected = text;
    expected.replace(QLatin1Char('\r'), QLatin1Char('\n')).replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
    QCOMPARE(parsed.text, expected + QStringLiteral("\r\n"));
    QVERIFY(parsed.controlWords.contains(QStringLiteral("fs%1").arg(qRound(size * 2))));
    QCOMPARE(parsed.controlWords.contains(QStringLiteral("b")), bold);
    QCOMPARE(parsed.controlWords.contains(QStringLiteral("i")), italic);
    QCOMPARE(parsed.controlWords.contains(QStringLiteral("ul")), underline);
}

QTEST_GUILESS_MAIN(tst_Export)
#include "tst_export.moc"
