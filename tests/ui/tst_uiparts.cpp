#include "core/ProgramFolder.h"
#include "support/TestFiles.h"
#include "ui/platform/Dialogs.h"
#include "ui/platform/Twips.h"
#include "ui/windows/HelpViewer.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QtTest/QTest>

class tst_UiParts : public QObject {
    Q_OBJECT

private slots:
    void nameFilters_data() {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("label with its pattern")
            << QStringLiteral("Диалог (*.dlg)|*.dlg") << QStringList{QStringLiteral("Диалог (*.dlg)")};
        QTest::newRow("label without pattern")
            << QStringLiteral("Диалог|*.dlg|Все файлы|*.*")
            << QStringList{QStringLiteral("Диалог (*.dlg)"), QStringLiteral("Все файлы (*.*)")};
        QTest::newRow("trailing bar") << QStringLiteral("Текст (*.txt)|*.txt|")
                                      << QStringList{QStringLiteral("Текст (*.txt)")};
        QTest::newRow("several patterns")
            << QStringLiteral("Базы|*.tka;*.tkq;*.tks") << QStringList{QStringLiteral("Базы (*.tka *.tkq *.tks)")};
        QTest::newRow("empty") << QString() << QStringList{};
    }
    void nameFilters() {
        QFETCH(QString, filter);
        QTEST(qtNameFilters(filter), "expected");
    }

    void fitOntoScreens_data() {
        QTest::addColumn<QRect>("frame");
        QTest::addColumn<QRect>("expected");
        QTest::newRow("inside stays") << QRect(100, 100, 400, 300) << QRect(100, 100, 400, 300);
        QTest::newRow("title above the top") << QRect(0, -24, 477, 360) << QRect(0, 0, 477, 360);
        QTest::newRow("off the right edge") << QRect(2200, 10, 400, 300) << QRect(1904, 10, 400, 300);
        QTest::newRow("mostly on the neighbour") << QRect(1200, 10, 400, 300) << QRect(1280, 10, 400, 300);
        QTest::newRow("far away") << QRect(-9000, 9000, 400, 300) << QRect(0, 700, 400, 300);
        QTest::newRow("bigger than the screen") << QRect(10, 10, 3000, 2000) << QRect(0, 0, 1280, 1000);
        QTest::newRow("on the second screen") << QRect(1400, 100, 400, 300) << QRect(1400, 100, 400, 300);
        QTest::newRow("mostly on the second") << QRect(1200, 600, 400, 300) << QRect(1280, 468, 400, 300);
    }
    void fitOntoScreens() {
        QFETCH(QRect, frame);
        const QList<QRect> screens{QRect(0, 0, 1280, 1000), QRect(1280, 0, 1024, 768)};
        QTEST(::fitOntoScreens(frame, screens), "expected");
    }

    void twips_data() {
        QTest::addColumn<double>("twips");
        QTest::addColumn<double>("dpi");
        QTest::addColumn<int>("pixels");
        QTest::newRow("one pixel at 96") << 15.0 << 96.0 << 1;
        QTest::newRow("default width at 96") << 7155.0 << 96.0 << 477;
        QTest::newRow("default top at 96") << -360.0 << 96.0 << -24;
        QTest::newRow("default width at 120") << 7155.0 << 120.0 << 596;
        QTest::newRow("default height at 144") << 5400.0 << 144.0 << 540;
        // The nearest pixel: cutting the fraction off would put each of these a pixel out.
        QTest::newRow("most of a pixel at 96") << 14.0 << 96.0 << 1;
        QTest::newRow("default width at 168") << 7155.0 << 168.0 << 835;
        QTest::newRow("a twip short of 450 pixels at 120") << 5399.0 << 120.0 << 450;
        QTest::newRow("a top above the screen at 96") << -368.0 << 96.0 << -25;
    }
    void twips() {
        QFETCH(double, twips);
        QFETCH(double, dpi);
        QTEST(Twips::toPixels(twips, dpi), "pixels");
    }

    void helpDecoding_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        const QString russian = QStringLiteral("<p>Помощь</p>");
        QTest::newRow("utf-8") << russian.toUtf8() << russian;
        QTest::newRow("windows-1251 without a declaration") << cp1251(russian) << russian;
        const QString declared = QStringLiteral("<meta charset=\"windows-1251\"><p>Помощь</p>");
        QTest::newRow("windows-1251 declared") << cp1251(declared) << declared;
    }
    void helpDecoding() {
        QFETCH(QByteArray, bytes);
        QTEST(HelpViewer::decodeHelp(bytes), "text");
    }

    void helpViewerOpensTheFile() {
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("help.hlp"));
        QVERIFY(writeAll(file, cp1251(QStringLiteral("<html><body><a name=\"topic1\"></a><h1>Как "
                                                     "разговаривать</h1></body></html>"))));
        HelpViewer viewer;
        viewer.openTopic(file, 1);
        QVERIFY(viewer.browser()->toPlainText().contains(QStringLiteral("Как разговаривать")));
        QCOMPARE(viewer.windowTitle(), QStringLiteral("Помощь"));

        viewer.openTopic(dir.filePath(QStringLiteral("absent.hlp")), 1);
        QVERIFY(viewer.browser()->toPlainText().contains(QStringLiteral("absent.hlp")));
    }

    void shippedFilesAreEmbedded() {
        int embedded = 0;
        for (const QString& name : shippedFiles()) {
            const QString source = QDir(QStringLiteral(TALKOMAT_SOURCE_DIR "/data")).filePath(name);
            if (!QFile::exists(source))
                continue;
            QCOMPARE(readAll(QStringLiteral(":/data/") + name), readAll(source));
            ++embedded;
        }
        if (embedded == 0)
            QSKIP("data/ holds none of the shipped files yet");
    }
};

QTEST_MAIN(tst_UiParts)
#include "tst_uiparts.moc"
