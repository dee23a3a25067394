#include "ProgramRig.h"
#include "dialogue/DialogueFile.h"
#include "dialogue/Export.h"
#include "support/RtfReader.h"
#include "ui/windows/frmList.h"

#include <QPdfWriter>
#include <QPrinter>
#include <QPushButton>
#include <QRegularExpression>

namespace {

QString saveAsTitle() {
    return u8("Сохранить диалог как...");
}
QString openTitle() {
    return u8("Открытие сохраненного диалога");
}
QString exportTitle() {
    return u8("Сохранение диалога");
}

// A pane long enough for several printed pages: one phrase said again and again, each turn scripted with the four
// draws a repetition takes (its retort, the two of the question step, the reply).
void fillThePane(ProgramRig& rig) {
    for (int i = 0; i < 120; ++i) {
        for (int draw = 0; draw < 4; ++draw)
            rig.random.push(0.0);
        rig.say(u8("привет"));
    }
}

int pdfPages(const QByteArray& pdf) {
    static const QRegularExpression page(QStringLiteral("/Type\\s*/Page(?![s\\w])"));
    int count = 0;
    auto it = page.globalMatch(QString::fromLatin1(pdf));
    while (it.hasNext()) {
        it.next();
        ++count;
    }
    return count;
}

} // namespace

class tst_Documents : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { VERIFY_NOTHING_LEFT_OPEN(); }

    void firstDialogueSavedAsItStands() {
        ProgramRig rig;
        QCOMPARE(rig.start(), Program::Start::Running);
        const QString path = rig.file(QStringLiteral("первый.dlg"));
        rig.expectSaveFile(saveAsTitle(), path);

        rig.action("mnuSave")->trigger();

        QVERIFY(rig.dialogs.verify());
        const ScriptedDialogs::Shown chooser = rig.dialogs.shown().constLast();
        QCOMPARE(chooser.filter, u8("Файл содержащий диалог (*.dlg)|*.dlg|"));
        QCOMPARE(chooser.fileName, QStringLiteral("dialog.dlg"));
        QCOMPARE(QDir(chooser.folder).canonicalPath(), QDir(rig.folder).canonicalPath());
        QCOMPARE(readAll(path), cp1251(u8("разговор\r\n\r\n\r\n\r\n 0 \r\n") + humanIntro() + u8("\r\n\r\n")));
        QVERIFY(rig.v.DialogSaved);
        QCOMPARE(rig.v.DialogFilePath, path);
        QCOMPARE(rig.main()->windowTitle(), u8("Talkomat v1.0 [первый.dlg]"));
        QVERIFY(rig.main()->isEnabled());

        // From now on "Сохранить" writes without asking.
        rig.say(u8("привет"));
        QVERIFY(!rig.v.DialogSaved);
        rig.action("mnuSave")->trigger();
        QVERIFY(rig.dialogs.verify());
        QVERIFY(rig.v.DialogSaved);
        QVERIFY(readAll(path).endsWith(cp1251(u8("<ЧЕЛОВЕК>Привет.\r\n<TK> Здравствуй!\r\n"))));
        QVERIFY(rig.quit());
    }

    void saveOpenSaveGivesTheSameBytes() {
        ProgramRig rig;
        QCOMPARE(rig.start(), Program::Start::Running);
        rig.action("mnuProgramm")->trigger();
        rig.action("mnuNewDialog")->trigger();
        rig.say(u8("привет"));
        rig.say(u8("расскажи мне что-нибудь интересное"));
        QCOMPARE(rig.v.Mode, u8("обучение"));
        const QString a = rig.file(QStringLiteral("a.dlg"));
        const QString b = rig.file(QStringLiteral("b.dlg"));
        rig.expectSaveFile(saveAsTitle(), a);
        rig.action("mnuSaveAs")->trigger();
        const Variables saved = rig.v;
        const QString pane = rig.pane();

        rig.action("mnuHuman")->trigger();
        rig.action("mnuNewDialog")->trigger();
        QCOMPARE(rig.v.Mode, u8("разговор"));
        rig.expectOpenFile(openTitle(), a);
        rig.action("mnuOpen")->trigger();

        QVERIFY(rig.dialogs.verify());
        QCOMPARE(rig.pane(), pane);
        QCOMPARE(rig.rtfDialog()->toPlainText(), QString(pane).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
        QCOMPARE(rig.v.Mode, saved.Mode);
        QCOMPARE(rig.v.PreviousPhrase, saved.PreviousPhrase);
        QCOMPARE(rig.v.PendingKeys, saved.PendingKeys);
        QCOMPARE(rig.v.PendingPhrase, saved.PendingPhrase);
        QCOMPARE(rig.v.AskedQuestions, saved.AskedQuestions);
        QCOMPARE(rig.v.AskedQuestionCount, qint16(1));
        QCOMPARE(rig.main()->windowTitle(), QStringLiteral("Talkomat v1.0 [a.dlg]"));
        QVERIFY(rig.v.DialogSaved);

        rig.expectSaveFile(saveAsTitle(), b);
        rig.action("mnuSaveAs")->trigger();
        QVERIFY(rig.dialogs.verify());
        QCOMPARE(readAll(b), readAll(a));

        // The reopened dialogue goes on where it stopped: the next phrase is the answer being taught.
        rig.say(u8("Это очень интересно"));
        QCOMPARE(rig.v.Mode, u8("разговор"));
        QVERIFY(rig.pane().startsWith(pane + QStringLiteral("\r\n")));
        QVERIFY(rig.quit());
    }

    void stoppedDialogueOpenedAgainRuns() {
        ProgramRig rig;
        QCOMPARE(rig.start(), Program::Start::Running);
        const QString path = rig.file(QStringLiteral("stopped.dlg"));
        const QString text =
            humanIntro() + u8("\r\n\r\n<ЧЕЛОВЕК>Пока.\r\n<TK> До встречи, Человек! \r\n\r\nДиалог завершен.");
        QVERIFY(writeAll(path, cp1251(u8("разговор\r\nПока.\r\n\r\nПока.\r\n 0 \r\n") + text + u8("\r\n"))));
        rig.action("mnuStop")->trigger();
        QVERIFY(!rig.find<QPushButton>("cmdApply")->isEnabled());

        rig.expectOpenFile(openTitle(), path);
        rig.action("mnuOpen")->trigger();

        QCOMPARE(rig.pane(), text);
        for (const char* name : {"mnuStop", "mnuSave", "mnuSaveAs"})
            QVERIFY2(rig.action(name)->isEnabled(), name);
        QVERIFY(rig.find<QPushButton>("cmdApply")->isEnabled());
        rig.txtPhrase()->setText(u8("привет"));
        QTest::keyClick(rig.txtPhrase(), Qt::Key_Return);
        QCOMPARE(rig.pane(), text + u8("\r\n<ЧЕЛОВЕК>Привет.\r\n<TK> Здравствуй!"));
        QVERIFY(rig.quit());
    }

    void openingAddsTheDialogueToTheJournal() {
        ProgramRig rig;
        QCOMPARE(rig.start(), Program::Start::Running);
        rig.action("mnuProgramm")->trigger();
        rig.action("mnuNewDialog")->trigger();
        rig.say(u8("привет"));
        const QString path = rig.file(QStringLiteral("j.dlg"));
        rig.expectSaveFile(saveAsTitle(), path);
        rig.action("mnuSaveAs")->trigger();
        const QStringList paneLines = rig.pane().split(QStringLiteral("\r\n"));
        const QStringList before = rig.journal();

        rig.clock.set(QDateTime(QDate(2027, 3, 4), QTime(17, 8, 9)));
        rig.expectOpenFile(openTitle(), path);
        rig.action("mnuOpen")->trigger();

        QStringList expected = before;
        expected << QStringLiteral("\r") << u8("[Дата: 03-04-2027; Время: 17:08:09]") << paneLines.mid(1);
        QCOMPARE(rig.journal(), expected);
        QVERIFY(rig.journalBytes().contains(cp1251(u8("\r\n\r\r\n[Дата: 03-04-2027; Время: 17:08:09]\r\n"))));
        QVERIFY(rig.quit());
    }

    void damagedFileLeavesTheDialogueAlone_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("asFolder");
        // A file this much longer than its bytes is grown with a hole: larger than the program reads, it is refused
        // with the reason before a byte of it is read.
        QTest::addColumn<qint64>("grownTo");
        const QByteArray head = cp1251(u8("разговор\r\nА\r\nБ\r\nВ\r\n"));
        QTest::newRow("no such file") << QByteArray() << false << qint64(0);
        QTest::newRow("a folder") << QByteArray() << true << qint64(0);
        QTest::newRow("empty file") << QByteArray("") << false << qint64(0);
        QTest::newRow("ends before the count") << cp1251(u8("разговор\r\n\r\n")) << false << qint64(0);
        QTest::newRow("count is not a number") << head + " x \r\nText\r\n" << false << qint64(0);
        QTest::newRow("count is negative") << head + "-1 \r\nText\r\n" << false << qint64(0);
        QTest::newRow("count beyond 16 bits") << head + " 40000 \r\nText\r\n" << false << qint64(0);
        QTest::newRow("index is not a number") << head + " 1 \r\n abc \r\nText\r\n" << false << qint64(0);
        QTest::newRow("ends inside the indexes") << head + " 3 \r\n 1 \r\n 2 \r\n" << false << qint64(0);
        QTest::newRow("no pane text") << head + " 1 \r\n 1 \r\n" << false << qint64(0);
        QTest::newRow("larger than the program reads") << head + " 0 \r\nText\r\n"
                                                       << false << qint64(DialogueFile::MaxBytes + 1);
    }
    void damagedFileLeavesTheDialogueAlone() {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, asFolder);
        QFETCH(qint64, grownTo);
        ProgramRig rig;
        QCOMPARE(rig.start(), Program::Start::Running);
        rig.say(u8("привет"));
        rig.say(u8("расскажи мне что-нибудь интересное"));
        const QString path = rig.file(QStringLiteral("bad.dlg"));
        if (asFolder)
            QVERIFY(QDir().mkpath(path));
        else if (!bytes.isNull())
            QVERIFY(writeAll(path, bytes));
        if (grownTo > 0)
            QVERIFY(QFile::resize(path, grownTo));
        const Variables before = rig.v;
        const QString pane = rig.pane();
        const QByteArray journal = rig.journalBytes();
        const QString caption = rig.main()->windowTitle();

        rig.expectOpenFile(openTitle(), path);
        rig.dialogs.expectMessageStartingWith(u8("Диалог не открыт; текущий диалог остался без изменений.\r\n"));
        rig.action("mnuOpen")->trigger();

        QVERIFY(rig.dialogs.verify());
        const ScriptedDialogs::Shown error = rig.dialogs.shown().constLast();
        QVERIFY2(error.text.contains(QStringLiteral("bad.dlg")), qPrintable(error.text));
        QCOMPARE(error.icon, Dialogs::Icon::Critical);
        QCOMPARE(rig.pane(), pane);
        QCOMPARE(rig.rtfDialog()->toPlainText(), QString(pane).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
        QCOMPARE(rig.v.Mode, before.Mode);
        QCOMPARE(rig.v.PreviousPhrase, before.PreviousPhrase);
        QCOMPARE(rig.v.PendingKeys, before.PendingKeys);
        QCOMPARE(rig.v.PendingPhrase, before.PendingPhrase);
        QCOMPARE(rig.v.AskedQuestions, before.AskedQuestions);
        QCOMPARE(rig.v.DialogSaved, before.DialogSaved);
        QCOMPARE(rig.v.DialogFilePath, before.DialogFilePath);
        QCOMPARE(rig.v.DialogFileTitle, before.DialogFileTitle);
        QCOMPARE(rig.journalBytes(), journal);
        QCOMPARE(rig.main()->windowTitle(), caption);
        QVERIFY(rig.main()->isEnabled());
        QVERIFY(rig.quit());
    }

    void failedSaveIsReportedAndKeepsTheOldName() {
        ProgramRig rig;
        QCOMPARE(rig.start(), Program::Start::Running);
        const QString bad = rig.file(QStringLiteral("missing folder/a.dlg"));
        rig.expectSaveFile(saveAsTitle(), bad);
        rig.dialogs.expectMessageStartingWith(u8("Диалог не сохранен.\r\n"));
        rig.action("mnuSaveAs")->trigger();

        QVERIFY(rig.dialogs.verify());
        QVERIFY2(rig.dialogs.shown().constLast().text.contains(QStringLiteral("a.dlg")),
                 qPrintable(rig.dialogs.shown().constLast().text));
        QVERIFY(!rig.v.DialogSaved);
        QCOMPARE(rig.v.DialogFilePath, QString());
        QCOMPARE(rig.v.DialogFileTitle, QStringLiteral("dialog.dlg"));
        QCOMPARE(rig.main()->windowTitle(), QStringLiteral("Talkomat v1.0 [dialog.dlg]"));
        QVERIFY(rig.main()->isEnabled());

        // Leaving: the save asked for fails again, and the program stays so that the dialogue is not lost.
        rig.dialogs.clear();
        rig.dialogs.expectQuestion(u8("Выйти?"), true).expectQuestion(u8("Сохранить диалог перед выходом?"), true);
        rig.expectSaveFile(saveAsTitle(), bad);
        rig.dialogs.expectMessageStartingWith(u8("Диалог не сохранен.\r\n"));
        QVERIFY(!rig.main()->close());
        QVERIFY(rig.dialogs.verify());
        QVERIFY(rig.main()->isVisible());

        // A good name at the next try saves and lets the program go.
        rig.dialogs.clear();
        const QString good = rig.file(QStringLiteral("good.dlg"));
        rig.dialogs.expectQuestion(u8("Выйти?"), true).expectQuestion(u8("Сохранить диалог перед выходом?"), true);
        rig.expectSaveFile(saveAsTitle(), good);
        QVERIFY(rig.main()->close());
        QVERIFY(rig.dialogs.verify());
        QVERIFY(readAll(good).startsWith(cp1251(u8("разговор\r\n"))));
    }

    void cancelledChoosersChangeNothing() {
        ProgramRig rig;
        QCOMPARE(rig.start(), Program::Start::Running);
        rig.say(u8("привет"));
        const QString pane = rig.pane();
        const QByteArray journal = rig.journalBytes();
        const QStringList before = QDir(rig.folder).entryList(QDir::Files);
        rig.expectSaveFile(saveAsTitle(), {});
        rig.expectSaveFile(saveAsTitle(), {});
        rig.expectOpenFile(openTitle(), {});
        rig.expectSaveFile(exportTitle(), {});
        rig.dialogs.expectPrinter(false);

        rig.action("mnuSave")->trigger();
        rig.action("mnuSaveAs")->trigger();
        rig.action("mnuOpen")->trigger();
        rig.action("mnuSaveFile")->trigger();
        rig.action("mnuPrint")->trigger();

        QVERIFY(rig.dialogs.verify());
        QCOMPARE(rig.pane(), pane);
        QCOMPARE(rig.journalBytes(), journal);
        QCOMPARE(QDir(rig.folder).entryList(QDir::Files), before);
        QVERIFY(!rig.v.DialogSaved);
        QCOMPARE(rig.main()->windowTitle(), QStringLiteral("Talkomat v1.0 [dialog.dlg]"));
        QVERIFY(rig.quit());
    }

    void exportByName_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("rich");
        QTest::newRow("a.txt") << QStringLiteral("a.txt") << false;
        QTest::newRow("a.rtf") << QStringLiteral("a.rtf") << true;
        QTest::newRow("a.RTF") << QStringLiteral("a.RTF") << false;
        QTest::newRow("a.Rtf") << QStringLiteral("a.Rtf") << false;
        QTest::newRow("no extension") << QStringLiteral("a") << false;
    }
    void exportByName() {
        QFETCH(QString, name);
        QFETCH(bool, rich);
        ProgramRig rig;
        QCOMPARE(rig.start(), Program::Start::Running);
        rig.say(u8("привет"));
        rig.action("mnuStop")->trigger();
        rig.v.DialogSaved = false;
        const QString path = rig.file(name);
        rig.expectSaveFile(exportTitle(), path);

        rig.action("mnuSaveFile")->trigger();

        QVERIFY(rig.dialogs.verify());
        QCOMPARE(rig.dialogs.shown().constLast().filter,
                 u8("Текстовые документы (*.txt)|*.txt|Файл RTF (*.rtf)|*.rtf"));
        QCOMPARE(QDir(rig.dialogs.shown().constLast().folder).canonicalPath(), QDir(rig.folder).canonicalPath());
        const QByteArray bytes = readAll(path);
        if (rich) {
            QVERIFY(bytes.startsWith("{\\rtf1"));
            const RtfText read = readRtf(bytes);
            QVERIFY(read.balanced);
            QCOMPARE(read.text, rig.pane() + QStringLiteral("\r\n"));
        } else {
            QCOMPARE(bytes, cp1251(rig.pane()) + "\r\n");
        }
        QVERIFY(Cp1251::decode(bytes).contains(u8("Диалог завершен.")) || rich);
        QVERIFY(rig.v.DialogSaved);
        QCOMPARE(rig.v.DialogFilePath, QString());
        QCOMPARE(rig.main()->windowTitle(), QStringLiteral("Talkomat v1.0 [dialog.dlg]"));
        // An exported dialogue counts as kept: leaving asks only "Выйти?".
        rig.dialogs.clear();
        rig.dialogs.expectQuestion(u8("Выйти?"), true);
        QVERIFY(rig.main()->close());
        QVERIFY(rig.dialogs.verify());
    }

    void rtfCarriesTheFontAndEveryCharacter() {
        ProgramRig rig;
        QCOMPARE(rig.start(), Program::Start::Running);
        QFont chosen(QStringLiteral("DejaVu Serif"));
        chosen.setPointSizeF(13.5);
        chosen.setBold(true);
        chosen.setItalic(true);
        chosen.setUnderline(true);
        rig.dialogs.add({ScriptedDialogs::Kind::Font, {}, chosen.toString()});
        rig.action("mnuFont")->trigger();
        rig.say(u8("Ёжик {в} тумане \\ ЙЦУКЕН ъ € №"));
        const QString path = rig.file(QStringLiteral("font.rtf"));
        rig.expectSaveFile(exportTitle(), path);
        rig.action("mnuSaveFile")->trigger();
        QVERIFY(rig.dialogs.verify());

        const RtfText read = readRtf(readAll(path));
        QCOMPARE(read.face(), QStringLiteral("DejaVu Serif"));
        QCOMPARE(read.halfPoints, 27);
        QVERIFY(read.bold);
        QVERIFY(read.italic);
        QVERIFY(read.underline);
        QCOMPARE(read.text, rig.pane() + QStringLiteral("\r\n"));
        QVERIFY(read.text.contains(u8("Ёжик {в} тумане \\ ЙЦУКЕН ъ € №")));
        QVERIFY(rig.quit());
    }

    void failedExportIsReported() {
        ProgramRig rig;
        QCOMPARE(rig.start(), Program::Start::Running);
        rig.expectSaveFile(exportTitle(), rig.file(QStringLiteral("no folder/a.txt")));
        rig.dialogs.expectMessageStartingWith(u8("Диалог не записан.\r\n"));
        rig.action("mnuSaveFile")->trigger();
        QVERIFY(rig.dialogs.verify());
        QVERIFY(!rig.v.DialogSaved);
        QVERIFY(rig.main()->isEnabled());
        QVERIFY(rig.quit());
    }

    void printingGoesToThePrinter() {
        ProgramRig rig;
        QCOMPARE(rig.start(), Program::Start::Running);
        fillThePane(rig);
        const QString whole = rig.temp.filePath(QStringLiteral("whole.pdf"));
        const QString part = rig.temp.filePath(QStringLiteral("part.pdf"));
        auto toPdf = [](const QString& file) {
            return [file](QPrinter& printer) {
                printer.setOutputFormat(QPrinter::PdfFormat);
                printer.setOutputFileName(file);
            };
        };
        rig.dialogs.expectPrinter(true, toPdf(whole));
        rig.action("mnuPrint")->trigger();
        QVERIFY(rig.dialogs.verify());

        // Three lines in the middle of the pane.
        TextPane* pane = rig.rtfDialog();
        pane->setSelection(pane->lineStart(100), pane->lineEnd(102));
        rig.dialogs.expectPrinter(true, toPdf(part));
        rig.action("mnuPrint")->trigger();
        QVERIFY(rig.dialogs.verify());

        const QByteArray wholePdf = readAll(whole);
        const QByteArray partPdf = readAll(part);
        QVERIFY(wholePdf.startsWith("%PDF"));
        QVERIFY(partPdf.startsWith("%PDF"));
        QVERIFY2(pdfPages(wholePdf) > 3, qPrintable(QString::number(pdfPages(wholePdf))));
        QCOMPARE(pdfPages(partPdf), 1);
        QVERIFY(partPdf.size() < wholePdf.size());
        QVERIFY(rig.main()->isEnabled());
        QVERIFY(rig.quit());
    }

    void journalViewerShowsTheJournal() {
        ProgramRig rig;
        QCOMPARE(rig.start(), Program::Start::Running);
        rig.say(u8("привет"));
        bool inspected = false;
        rig.dialogs.expectModal(QStringLiteral("frmList"), [&](QDialog& dialog) {
            inspected = true;
            auto* list = qobject_cast<frmList*>(&dialog);
            QVERIFY(list);
            QCOMPARE(list->windowTitle(), u8("Журнал"));
            const QStringList lines = list->view()->text().split(QLatin1Char('\n'));
            QCOMPARE(lines.mid(0, 6), QStringList({u8("Все диалоги с 12-06-2026 по сегодняшний день включительно."),
                                                   QString(), u8("[Дата: 12-06-2026; Время: 09:05:41]"),
                                                   u8("<ЧЕЛОВЕК>Привет."), u8("<TK> Здравствуй!"), QString()}));
            auto* print = list->findChild<QPushButton*>(QStringLiteral("cmdPrint"));
            auto* clear = list->findChild<QPushButton*>(QStringLiteral("cmdClear"));
            auto* ok = list->findChild<QPushButton*>(QStringLiteral("cmdOK"));
            QVERIFY(print && clear && ok);
            QCOMPARE(print->text(), u8("Печать"));
            QCOMPARE(clear->text(), u8("Очистить"));
            QCOMPARE(ok->text(), u8("Закрыть"));
            QCOMPARE(list->view()->toolTip(), u8("Поле вывода журнала"));
            QCOMPARE(print->toolTip(), u8("Кнопка вывода на печать журнала"));
            QCOMPARE(clear->toolTip(), u8("Кнопка очистки журнала"));
            QCOMPARE(ok->toolTip(), u8("Кнопка закрытия журнала"));
            QCOMPARE(ok->font().family(), QStringLiteral("Tahoma"));
            QVERIFY(!clear->isEnabled());
            QWidget* order[] = {list->view(), ok, clear, print};
            for (int i = 0; i + 1 < 4; ++i) {
                QWidget* next = order[i]->nextInFocusChain();
                while (next && next->focusPolicy() == Qt::NoFocus)
                    next = next->nextInFocusChain();
                QCOMPARE(next, order[i + 1]);
            }
            list->show();
            QVERIFY(QTest::qWaitForWindowActive(list));
            QCOMPARE(QApplication::focusWidget(), ok);
            QTest::mouseClick(ok, Qt::LeftButton);
            QVERIFY(!list->isVisible());
        });
        rig.action("mnuList")->trigger();
        QVERIFY(rig.dialogs.verify());
        QVERIFY(inspected);
        QVERIFY(rig.quit());
    }

    void journalCanBeClearedOnlyWhenNoDialogueRuns() {
        ProgramRig rig;
        QCOMPARE(rig.start(), Program::Start::Running);
        rig.say(u8("привет"));
        rig.action("mnuStop")->trigger();
        rig.clock.set(QDateTime(QDate(2027, 1, 31), QTime(8, 0, 0)));
        rig.dialogs.expectModal(QStringLiteral("frmList"), [&](QDialog& dialog) {
            auto* list = qobject_cast<frmList*>(&dialog);
            auto* clear = list->findChild<QPushButton*>(QStringLiteral("cmdClear"));
            QVERIFY(clear->isEnabled());
            QVERIFY(list->view()->lineCount() > 3);
            clear->click();
            QCOMPARE(list->view()->text(), u8("Все диалоги с 01-31-2027 по сегодняшний день включительно.\n"));
        });
        rig.action("mnuList")->trigger();
        QVERIFY(rig.dialogs.verify());
        QCOMPARE(rig.journalBytes(), cp1251(u8("Все диалоги с 01-31-2027 по сегодняшний день включительно.\r\n")));

        // A new dialogue runs again, and clearing is off again.
        rig.action("mnuNewDialog")->trigger();
        rig.dialogs.expectModal(QStringLiteral("frmList"), [&](QDialog& dialog) {
            QVERIFY(!dialog.findChild<QPushButton*>(QStringLiteral("cmdClear"))->isEnabled());
        });
        rig.action("mnuList")->trigger();
        QVERIFY(rig.dialogs.verify());
        QVERIFY(rig.quit());
    }

    void unreadableJournalIsReported() {
        ProgramRig rig;
        QCOMPARE(rig.start(), Program::Start::Running);
        QVERIFY(QFile::remove(rig.file(QStringLiteral("ChatList.log"))));
        QVERIFY(QDir().mkpath(rig.file(QStringLiteral("ChatList.log"))));
        rig.dialogs.expectMessageStartingWith(u8("Журнал не может быть показан.\r\n"));
        rig.action("mnuList")->trigger();
        QVERIFY(rig.dialogs.verify());
        QVERIFY(rig.dialogs.shown().constLast().text.contains(QStringLiteral("ChatList.log")));
        QVERIFY(QDir().rmdir(rig.file(QStringLiteral("ChatList.log"))));
        QVERIFY(rig.quit());
    }

    void journalPrintsItsSelectionOrAll() {
        ProgramRig rig;
        QCOMPARE(rig.start(), Program::Start::Running);
        fillThePane(rig);
        const QString whole = rig.temp.filePath(QStringLiteral("journal.pdf"));
        const QString part = rig.temp.filePath(QStringLiteral("journal-part.pdf"));
        rig.dialogs.expectModal(QStringLiteral("frmList"), [&](QDialog& dialog) {
            auto* list = qobject_cast<frmList*>(&dialog);
            auto* print = list->findChild<QPushButton*>(QStringLiteral("cmdPrint"));
            rig.dialogs.expectPrinter(true, [&](QPrinter& printer) {
                printer.setOutputFormat(QPrinter::PdfFormat);
                printer.setOutputFileName(whole);
            });
            print->click();
            list->view()->setSelection(0, 40);
            rig.dialogs.expectPrinter(true, [&](QPrinter& printer) {
                printer.setOutputFormat(QPrinter::PdfFormat);
                printer.setOutputFileName(part);
            });
            print->click();
            rig.dialogs.expectPrinter(false);
            print->click();
        });
        rig.action("mnuList")->trigger();
        QVERIFY(rig.dialogs.verify());
        QVERIFY2(pdfPages(readAll(whole)) > 3, qPrintable(QString::number(pdfPages(readAll(whole)))));
        QCOMPARE(pdfPages(readAll(part)), 1);
        QVERIFY(rig.quit());
    }
};

QTEST_MAIN(tst_Documents)
#include "tst_documents.moc"
