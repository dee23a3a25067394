#include "core/Cp1251.h"
#include "dialogue/Export.h"
#include "support/TestFiles.h"

#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest/QTest>

namespace {

struct ParsedRtf {
    QString fontName;
    QString text;
    QStringList controlWords;
};

// Just enough of a rich text reader to see what another program would: the font table entry and the body text
// with \par, \tab, \uN (skipping its one fallback character), \'hh and escaped characters.
ParsedRtf parseRtf(const QByteArray& rtf) {
    ParsedRtf out;
    int depth = 0;
    int fontTableDepth = -1;
    int skip = 0;
    for (qsizetype i = 0; i < rtf.size(); ++i) {
        const char c = rtf.at(i);
        QString* target = fontTableDepth >= 0 ? &out.fontName : &out.text;
        if (c == '{') {
            ++depth;
        } else if (c == '}') {
            if (depth-- == fontTableDepth)
                fontTableDepth = -1;
        } else if (c == '\\') {
            const char n = rtf.at(i + 1);
            if (n == '\\' || n == '{' || n == '}') {
                target->append(QLatin1Char(n));
                ++i;
            } else if (n == '\'') {
                const QByteArray byte = QByteArray::fromHex(rtf.mid(i + 2, 2));
                i += 3;
                if (skip > 0)
                    --skip;
                else
                    target->append(Cp1251::decode(byte));
            } else {
                qsizetype j = i + 1;
                while (j < rtf.size() && std::isalpha(static_cast<unsigned char>(rtf.at(j))))
                    ++j;
                const QByteArray word = rtf.mid(i + 1, j - i - 1);
                qsizetype k = j;
                while (k < rtf.size() && (rtf.at(k) == '-' || std::isdigit(static_cast<unsigned char>(rtf.at(k)))))
                    ++k;
                const QByteArray number = rtf.mid(j, k - j);
                if (k < rtf.size() && rtf.at(k) == ' ')
                    ++k;
                i = k - 1;
                out.controlWords << QString::fromLatin1(word + number);
                if (word == "fonttbl")
                    fontTableDepth = depth;
                else if (word == "par")
                    target->append(QStringLiteral("\n"));
                else if (word == "tab")
                    target->append(QLatin1Char('\t'));
                else if (word == "u") {
                    target->append(QChar(char16_t(number.toShort())));
                    skip = 1;
                }
            }
        } else if (c == '\r' || c == '\n') {
            continue;
        } else if (skip > 0) {
            --skip;
        } else {
            target->append(QLatin1Char(c));
        }
    }
    return out;
}

} // namespace

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
        QCOMPARE(parseRtf(bytes).text,
                 QString(pane).replace(QStringLiteral("\r\n"), QStringLiteral("\n")) + QStringLiteral("\n"));
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
    const ParsedRtf parsed = parseRtf(rtf);
    QCOMPARE(parsed.fontName, family + QLatin1Char(';'));
    QString expected = text;
    expected.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    QCOMPARE(parsed.text, expected + QStringLiteral("\n"));
    QVERIFY(parsed.controlWords.contains(QStringLiteral("fs%1").arg(qRound(size * 2))));
    QCOMPARE(parsed.controlWords.contains(QStringLiteral("b")), bold);
    QCOMPARE(parsed.controlWords.contains(QStringLiteral("i")), italic);
    QCOMPARE(parsed.controlWords.contains(QStringLiteral("ul")), underline);
}

QTEST_GUILESS_MAIN(tst_Export)
#include "tst_export.moc"
