#include "dialogue/Journal.h"
#include "support/FakeClock.h"
#include "support/ScriptedDialogs.h"
#include "support/TestFiles.h"
#include "support/WindowChecks.h"
#include "ui/platform/Dialogs.h"
#include "ui/platform/Twips.h"
#include "ui/textview/FindBar.h"
#include "ui/textview/TextPane.h"
#include "ui/textview/TextPaneAccessible.h"
#include "ui/windows/frmList.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QtTest/QTest>

class tst_JournalView : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { VERIFY_NOTHING_LEFT_OPEN(); }

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
        QTEST(Journal::textFromFile(bytes), "text");
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

    // The dialogue pane indexes only what a turn adds; whatever the pieces, it must know the lines a fresh look at
    // the whole text finds.
    void appendMatchesAFreshIndex_data() {
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("addition");
        const QString piece(TextPane::maxLineLength(), QLatin1Char('x'));
        QTest::newRow("a turn") << u8("Новый диалог.\r\n") << u8("\r\n<ЧЕЛОВЕК>Привет.\r\n<TK> Здравствуй!");
        QTest::newRow("CR and LF in two appends") << QStringLiteral("ab\r") << QStringLiteral("\ncd");
        QTest::newRow("a line goes on") << QStringLiteral("ab") << QStringLiteral("cd\r\nef");
        QTest::newRow("lone LF and lone CR") << QStringLiteral("a\nb\rc") << QStringLiteral("\r\n\r\n");
        QTest::newRow("into an empty text") << QString() << QStringLiteral("\r\na\r\n");
        QTest::newRow("a long line grows past a piece")
            << piece.left(4000) << piece + QStringLiteral("\r\n") + piece + piece.left(3);
        QTest::newRow("a piece boundary at a surrogate pair")
            << piece.left(TextPane::maxLineLength() - 1) << u8("😀😀") + piece;
        QTest::newRow("CR LF right after a piece") << piece << QStringLiteral("\r\nb");
        QString many;
        for (int i = 0; i < 700; ++i)
            many += i % 3 ? QStringLiteral("line %1\r\n").arg(i) : QStringLiteral("lf only %1\n").arg(i);
        QTest::newRow("lines over several blocks") << many << many + QStringLiteral("last");
    }
    void appendMatchesAFreshIndex() {
        QFETCH(QString, before);
        QFETCH(QString, addition);
        QString text = before;
        TextPane grown;
        grown.showText(text);
        text += addition;
        grown.textAppended();
        const QString whole = before + addition;
        TextPane fresh;
        fresh.showText(whole);

        QCOMPARE(grown.lineCount(), fresh.lineCount());
        for (qsizetype i = 0; i < fresh.lineCount(); ++i) {
            QCOMPARE(grown.lineStart(i), fresh.lineStart(i));
            QCOMPARE(grown.lineEnd(i), fresh.lineEnd(i));
            QVERIFY(fresh.lineEnd(i) - fresh.lineStart(i) <= TextPane::maxLineLength());
            QVERIFY(fresh.lineStart(i) == whole.size() || !whole.at(fresh.lineStart(i)).isLowSurrogate());
        }
        const QString plain = QString(whole).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        QCOMPARE(fresh.toPlainText(), plain);
        QCOMPARE(grown.accessibleLength(), plain.size());
        QCOMPARE(grown.accessibleText(0, grown.accessibleLength()), plain);
        for (qsizetype at = 0; at <= whole.size(); ++at) {
            const qsizetype offset = grown.toAccessible(at);
            QCOMPARE(offset, fresh.toAccessible(at));
            // Every position but those inside a CR LF reads back as itself.
            if (!(at > 0 && whole.at(at - 1) == QLatin1Char('\r') && at < whole.size() &&
                  whole.at(at) == QLatin1Char('\n')))
                QCOMPARE(grown.fromAccessible(offset), at);
        }
    }

    // A screen reader moves through the dialogue pane's CR LF text as if every line end were one character.
    void textAtOffset_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("offset");
        QTest::addColumn<int>("boundary");
        QTest::addColumn<QString>("at");
        QTest::addColumn<int>("start");
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("after");
        const QString abc = QStringLiteral("ab\r\ncd\r\nef");
        const int chr = QAccessible::CharBoundary;
        const int word = QAccessible::WordBoundary;
        const int line = QAccessible::LineBoundary;
        const int paragraph = QAccessible::ParagraphBoundary;
        const QString lf = QStringLiteral("\n");
        QTest::newRow("character") << abc << 4 << chr << u8("d") << 4 << u8("c") << lf;
        QTest::newRow("character at a line end") << abc << 2 << chr << lf << 2 << u8("b") << u8("c");
        QTest::newRow("line") << abc << 4 << line << u8("cd") << 3 << u8("ab") << u8("ef");
        QTest::newRow("line at its end") << abc << 5 << line << u8("cd") << 3 << u8("ab") << u8("ef");
        QTest::newRow("last line at the text end") << abc << 8 << line << u8("ef") << 6 << u8("cd") << QString();
        QTest::newRow("first line") << abc << 0 << line << u8("ab") << 0 << QString() << u8("cd");
        QTest::newRow("empty line") << QStringLiteral("a\r\n\r\nb") << 2 << line << QString() << 2 << u8("a")
                                    << u8("b");
        QTest::newRow("word") << u8("<TK> Привет, мир\r\nещё") << 13 << word << u8("мир") << 13 << u8(" ") << lf;
        QTest::newRow("paragraph") << abc << 3 << paragraph << u8("cd") << 3 << u8("ab") << u8("ef");
        // A reader asking for the whole of a long dialogue gets its first part, never half a surrogate pair.
        const int whole = QAccessible::NoBoundary;
        const int most = TextPaneAccessible::maxTextPerRequest();
        const QString lines = QStringLiteral("ab\r\n").repeated(most / 3 + 1);
        QTest::newRow("more than one request carries")
            << lines << 5 << whole << QString(lines).replace(QStringLiteral("\r\n"), lf).left(most) << 0 << QString()
            << QString();
        const QString pair = QString(most - 1, QLatin1Char('x')) + u8("😀y");
        QTest::newRow("the part ends before a surrogate pair")
            << pair << 0 << whole << pair.left(most - 1) << 0 << QString() << QString();
    }
    void textAtOffset() {
        QFETCH(QString, text);
        QFETCH(int, offset);
        QFETCH(int, boundary);
        QFETCH(QString, at);
        QFETCH(int, start);
        TextPane view;
        view.resize(600, 200);
        view.showText(text);
        QAccessibleTextInterface* shown = QAccessible::queryAccessibleInterface(&view)->textInterface();
        QVERIFY(shown);
        const auto type = QAccessible::TextBoundaryType(boundary);
        int from = -1;
        int to = -1;
        QCOMPARE(shown->textAtOffset(offset, type, &from, &to), at);
        QCOMPARE(from, start);
        QCOMPARE(to, start + at.size());
        QCOMPARE(shown->text(from, to), at);
        QTEST(shown->textBeforeOffset(offset, type, &from, &to), "before");
        QTEST(shown->textAfterOffset(offset, type, &from, &to), "after");
    }

    void journalReadThroughTheAccessibleInterface() {
        QTemporaryDir dir;
        ScriptedDialogs dialogs;
        FakeClock clock;
        const QString path = dir.filePath(QStringLiteral("ChatList.log"));
        QVERIFY(writeAll(path, cp1251(u8("Все диалоги с 12-06-2026.\r\n\r\r\n[Дата: 12-06-2026]\r\n<TK> Как "
                                         "тебя зовут?\r\n<ЧЕЛОВЕК>Не знаю.\r\n"))));
        frmList list(dialogs, clock, path);
        QVERIFY(list.Form_Load());
        list.show();
        QVERIFY(QTest::qWaitForWindowExposed(&list));
        TextPane* view = list.view();
        view->setAccessibleName(u8("Журнал"));
        QAccessibleInterface* pane = QAccessible::queryAccessibleInterface(view);
        QVERIFY(pane);
        QCOMPARE(pane->role(), QAccessible::EditableText);
        QVERIFY(pane->state().readOnly);
        QVERIFY(pane->state().multiLine);
        QCOMPARE(pane->text(QAccessible::Name), u8("Журнал"));
        QCOMPARE(pane->text(QAccessible::Description), u8("Поле вывода журнала"));

        QAccessibleTextInterface* shown = pane->textInterface();
        QVERIFY(shown);
        const QString text = u8("Все диалоги с 12-06-2026.\n\n[Дата: 12-06-2026]\n<TK> Как тебя зовут?\n<ЧЕЛОВЕК>Не "
                                "знаю.\n");
        QCOMPARE(shown->characterCount(), text.size());
        QCOMPARE(shown->text(0, shown->characterCount()), text);
        const int question = int(text.indexOf(u8("тебя")));
        int from = -1;
        int to = -1;
        QCOMPARE(shown->textAtOffset(question, QAccessible::LineBoundary, &from, &to), u8("<TK> Как тебя зовут?"));
        QCOMPARE(from, int(text.indexOf(u8("<TK>"))));

        shown->setCursorPosition(question);
        QCOMPARE(shown->cursorPosition(), question);
        QCOMPARE(view->caretPosition(), question);
        QCOMPARE(shown->selectionCount(), 0);
        shown->setSelection(0, question, question + 4);
        QCOMPARE(shown->selectionCount(), 1);
        shown->selection(0, &from, &to);
        QCOMPARE(from, question);
        QCOMPARE(to, question + 4);
        QCOMPARE(view->selectedText(), u8("тебя"));
        shown->removeSelection(0);
        QCOMPARE(shown->selectionCount(), 0);
        list.close();
        QVERIFY(dialogs.verify());
    }

    // The caret walks the text as in a text widget, a CR LF being one step.
    void keysMoveTheCaret_data() {
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<int>("to");
        QTest::addColumn<QString>("selected");
        const int none = Qt::NoModifier;
        // "ab" CR LF "cd" CR LF, an empty line, CR LF "ef": lines start at 0, 4, 8 and 10.
        QTest::newRow("right over a line end") << 2 << int(Qt::Key_Right) << none << 4 << QString();
        QTest::newRow("left over a line end") << 4 << int(Qt::Key_Left) << none << 2 << QString();
        QTest::newRow("down keeps the column") << 1 << int(Qt::Key_Down) << none << 5 << QString();
        QTest::newRow("down into an empty line") << 5 << int(Qt::Key_Down) << none << 8 << QString();
        QTest::newRow("up from the last line") << 11 << int(Qt::Key_Up) << none << 8 << QString();
        QTest::newRow("end of the line") << 4 << int(Qt::Key_End) << none << 6 << QString();
        QTest::newRow("start of the line") << 5 << int(Qt::Key_Home) << none << 4 << QString();
        QTest::newRow("end of the text") << 0 << int(Qt::Key_End) << int(Qt::ControlModifier) << 12 << QString();
        QTest::newRow("start of the text") << 11 << int(Qt::Key_Home) << int(Qt::ControlModifier) << 0 << QString();
        QTest::newRow("next word") << 0 << int(Qt::Key_Right) << int(Qt::ControlModifier) << 2 << QString();
        QTest::newRow("select over a line end")
            << 1 << int(Qt::Key_Right) << int(Qt::ShiftModifier) << 2 << QStringLiteral("b");
        QTest::newRow("select a line end")
            << 2 << int(Qt::Key_Right) << int(Qt::ShiftModifier) << 4 << QStringLiteral("\n");
        QTest::newRow("select down") << 1 << int(Qt::Key_Down) << int(Qt::ShiftModifier) << 5 << QStringLiteral("b\nc");
    }
    void keysMoveTheCaret() {
        QFETCH(int, from);
        QFETCH(int, key);
        QFETCH(int, modifiers);
        const QString text = QStringLiteral("ab\r\ncd\r\n\r\nef");
        TextPane view;
        view.resize(300, 200);
        view.showText(text);
        view.setCaretPosition(from);
        QTest::keyClick(&view, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QTEST(int(view.caretPosition()), "to");
        QTEST(view.selectedText(), "selected");
    }

    // After a turn the newest line must be in view, however the lines wrap and whatever the window's size.
    void endStaysInView_data() {
        QTest::addColumn<QString>("text");
        QString chat;
        QString wrapping;
        for (int i = 0; i < 200; ++i) {
            chat += u8("<ЧЕЛОВЕК>Фраза номер %1.\r\n").arg(i);
            wrapping += u8("<TK> Очень длинный ответ программы, который не помещается в одну строку окна, "
                           "номер %1.\r\n")
                            .arg(i);
        }
        QTest::newRow("short lines") << chat + u8("<TK> Конец.");
        QTest::newRow("wrapped lines") << wrapping + u8("<TK> Конец.");
        QTest::newRow("a line taller than the view") << chat + QString(3000, QLatin1Char('w')) + u8(" Конец.");
        QTest::newRow("a text that fits") << u8("Новый диалог.\r\n<TK> Конец.");
    }
    void endStaysInView() {
        QFETCH(QString, text);
        TextPane view;
        view.resize(300, 200);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        view.showText(text);
        view.moveCaretToEnd();
        const auto endShown = [&view] {
            const QRect end = view.characterRect(view.text().size());
            return !end.isEmpty() && view.viewport()->rect().contains(end);
        };
        QVERIFY(endShown());
        // The line at the top is shown from its first row unless the end needs a part of it.
        if (view.verticalScrollBar()->maximum() == 0)
            QCOMPARE(view.characterRect(0).top(), 1);

        text += u8("\r\n<ЧЕЛОВЕК>Ещё одна строка, и ещё, и ещё, и ещё, и ещё.");
        view.textAppended();
        view.moveCaretToEnd();
        QVERIFY(endShown());
        view.resize(180, 150);
        QApplication::processEvents();
        QVERIFY(endShown());
        view.resize(500, 300);
        QApplication::processEvents();
        QVERIFY(endShown());
        view.close();
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
        view.setPlainText(Journal::textFromFile(bytes));
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

    // Keys in the find field: E Enter, N F3, P Shift+F3. The journal opens at its top, its line ends read as LF.
    void findSelectsTheMatch_data() {
        QTest::addColumn<QString>("needle");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<qsizetype>("selected");
        QTest::addColumn<QString>("note");
        QTest::newRow("first from the top") << u8("как") << u8("E") << qsizetype(3) << QString();
        QTest::newRow("next, any case") << u8("как") << u8("EN") << qsizetype(7) << QString();
        QTest::newRow("past the end, round")
            << u8("как") << u8("ENNN") << qsizetype(3) << u8("Поиск дошёл до конца и продолжен с начала");
        QTest::newRow("previous from the top, round")
            << u8("как") << u8("P") << qsizetype(14) << u8("Поиск дошёл до начала и продолжен с конца");
        QTest::newRow("previous after next") << u8("как") << u8("ENNP") << qsizetype(7) << QString();
        QTest::newRow("far down, brought into view")
            << u8("в конце") << u8("E") << qsizetype(18 + 2000 * 4) << QString();
        QTest::newRow("none") << u8("нет") << u8("E") << qsizetype(-1) << u8("Не найдено");
    }
    void findSelectsTheMatch() {
        QFETCH(QString, needle);
        QFETCH(QString, keys);
        QFETCH(qsizetype, selected);
        QTemporaryDir dir;
        ScriptedDialogs dialogs;
        FakeClock clock;
        const QString path = dir.filePath(QStringLiteral("ChatList.log"));
        QVERIFY(writeAll(path, cp1251(u8("ab как\r\nКАК cd\r\nкак\r\n") + QStringLiteral("...\r\n").repeated(2000) +
                                      u8("в конце"))));
        frmList list(dialogs, clock, path);
        QVERIFY(list.Form_Load());
        list.show();
        QVERIFY(QTest::qWaitForWindowActive(&list));
        QTest::keyClick(&list, Qt::Key_F, Qt::ControlModifier);
        QLineEdit* field = list.findBar()->field();
        QVERIFY(field->hasFocus());
        field->setText(needle);
        for (const QChar key : keys)
            QTest::keyClick(field, key == u'E' ? Qt::Key_Return : Qt::Key_F3,
                            key == u'P' ? Qt::ShiftModifier : Qt::NoModifier);

        // Enter found rather than pressed «Закрыть».
        QVERIFY(list.isVisible());
        TextPane* pane = list.view();
        QCOMPARE(pane->hasSelection() ? pane->selectionStart() : -1, selected);
        // The whole match, on screen.
        QVERIFY(selected < 0 ||
                (pane->selectionEnd() - selected == needle.size() && !pane->characterRect(selected).isEmpty()));
        QTEST(list.findBar()->note(), "note");
        const int withRow = pane->height();
        QTest::keyClick(field, Qt::Key_Escape);
        QVERIFY(list.isVisible() && list.findBar()->isHidden() && pane->height() > withRow);
        list.close();
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
        QVERIFY(r.error().contains(QStringLiteral("absent.log")));
    }
};

QTEST_MAIN(tst_JournalView)
#include "tst_journalview.moc"
