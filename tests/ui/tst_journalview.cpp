#include "support/FakeClock.h"
#include "support/ScriptedDialogs.h"
#include "support/TestFiles.h"
#include "support/WindowChecks.h"
#include "ui/Dialogs.h"
#include "ui/JournalView.h"
#include "ui/TextPane.h"
#include "ui/Twips.h"
#include "ui/frmList.h"

#include <QApplication>
#include <QClipboard>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QtTest/QTest>

class tst_JournalView : public QObject {
    Q_OBJECT

private slots:
    void cleanup() {
        const QStringList left = visibleTopLevels();
        QVERIFY2(left.isEmpty(), qPrintable(left.join(QStringLiteral(", "))));
    }

    void lineEnds_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        QTest::newRow("CR LF") << QByteArray("a\r\nb\r\n") << QStringLiteral("a\nb\n");
        QTest::newRow("the journal's CR line") << QByteArray("t\r\n\r\r\nh") << QStringLiteral("t\n\nh");
        QTest::newRow("lone CR") << QByteArray("a\rb") << QStringLiteral("a\nb");
        QTest::newRow("lone LF") << QByteArray("a\nb") << QStringLiteral("a\nb");
        QTest::newRow("CR at the very end") << QByteArray("a\r") << QStringLiteral("a\n");
        QTest::newRow("three CRs and LF") << QByteArray("\r\r\r\n") << QStringLiteral("\n\n");
        QTest::newRow("empty") << QByteArray() << QString();
        QTest::newRow("Cyrillic") << cp1251(QStringLiteral("<ЧЕЛОВЕК>Ёлка.\r\n")) << QStringLiteral("<ЧЕЛОВЕК>Ёлка.\n");
    }
    void lineEnds() {
        QFETCH(QByteArray, bytes);
        QTEST(JournalView::textFromFile(bytes), "text");
    }

    void linesAndSelection() {
        TextPane view;
        view.setPlainText(QStringLiteral("abc\nde\n\nfgh"));
        QCOMPARE(view.lineCount(), 4);
        QCOMPARE(view.line(0), QStringLiteral("abc"));
        QCOMPARE(view.line(2), QString());
        QCOMPARE(view.line(3), QStringLiteral("fgh"));
        QVERIFY(!view.hasSelection());
        view.setSelection(5, 1);
        QCOMPARE(view.selectedText(), QStringLiteral("bc\nd"));
        view.selectAll();
        QCOMPARE(view.selectedText(), view.text());
        view.copy();
        QCOMPARE(QApplication::clipboard()->text(), view.text());
        view.setPlainText(QStringLiteral("x"));
        QVERIFY(!view.hasSelection());
    }

    void mouseSelectsWholeLines() {
        TextPane view;
        view.setPlainText(QStringLiteral("first line\nsecond line\nthird"));
        view.resize(300, 200);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        const int h = view.fontMetrics().lineSpacing();
        QWidget* port = view.viewport();
        QTest::mousePress(port, Qt::LeftButton, {}, QPoint(1, h / 2 + 1));
        QTest::mouseMove(port, QPoint(290, h + h / 2 + 1));
        QTest::mouseRelease(port, Qt::LeftButton, {}, QPoint(290, h + h / 2 + 1));
        QCOMPARE(view.selectedText(), QStringLiteral("first line\nsecond line"));
        QTest::mouseDClick(port, Qt::LeftButton, {},
                           QPoint(view.fontMetrics().horizontalAdvance(QStringLiteral("thi")) + 3, 2 * h + h / 2 + 1));
        QCOMPARE(view.selectedText(), QStringLiteral("third"));
        view.close();
    }

    // A journal of some megabytes: every line reachable, the last one shown after scrolling to the end.
    void longJournal() {
        QByteArray bytes;
        for (int i = 0; i < 100000; ++i)
            bytes += cp1251(QStringLiteral("<ЧЕЛОВЕК>Фраза номер %1.\r\n").arg(i));
        TextPane view;
        view.resize(400, 300);
        view.setPlainText(JournalView::textFromFile(bytes));
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        QCOMPARE(view.lineCount(), 100001);
        QCOMPARE(view.line(99999), QStringLiteral("<ЧЕЛОВЕК>Фраза номер 99999."));
        view.scrollToEnd();
        const int visible = view.viewport()->height() / view.fontMetrics().lineSpacing();
        QVERIFY(view.firstVisibleLine() >= 100001 - visible - 1);
        QVERIFY(view.horizontalScrollBar()->maximum() >= 0);
        view.close();
    }

    void viewerLayout_data() {
        QTest::addColumn<QSize>("size");
        QTest::newRow("design size") << QSize(414, 380);
        QTest::newRow("wide") << QSize(900, 500);
        QTest::newRow("small") << QSize(280, 160);
    }
    void viewerLayout() {
        QFETCH(QSize, size);
        QTemporaryDir dir;
        ScriptedDialogs dialogs;
        FakeClock clock;
        const QString path = dir.filePath(QStringLiteral("ChatList.log"));
        QVERIFY(writeAll(path, QByteArray("title\r\n")));
        frmList list(dialogs, clock, path);
        QVERIFY(list.Form_Load());
        list.show();
        QVERIFY(QTest::qWaitForWindowExposed(&list));
        list.resize(size);
        QApplication::processEvents();
        const double dx = Twips::dpiX(&list);
        const double dy = Twips::dpiY(&list);
        const QSize client = list.size();
        const auto x = [&](double twips) { return Twips::toPixels(Twips::fromPixels(client.width(), dx) - twips, dx); };
        const auto y = [&](double twips) {
            return Twips::toPixels(Twips::fromPixels(client.height(), dy) - twips, dy);
        };
        QCOMPARE(list.view()->geometry(), QRect(0, 0, client.width(), y(540)));
        const QSize button(Twips::toPixels(1095, dx), Twips::toPixels(375, dy));
        QCOMPARE(list.findChild<QPushButton*>(QStringLiteral("cmdPrint"))->geometry(),
                 QRect(QPoint(x(3390), y(435)), button));
        QCOMPARE(list.findChild<QPushButton*>(QStringLiteral("cmdClear"))->geometry(),
                 QRect(QPoint(x(2295), y(435)), button));
        QCOMPARE(list.findChild<QPushButton*>(QStringLiteral("cmdOK"))->geometry(),
                 QRect(QPoint(x(1215), y(435)), button));
        QVERIFY(list.minimumWidth() <= Twips::toPixels(4000, dx));
        QVERIFY(list.minimumWidth() > Twips::toPixels(3500, dx));
        QVERIFY(list.minimumHeight() <= Twips::toPixels(2300, dy));
        QVERIFY(list.minimumHeight() > Twips::toPixels(1500, dy));
        list.close();
        QVERIFY(dialogs.verify());
    }

    void viewerOpensAtTheDesignSize() {
        QTemporaryDir dir;
        ScriptedDialogs dialogs;
        FakeClock clock;
        frmList list(dialogs, clock, dir.filePath(QStringLiteral("absent.log")));
        const double dx = Twips::dpiX(&list);
        const double dy = Twips::dpiY(&list);
        QCOMPARE(list.size(), QSize(Twips::toPixels(6210, dx), Twips::toPixels(5700, dy)));
        const Result r = list.Form_Load();
        QVERIFY(!r);
        QVERIFY(r.error.contains(QStringLiteral("absent.log")));
    }
};

QTEST_MAIN(tst_JournalView)
#include "tst_journalview.moc"
