#include "AccessibleEvents.h"
#include "ProgramRig.h"
#include "core/Cp1251.h"
#include "core/Merge.h"
#include "core/Options.h"
#include "core/TextFile.h"
#include "dialogue/Dialogue.h"
#include "support/FakeClock.h"
#include "support/FakeRandom.h"
#include "support/ScriptedDialogs.h"
#include "support/TestFiles.h"
#include "ui/main/MenuTree.h"
#include "ui/main/Program.h"
#include "ui/main/frmMain.h"
#include "ui/platform/Twips.h"
#include "ui/textview/FindBar.h"
#include "ui/textview/TextPane.h"
#include "ui/windows/frmSplash.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest/QTest>

#include <memory>

namespace {

// The shared installation with smaller bases: two answers and a single question.
struct Rig : ProgramRig {
    Rig() {
        seedFile(QStringLiteral("standart.tka"), u8("ПРИВЕТ \r\nЗдравствуй!\r\nПОКА \r\nДо встречи, #name! #STOP\r\n"));
        seedFile(QStringLiteral("standart.tkq"), u8("Как тебя зовут?\r\n"));
    }
    QString shownPane() const { return find<TextPane>("rtfDialog")->toPlainText(); }
};

QString programStartsIntro() {
    return u8("Новый диалог. Его начинает программа. Введите свою реплику и нажмите клавишу 'Enter'.");
}

} // namespace

class tst_frmMain : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { VERIFY_NOTHING_LEFT_OPEN(); }

    void firstStartInAnEmptyFolder() {
        Rig rig;
        QCOMPARE(rig.start(), Program::Start::Running);
        QVERIFY(rig.dialogs.verify());
        QVERIFY(rig.dialogs.asked().isEmpty());

        // The bare names resolve in the program's folder, which is not the working directory: the options and
        // the journal below are found there, and so is the answer base the options name without a folder.
        QVERIFY(QDir::currentPath() != QDir(rig.folder).canonicalPath());
        QCOMPARE(rig.v.AnswerBaseFile, QStringLiteral("standart.tka"));
        QCOMPARE(readAll(rig.file(QStringLiteral("tk.ini"))), TextFile::joinLines(Options::defaultLines()));
        QVERIFY(!QFile::exists(rig.file(QStringLiteral("tk.ini.bak"))));
        const QStringList journal = rig.journal();
        QCOMPARE(journal.value(0), u8("Все диалоги с 12-06-2026 по сегодняшний день включительно."));
        QCOMPARE(journal.mid(1), QStringList({QStringLiteral("\r"), u8("[Дата: 12-06-2026; Время: 09:05:41]")}));
        QCOMPARE(rig.v.AnswerCount, qint16(4));
        QCOMPARE(rig.v.QuestionCount, qint16(1));
        QCOMPARE(rig.v.SynonymCount, qint16(2));
        QCOMPARE(readAll(rig.file(QStringLiteral("standart.tka"))),
                 readAll(QDir(rig.seed).filePath(QStringLiteral("standart.tka"))));

        QCOMPARE(rig.pane(), humanIntro() + QStringLiteral("\r\n"));
        QCOMPARE(rig.shownPane(), humanIntro() + QStringLiteral("\n"));
        QCOMPARE(rig.main()->windowTitle(), QStringLiteral("Talkomat v1.0 [dialog.dlg]"));
        QVERIFY(rig.main()->isVisible());
        QVERIFY(rig.main()->isEnabled());
        QVERIFY(!rig.program->splash()->isVisible());
        QVERIFY(!QApplication::overrideCursor());
        QVERIFY(!rig.v.DialogSaved);
        QCOMPARE(rig.v.DialogFilePath, QString());

        // The default placement: 7155 x 5400 twips, its top (360 twips above the screen) pulled onto the screen.
        const double dx = Twips::dpiX(rig.main());
        const double dy = Twips::dpiY(rig.main());
        QCOMPARE(rig.main()->size(), QSize(Twips::toPixels(7155, dx), Twips::toPixels(5400, dy)));
        const QRect available = rig.main()->screen()->availableGeometry();
        QVERIFY(available.contains(rig.main()->frameGeometry().topLeft()));

        const QColor back = rig.find<TextPane>("rtfDialog")->palette().color(QPalette::Base);
        QCOMPARE(back, QColor(255, 255, 230));
        QCOMPARE(rig.find<TextPane>("rtfDialog")->font().family(), QStringLiteral("Arial"));
        QCOMPARE(rig.find<TextPane>("rtfDialog")->font().pointSizeF(), 10.0);
    }

    void splashShowsTheVersion() {
        Rig rig;
        QCOMPARE(rig.start(), Program::Start::Running);
        frmSplash* splash = rig.program->splash();
        const QLabel* title = splash->findChild<QLabel*>(QStringLiteral("lblTitle"));
        const QLabel* ver = splash->findChild<QLabel*>(QStringLiteral("lblVer"));
        const QLabel* info = splash->findChild<QLabel*>(QStringLiteral("lblInfo"));
        QVERIFY(title && ver && info && splash->findChild<QWidget*>(QStringLiteral("frMain")));
        QCOMPARE(title->text() + ver->text(), QStringLiteral("Talkomat v1.0"));
        QCOMPARE(info->text(), u8("Загрузка баз знаний..."));
        QVERIFY(ver->width() >= ver->sizeHint().width());
    }

    void damagedOptionsAreRecoveredWithoutAMessage() {
        Rig rig;
        QDir().mkpath(rig.folder);
        const QByteArray damaged = TextFile::joinLines(Options::defaultLines().mid(0, Options::RequiredLines - 1));
        QVERIFY(writeAll(rig.file(QStringLiteral("tk.ini")), damaged));

        QCOMPARE(rig.start(), Program::Start::Running);

        QVERIFY(rig.dialogs.asked().isEmpty());
        QCOMPARE(readAll(rig.file(QStringLiteral("tk.ini"))), TextFile::joinLines(Options::defaultLines()));
        QCOMPARE(readAll(rig.file(QStringLiteral("tk.ini.bak"))), damaged);
        QCOMPARE(rig.pane(), humanIntro() + QStringLiteral("\r\n"));
    }

    void personsOwnFilesAreKept() {
        Rig rig;
        QDir().mkpath(rig.folder);
        QVERIFY(writeAll(rig.file(QStringLiteral("standart.tka")), cp1251(u8("КТО ТЫ \r\nЯ Talkomat.\r\n"))));
        QCOMPARE(rig.start(), Program::Start::Running);
        QCOMPARE(rig.v.AnswerBase, QStringList({u8("КТО ТЫ "), u8("Я Talkomat.")}));
    }

    void failureInTheSecondRunEndsWithTheFileNamed() {
        Rig rig;
        QVERIFY(QFile::remove(QDir(rig.seed).filePath(QStringLiteral("standart.tks"))));
        // The message names the file by its full path, as the person finds it.
        rig.dialogs.expectMessageStartingWith(u8("Программа не может начать работу.\r\nНе удалось открыть файл \"") +
                                              QDir::toNativeSeparators(rig.file(QStringLiteral("standart.tks"))) +
                                              QStringLiteral("\": "));
        QCOMPARE(rig.start(), Program::Start::Failed);
        QVERIFY(rig.dialogs.verify());
        const ScriptedDialogs::Shown shown = rig.dialogs.shown().constFirst();
        QVERIFY2(shown.text.contains(QStringLiteral("standart.tks")), qPrintable(shown.text));
        QCOMPARE(shown.icon, Dialogs::Icon::Critical);
        QVERIFY(!rig.main());
        QVERIFY(!rig.program->splash()->isVisible());
    }

    void secondInstanceIsRefusedWhileTheFirstRuns() {
        Rig first;
        QCOMPARE(first.start(), Program::Start::Running);
        const QByteArray journal = readAll(first.file(QStringLiteral("ChatList.log")));
        QVERIFY(QFile::remove(first.file(QStringLiteral("standart.tkq"))));

        Variables v;
        FakeRandom random;
        FakeClock clock(QDateTime(QDate(2027, 1, 2), QTime(3, 4, 5)));
        ScriptedDialogs dialogs;
        dialogs.expectMessage(u8("Программа уже запущена!"));
        QSettings settings(first.temp.filePath(QStringLiteral("second.ini")), QSettings::IniFormat);
        Program second(ProgramContext{v, random, clock, dialogs, settings, first.folder, first.seed});

        QCOMPARE(second.start(), Program::Start::AlreadyRunning);

        QVERIFY(dialogs.verify());
        QCOMPARE(dialogs.shown().constFirst().title, u8("Сообщение"));
        QCOMPARE(dialogs.shown().constFirst().icon, Dialogs::Icon::Exclamation);
        QVERIFY(!second.mainWindow());
        QVERIFY(!second.splash());
        QVERIFY(!QFile::exists(first.file(QStringLiteral("standart.tkq"))));
        QCOMPARE(readAll(first.file(QStringLiteral("ChatList.log"))), journal);
        QVERIFY(first.main()->isVisible());

        // Once the first copy has gone, the next start works.
        first.dialogs.expectQuestion(u8("Выйти?"), true).expectQuestion(u8("Сохранить диалог перед выходом?"), false);
        QVERIFY(first.main()->close());
        first.program.reset();
        dialogs.clear();
        Program third(ProgramContext{v, random, clock, dialogs, settings, first.folder, first.seed});
        QCOMPARE(third.start(), Program::Start::Running);
        QVERIFY(dialogs.asked().isEmpty());
        dialogs.expectQuestion(u8("Выйти?"), true).expectQuestion(u8("Сохранить диалог перед выходом?"), false);
        QVERIFY(third.mainWindow()->close());
        QVERIFY(dialogs.verify());
    }

    void menuTree_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("parent");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QKeySequence>("shortcut");
        QTest::addColumn<bool>("visible");

        // The merge's last two items wait until both sources are chosen.
        const QStringList hidden{QStringLiteral("mnuSeparator2"), QStringLiteral("mnuRunSplit")};
        for (const MenuEntry& entry : ::menuTree()) {
            const QString name = QLatin1String(entry.name);
            QTest::newRow(entry.name) << name << QString(QLatin1String(entry.parent)) << entry.caption << entry.shortcut
                                      << !hidden.contains(name);
        }
    }
    void menuTree() {
        QFETCH(QString, name);
        QFETCH(QString, parent);
        QFETCH(QString, caption);
        QFETCH(QKeySequence, shortcut);
        QFETCH(bool, visible);
        Rig rig;
        QCOMPARE(rig.start(), Program::Start::Running);

        QAction* action = nullptr;
        QWidget* owner = nullptr;
        if (auto* menu = rig.main()->findChild<QMenu*>(name)) {
            action = menu->menuAction();
            owner =
                parent.isEmpty() ? static_cast<QWidget*>(rig.main()->menuBar()) : rig.main()->findChild<QMenu*>(parent);
        } else {
            action = rig.main()->findChild<QAction*>(name);
            owner = rig.main()->findChild<QMenu*>(parent);
        }
        QVERIFY2(action, qPrintable(name));
        QVERIFY(owner);
        QVERIFY(owner->actions().contains(action));
        if (caption.isEmpty())
            QVERIFY(action->isSeparator());
        else
            QCOMPARE(action->text(), caption);
        QCOMPARE(action->shortcut(), shortcut);
        QCOMPARE(action->isVisible(), visible);
        // Qt reports a hidden action as disabled; what counts is that it is not disabled on its own account.
        QCOMPARE(action->isEnabled(), visible);
        QCOMPARE(action->isChecked(), name == QLatin1String("mnuHuman"));

        rig.dialogs.expectQuestion(u8("Выйти?"), true).expectQuestion(u8("Сохранить диалог перед выходом?"), false);
        QVERIFY(rig.main()->close());
    }

    void menuOrderFollowsTheTree() {
        Rig rig;
        QCOMPARE(rig.start(), Program::Start::Running);
        // Every menu holds its entries in the tree's order, the menu bar its top menus.
        QHash<QString, QStringList> expected;
        for (const MenuEntry& entry : ::menuTree())
            expected[QString(QLatin1String(entry.parent))].append(QLatin1String(entry.name));
        for (auto it = expected.cbegin(); it != expected.cend(); ++it) {
            QStringList shown;
            const QWidget* owner = it.key().isEmpty() ? static_cast<QWidget*>(rig.main()->menuBar())
                                                      : rig.main()->findChild<QMenu*>(it.key());
            for (QAction* a : owner->actions())
                shown.append(a->menu() ? a->menu()->objectName() : a->objectName());
            QCOMPARE(shown, it.value());
        }
        QStringList split;
        for (QAction* a : rig.find<QMenu>("mnuSplit")->actions())
            if (a->isVisible())
                split.append(a->text());
        QCOMPARE(split, QStringList({Merge::firstCaption(), Merge::secondCaption()}));
        rig.dialogs.expectQuestion(u8("Выйти?"), true).expectQuestion(u8("Сохранить диалог перед выходом?"), false);
        QVERIFY(rig.main()->close());
    }

    void controls() {
        Rig rig;
        QCOMPARE(rig.start(), Program::Start::Running);
        QCOMPARE(rig.find<QLineEdit>("txtPhrase")->toolTip(), u8("Поле ввода реплики человека."));
        QCOMPARE(rig.find<TextPane>("rtfDialog")->toolTip(), u8("Поле вывода диалога."));
        QCOMPARE(rig.find<QPushButton>("cmdApply")->text(), u8("Принять"));
        QCOMPARE(rig.find<QLineEdit>("txtPhrase")->font().family(), QStringLiteral("Tahoma"));
        QCOMPARE(rig.find<QLineEdit>("txtPhrase")->nextInFocusChain(), rig.find<TextPane>("rtfDialog"));
        rig.dialogs.expectQuestion(u8("Выйти?"), true).expectQuestion(u8("Сохранить диалог перед выходом?"), false);
        QVERIFY(rig.main()->close());
    }

    void layoutOnResize_data() {
        QTest::addColumn<QSize>("size");
        QTest::newRow("default") << QSize(477, 360);
        QTest::newRow("wide") << QSize(780, 400);
        QTest::newRow("tall and narrow") << QSize(200, 580);
        QTest::newRow("odd sizes") << QSize(333, 271);
    }
    void layoutOnResize() {
        QFETCH(QSize, size);
        Rig rig;
        QCOMPARE(rig.start(), Program::Start::Running);
        rig.main()->resize(size);
        QApplication::processEvents();
        const QWidget* client = rig.main()->centralWidget();
        const QRect pane = rig.find<TextPane>("rtfDialog")->geometry();
        const QRect phrase = rig.find<QLineEdit>("txtPhrase")->geometry();
        const QRect apply = rig.find<QPushButton>("cmdApply")->geometry();
        const double dx = Twips::dpiX(rig.main());
        const double dy = Twips::dpiY(rig.main());
        const auto px = [](double twips, double dpi) { return twips * dpi / 1440.0; };

        // The pane hides a pixel of border left and two right; the phrase box sits under it at the bottom.
        QCOMPARE(pane.left(), Twips::toPixels(-15, dx));
        QVERIFY(qAbs(pane.width() - (client->width() + px(45, dx))) <= 1);
        QCOMPARE(pane.top(), 0);
        QVERIFY(qAbs(pane.height() - (client->height() - px(370, dy))) <= 1);
        QCOMPARE(phrase.left(), 0);
        QCOMPARE(phrase.width(), pane.width());
        QVERIFY(qAbs(phrase.top() - (client->height() - px(380, dy))) <= 1);
        QCOMPARE(phrase.height(), Twips::toPixels(375, dy));
        QVERIFY(phrase.bottom() < client->height());
        QVERIFY(phrase.top() <= pane.bottom() + 1);
        // The default button exists and is pressed by Enter, but no one ever sees it.
        QVERIFY(apply.bottom() < 0);

        rig.dialogs.expectQuestion(u8("Выйти?"), true).expectQuestion(u8("Сохранить диалог перед выходом?"), false);
        QVERIFY(rig.main()->close());
    }

    void enterInThePhraseBoxRunsATurn() {
        Rig rig;
        QCOMPARE(rig.start(), Program::Start::Running);
        auto* phrase = rig.find<QLineEdit>("txtPhrase");
        // What the pane shows, as a screen reader reads it, and what it announces.
        QAccessibleTextInterface* shown = QAccessible::queryAccessibleInterface(rig.rtfDialog())->textInterface();
        QVERIFY(shown);
        AccessibleEvents events;
        const int shownBefore = shown->characterCount();

        phrase->insert(u8("привет"));
        QTest::keyClick(phrase, Qt::Key_Return);

        const QString added = u8("\r\n<ЧЕЛОВЕК>Привет.\r\n<TK> Здравствуй!");
        QCOMPARE(rig.pane(), humanIntro() + QStringLiteral("\r\n") + added);
        QCOMPARE(rig.shownPane(), QString(rig.pane()).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
        QCOMPARE(rig.journal().mid(3), QStringList({u8("<ЧЕЛОВЕК>Привет."), u8("<TK> Здравствуй!")}));
        QCOMPARE(phrase->text(), QString());
        QVERIFY(!rig.v.DialogSaved);
        // Only the new lines went into the widget: the old text was not set again. The new lines are announced, so
        // that a screen reader speaks the reply.
        const QList<AccessibleEvents::Seen> inserted = events.ofType(QAccessible::TextInserted);
        QCOMPARE(inserted.size(), 1);
        const int changedFrom = inserted.constFirst().position;
        const int removed =
            int(events.ofType(QAccessible::TextRemoved).size() + events.ofType(QAccessible::TextUpdated).size());
        QCOMPARE(changedFrom, shownBefore);
        QCOMPARE(removed, 0);
        QCOMPARE(inserted.constFirst().inserted, QString(added).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
        QCOMPARE(inserted.constFirst().object, static_cast<QObject*>(rig.rtfDialog()));
        QCOMPARE(shown->cursorPosition(), shown->characterCount());
        QVERIFY(!events.ofType(QAccessible::TextCaretMoved).isEmpty());
        QCOMPARE(events.ofType(QAccessible::TextCaretMoved).constLast().cursor, shown->characterCount());
        QVERIFY(rig.main()->isEnabled());
        QVERIFY(!QApplication::overrideCursor());

        rig.dialogs.expectQuestion(u8("Выйти?"), true).expectQuestion(u8("Сохранить диалог перед выходом?"), false);
        QVERIFY(rig.main()->close());
    }

    // Ctrl+F from the phrase box opens the find row under the pane; Enter there finds rather than runs a turn, and
    // after Esc the phrase box has the focus and its Enter again.
    void findInThePaneKeepsThePhraseBoxItsEnter() {
        Rig rig;
        QCOMPARE(rig.start(), Program::Start::Running);
        rig.say(u8("привет"));
        QVERIFY(QTest::qWaitForWindowActive(rig.main()));
        const int paneHeight = rig.rtfDialog()->height();
        QTest::keyClick(rig.txtPhrase(), Qt::Key_F, Qt::ControlModifier);
        FindBar* bar = rig.main()->findChild<FindBar*>();
        QCOMPARE(rig.rtfDialog()->height() + bar->height(), paneHeight);
        const QString before = rig.pane();
        bar->field()->setText(u8("ПРИВЕТ"));
        QTest::keyClick(bar->field(), Qt::Key_Return);
        QCOMPARE(rig.pane(), before);
        QCOMPARE(rig.rtfDialog()->selectedText(), u8("Привет"));

        QTest::keyClick(bar->field(), Qt::Key_Escape);
        QCOMPARE(rig.rtfDialog()->height(), paneHeight);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QVERIFY(rig.pane() != before);
        QVERIFY(rig.quit());
    }

    void journalThatStopsTakingLinesIsToldOnce() {
        Rig rig;
        QCOMPARE(rig.start(), Program::Start::Running);
        const QString log = rig.file(QStringLiteral("ChatList.log"));
        QVERIFY(QFile::remove(log));
        QVERIFY(QDir().mkdir(log)); // a journal that cannot be opened any more
        rig.dialogs.expectMessageStartingWith(frmMain::journalFailedMessage());
        rig.say(u8("привет"));
        rig.say(u8("здорово"));
        QApplication::processEvents();
        QVERIFY(rig.dialogs.verify());
        QVERIFY(rig.pane().endsWith(u8("<ЧЕЛОВЕК>Здорово.\r\n<TK> Здравствуй!")));

        // Once it works again, a later failure is told again.
        QVERIFY(QDir().rmdir(log));
        rig.say(u8("привет"));
        QVERIFY(QFile::remove(log));
        QVERIFY(QDir().mkdir(log));
        rig.dialogs.expectMessageStartingWith(frmMain::journalFailedMessage());
        rig.say(u8("здорово"));
        QApplication::processEvents();
        QVERIFY(rig.dialogs.verify());
        QVERIFY(QDir().rmdir(log));
    }

    void stopDisablesTheRunningControls() {
        Rig rig;
        QCOMPARE(rig.start(), Program::Start::Running);
        auto* phrase = rig.find<QLineEdit>("txtPhrase");
        const QList<QObject*> running{rig.find<QPushButton>("cmdApply"), rig.find<QAction>("mnuStop"),
                                      rig.find<QAction>("mnuSave"), rig.find<QAction>("mnuSaveAs")};
        for (QObject* control : running)
            QVERIFY(control->property("enabled").toBool());

        rig.find<QAction>("mnuStop")->trigger();

        for (QObject* control : running)
            QVERIFY2(!control->property("enabled").toBool(), qPrintable(control->objectName()));
        QVERIFY(rig.v.DialogSaved);
        const QString stopped = humanIntro() + u8("\r\n\r\n\r\nДиалог завершен.");
        QCOMPARE(rig.pane(), stopped);
        QVERIFY(rig.find<QAction>("mnuSaveFile")->isEnabled());
        QVERIFY(rig.find<QAction>("mnuPrint")->isEnabled());

        phrase->insert(u8("привет"));
        QTest::keyClick(phrase, Qt::Key_Return);
        QCOMPARE(rig.pane(), stopped);
        QCOMPARE(phrase->text(), u8("привет"));
        QCOMPARE(rig.journal().size(), 3);

        rig.main()->Enter();
        QCOMPARE(rig.pane(), stopped + u8("\r\n<ЧЕЛОВЕК>Привет.\r\n<TK> Здравствуй!"));
        QCOMPARE(rig.journal().size(), 5);
        QVERIFY(!running.constFirst()->property("enabled").toBool());

        rig.find<QAction>("mnuNewDialog")->trigger();
        for (QObject* control : running)
            QVERIFY(control->property("enabled").toBool());
        QCOMPARE(rig.pane(), humanIntro() + QStringLiteral("\r\n"));

        rig.dialogs.expectQuestion(u8("Выйти?"), true).expectQuestion(u8("Сохранить диалог перед выходом?"), false);
        QVERIFY(rig.main()->close());
    }

    // The phrase box has the focus all the time; the menu's shortcuts must reach the menu through it.
    void menuShortcutsWorkFromThePhraseBox_data() {
        QTest::addColumn<int>("key");
        QTest::newRow("Ctrl+E stops") << int(Qt::Key_E);
        QTest::newRow("Ctrl+N starts anew") << int(Qt::Key_N);
    }
    void menuShortcutsWorkFromThePhraseBox() {
        QFETCH(int, key);
        Rig rig;
        QCOMPARE(rig.start(), Program::Start::Running);
        QVERIFY(QTest::qWaitForWindowActive(rig.main()));
        auto* phrase = rig.find<QLineEdit>("txtPhrase");
        phrase->setFocus();
        if (key == Qt::Key_N)
            rig.find<QAction>("mnuStop")->trigger();
        const QString before = rig.pane();

        QTest::keyClick(phrase, Qt::Key(key), Qt::ControlModifier);

        if (key == Qt::Key_E) {
            QVERIFY(rig.pane().endsWith(u8("Диалог завершен.")));
            QVERIFY(!rig.find<QPushButton>("cmdApply")->isEnabled());
        } else {
            QVERIFY(rig.pane() != before);
            QVERIFY(rig.find<QPushButton>("cmdApply")->isEnabled());
        }
        rig.dialogs.expectQuestion(u8("Выйти?"), true);
        if (!rig.v.DialogSaved)
            rig.dialogs.expectQuestion(u8("Сохранить диалог перед выходом?"), false);
        QVERIFY(rig.main()->close());
    }

    void stopMacroEndsTheDialogue() {
        Rig rig;
        QCOMPARE(rig.start(), Program::Start::Running);
        auto* phrase = rig.find<QLineEdit>("txtPhrase");
        phrase->insert(u8("Пока"));
        QTest::keyClick(phrase, Qt::Key_Return);
        QVERIFY(!rig.find<QPushButton>("cmdApply")->isEnabled());
        QVERIFY(!rig.find<QAction>("mnuSave")->isEnabled());
        QVERIFY(rig.pane().endsWith(u8("До встречи, Человек! \r\n\r\nДиалог завершен.")));
        QVERIFY(rig.shownPane().endsWith(u8("\n\nДиалог завершен.")));
        rig.dialogs.expectQuestion(u8("Выйти?"), true);
        QVERIFY(rig.main()->close());
        QVERIFY(rig.dialogs.verify());
    }

    void programStartsWithItsOnlyQuestion() {
        Rig rig;
        QCOMPARE(rig.start(), Program::Start::Running);
        rig.find<QAction>("mnuProgramm")->trigger();
        QVERIFY(rig.find<QAction>("mnuProgramm")->isChecked());
        QVERIFY(!rig.find<QAction>("mnuHuman")->isChecked());
        QCOMPARE(rig.pane(), humanIntro() + QStringLiteral("\r\n"));

        rig.find<QAction>("mnuNewDialog")->trigger();

        QCOMPARE(rig.pane(), programStartsIntro() + u8("\r\n\r\n<TK> Как тебя зовут?"));
        QCOMPARE(
            rig.journal().mid(rig.journal().size() - 3),
            QStringList({QStringLiteral("\r"), u8("[Дата: 12-06-2026; Время: 09:05:41]"), u8("<TK> Как тебя зовут?")}));
        rig.dialogs.expectQuestion(u8("Выйти?"), true).expectQuestion(u8("Сохранить диалог перед выходом?"), false);
        QVERIFY(rig.main()->close());
    }

    void programCannotStartWithoutQuestions() {
        Rig rig;
        rig.seedFile(QStringLiteral("standart.tkq"), QString());
        QCOMPARE(rig.start(), Program::Start::Running);
        rig.find<QAction>("mnuStop")->trigger();
        const QString before = rig.pane();
        const QByteArray journal = readAll(rig.file(QStringLiteral("ChatList.log")));
        rig.find<QAction>("mnuProgramm")->trigger();
        rig.dialogs.expectMessage(
            u8("Новый диалог не может быть начат, так\r\nкак программа не знает ни одного вопроса."));

        rig.find<QAction>("mnuNewDialog")->trigger();

        QVERIFY(rig.dialogs.verify());
        QCOMPARE(rig.dialogs.shown().constLast().title, u8("Сообщение"));
        QCOMPARE(rig.dialogs.shown().constLast().icon, Dialogs::Icon::Information);
        QCOMPARE(rig.pane(), before);
        QCOMPARE(readAll(rig.file(QStringLiteral("ChatList.log"))), journal);
        QCOMPARE(rig.main()->windowTitle(), QStringLiteral("Talkomat v1.0 [dialog.dlg]"));
        QVERIFY(rig.find<QPushButton>("cmdApply")->isEnabled());
        QVERIFY(rig.find<QAction>("mnuSaveAs")->isEnabled());
        QVERIFY(!rig.v.DialogSaved);

        rig.dialogs.expectQuestion(u8("Выйти?"), true).expectQuestion(u8("Сохранить диалог перед выходом?"), false);
        QVERIFY(rig.main()->close());
    }

    void shutDown_data() {
        QTest::addColumn<bool>("dialogSaved");
        QTest::addColumn<bool>("basesChanged");
        QTest::addColumn<QList<bool>>("answers");
        QTest::addColumn<QStringList>("expectedQuestions");
        QTest::addColumn<bool>("closes");
        QTest::addColumn<bool>("dialogueSaveRuns");
        QTest::addColumn<bool>("basesWritten");

        const QString exit = u8("Выйти?");
        const QString dialogue = u8("Сохранить диалог перед выходом?");
        const QString bases = u8("Сохранить базы знаний перед выходом?");
        QTest::newRow("no to exit changes nothing")
            << false << true << QList<bool>{false} << QStringList{exit} << false << false << false;
        QTest::newRow("saved and unchanged: only the exit question")
            << true << false << QList<bool>{true} << QStringList{exit} << true << false << false;
        QTest::newRow("unsaved dialogue kept")
            << false << false << QList<bool>{true, true} << QStringList{exit, dialogue} << true << true << false;
        QTest::newRow("unsaved dialogue dropped")
            << false << false << QList<bool>{true, false} << QStringList{exit, dialogue} << true << false << false;
        QTest::newRow("changed bases saved")
            << true << true << QList<bool>{true, true} << QStringList{exit, bases} << true << false << true;
        QTest::newRow("changed bases dropped")
            << true << true << QList<bool>{true, false} << QStringList{exit, bases} << true << false << false;
        QTest::newRow("all three questions") << false << true << QList<bool>{true, false, true}
                                             << QStringList{exit, dialogue, bases} << true << false << true;
    }
    void shutDown() {
        QFETCH(bool, dialogSaved);
        QFETCH(bool, basesChanged);
        QFETCH(QList<bool>, answers);
        QFETCH(QStringList, expectedQuestions);
        QFETCH(bool, closes);
        QFETCH(bool, dialogueSaveRuns);
        QFETCH(bool, basesWritten);

        Rig rig;
        QCOMPARE(rig.start(), Program::Start::Running);
        // A dialogue that has its file is saved without a chooser: whether the file appears tells that the save ran.
        const QString dialogueFile = rig.file(QStringLiteral("kept.dlg"));
        rig.v.DialogFilePath = dialogueFile;
        if (dialogSaved)
            rig.find<QAction>("mnuStop")->trigger();
        if (basesChanged) {
            rig.v.SynonymBase.append({u8(" ХАТА "), u8(" ДОМ ")});
            rig.v.SynonymCount = 4;
            rig.v.SynonymBaseChanged = true;
        }
        const QByteArray synonymsBefore = readAll(rig.file(QStringLiteral("standart.tks")));
        const QByteArray optionsBefore = readAll(rig.file(QStringLiteral("tk.ini")));
        const QDateTime optionsTime = QFileInfo(rig.file(QStringLiteral("tk.ini"))).lastModified();
        for (qsizetype i = 0; i < answers.size(); ++i)
            rig.dialogs.expectQuestion(expectedQuestions.at(i), answers.at(i));
        const bool savedBefore = rig.v.DialogSaved;
        const QString paneBefore = rig.pane();

        QCOMPARE(rig.main()->close(), closes);

        QVERIFY(rig.dialogs.verify());
        for (const ScriptedDialogs::Shown& shown : rig.dialogs.shown())
            QCOMPARE(shown.title, u8("Вопрос"));
        QCOMPARE(rig.main()->isVisible(), !closes);
        const int dialogueSaves = QFileInfo::exists(dialogueFile) ? 1 : 0;
        QCOMPARE(dialogueSaves, dialogueSaveRuns ? 1 : 0);
        const QByteArray synonymsAfter = readAll(rig.file(QStringLiteral("standart.tks")));
        if (basesWritten)
            QCOMPARE(synonymsAfter, cp1251(u8(" ЗДОРОВО \r\n ПРИВЕТ \r\n ХАТА \r\n ДОМ \r\n")));
        else
            QCOMPARE(synonymsAfter, synonymsBefore);
        QCOMPARE(readAll(rig.file(QStringLiteral("tk.ini"))), optionsBefore);
        QCOMPARE(QFileInfo(rig.file(QStringLiteral("tk.ini"))).lastModified(), optionsTime);
        QCOMPARE(rig.settings->contains(QStringLiteral("Settings/MainWidth")), closes);
        QVERIFY(!QApplication::overrideCursor());
        if (!closes) {
            QCOMPARE(rig.v.DialogSaved, savedBefore);
            QCOMPARE(rig.v.SynonymBaseChanged, basesChanged);
            QCOMPARE(rig.pane(), paneBefore);
            rig.dialogs.clear();
            rig.dialogs.expectQuestion(u8("Выйти?"), true)
                .expectQuestion(u8("Сохранить диалог перед выходом?"), false)
                .expectQuestion(u8("Сохранить базы знаний перед выходом?"), false);
            QVERIFY(rig.main()->close());
        }
    }

    void basesThatCannotBeWrittenKeepTheProgramOpen() {
        Rig rig;
        QCOMPARE(rig.start(), Program::Start::Running);
        rig.find<QAction>("mnuStop")->trigger();
        rig.v.QuestionBaseFile = QStringLiteral("tk.ini/lost.tkq");
        rig.v.QuestionBaseChanged = true;
        const QByteArray answers = readAll(rig.file(QStringLiteral("standart.tka")));
        rig.dialogs.expectQuestion(u8("Выйти?"), true)
            .expectQuestion(u8("Сохранить базы знаний перед выходом?"), true)
            .expectMessageStartingWith(u8("Не удалось записать файл \"") +
                                       QDir::toNativeSeparators(rig.file(QStringLiteral("tk.ini/lost.tkq"))) +
                                       QStringLiteral("\": "));

        QVERIFY(!rig.main()->close());

        QVERIFY(rig.dialogs.verify());
        const ScriptedDialogs::Shown error = rig.dialogs.shown().constLast();
        QCOMPARE(error.title, u8("Ошибка"));
        QCOMPARE(error.icon, Dialogs::Icon::Critical);
        QVERIFY(error.text.contains(u8("Программа продолжает работу")));
        rig.dialogs.clear();
        QVERIFY(rig.main()->isVisible());
        QVERIFY(rig.main()->isEnabled());
        QVERIFY(!QApplication::overrideCursor());
        QCOMPARE(readAll(rig.file(QStringLiteral("standart.tka"))), answers);
        QVERIFY(!rig.settings->contains(QStringLiteral("Settings/MainWidth")));

        rig.dialogs.expectQuestion(u8("Выйти?"), true)
            .expectQuestion(u8("Сохранить базы знаний перед выходом?"), false);
        QVERIFY(rig.main()->close());
        QVERIFY(rig.dialogs.verify());
    }

    void placementWrittenAndReadBack() {
        Rig rig;
        rig.settings->setValue(QStringLiteral("Settings/MainLeft"), QStringLiteral("1500"));
        rig.settings->setValue(QStringLiteral("Settings/MainTop"), QStringLiteral("1200"));
        rig.settings->setValue(QStringLiteral("Settings/MainWidth"), QStringLiteral("6000"));
        rig.settings->setValue(QStringLiteral("Settings/MainHeight"), QStringLiteral("4500"));
        QCOMPARE(rig.start(), Program::Start::Running);
        const double dx = Twips::dpiX(rig.main());
        const double dy = Twips::dpiY(rig.main());
        QCOMPARE(rig.main()->pos(), QPoint(Twips::toPixels(1500, dx), Twips::toPixels(1200, dy)));
        QCOMPARE(rig.main()->size(), QSize(Twips::toPixels(6000, dx), Twips::toPixels(4500, dy)));

        rig.main()->setGeometry(QRect(QPoint(Twips::toPixels(3000, dx), Twips::toPixels(750, dy)),
                                      QSize(Twips::toPixels(8010, dx), Twips::toPixels(5010, dy))));
        QApplication::processEvents();
        const QPoint pos = rig.main()->pos();
        const QSize size = rig.main()->size();
        rig.dialogs.expectQuestion(u8("Выйти?"), true).expectQuestion(u8("Сохранить диалог перед выходом?"), false);
        QVERIFY(rig.main()->close());
        QCOMPARE(rig.settings->value(QStringLiteral("Settings/MainLeft")).toString(),
                 QString::number(qRound(Twips::fromPixels(pos.x(), dx))));
        QCOMPARE(rig.settings->value(QStringLiteral("Settings/MainHeight")).toString(),
                 QString::number(qRound(Twips::fromPixels(size.height(), dy))));
        rig.program.reset();

        rig.v = Variables();
        rig.dialogs.clear();
        QCOMPARE(rig.start(), Program::Start::Running);
        QCOMPARE(rig.main()->pos(), pos);
        QCOMPARE(rig.main()->size(), size);
        rig.dialogs.expectQuestion(u8("Выйти?"), true).expectQuestion(u8("Сохранить диалог перед выходом?"), false);
        QVERIFY(rig.main()->close());
    }

    void placementOffEveryScreenIsPulledBack() {
        Rig rig;
        rig.settings->setValue(QStringLiteral("Settings/MainLeft"), QStringLiteral("-90000"));
        rig.settings->setValue(QStringLiteral("Settings/MainTop"), QStringLiteral("90000"));
        QCOMPARE(rig.start(), Program::Start::Running);
        QVERIFY2(rig.main()->screen()->availableGeometry().contains(rig.main()->frameGeometry()),
                 qPrintable(QStringLiteral("%1,%2 %3x%4 on %5x%6")
                                .arg(rig.main()->frameGeometry().x())
                                .arg(rig.main()->frameGeometry().y())
                                .arg(rig.main()->frameGeometry().width())
                                .arg(rig.main()->frameGeometry().height())
                                .arg(rig.main()->screen()->availableGeometry().width())
                                .arg(rig.main()->screen()->availableGeometry().height())));
        rig.dialogs.expectQuestion(u8("Выйти?"), true).expectQuestion(u8("Сохранить диалог перед выходом?"), false);
        QVERIFY(rig.main()->close());
    }

    void damagedSizeFallsBack_data() {
        QTest::addColumn<QString>("width");
        QTest::addColumn<QString>("height");
        QTest::addColumn<bool>("defaultSize"); // else: shrunk onto the screen
        QTest::newRow("width beyond any screen") << "1e30"
                                                 << "5400" << true;
        QTest::newRow("no width, negative height") << "0"
                                                   << "-5000" << true;
        QTest::newRow("not finite") << "inf"
                                    << "nan" << true;
        QTest::newRow("too small for the menus") << "150"
                                                 << "300" << true;
        QTest::newRow("larger than the screen") << "90000"
                                                << "90000" << false;
    }
    void damagedSizeFallsBack() {
        QFETCH(QString, width);
        QFETCH(QString, height);
        QFETCH(bool, defaultSize);
        Rig rig;
        rig.settings->setValue(QStringLiteral("Settings/MainWidth"), width);
        rig.settings->setValue(QStringLiteral("Settings/MainHeight"), height);
        QCOMPARE(rig.start(), Program::Start::Running);
        const double dx = Twips::dpiX(rig.main());
        const double dy = Twips::dpiY(rig.main());
        const QRect available = rig.main()->screen()->availableGeometry();
        if (defaultSize)
            QCOMPARE(rig.main()->size(), QSize(Twips::toPixels(7155, dx), Twips::toPixels(5400, dy)));
        else
            QVERIFY(available.contains(rig.main()->frameGeometry()));
        QVERIFY(rig.main()->width() >= qMin(rig.main()->menuBar()->sizeHint().width(), available.width()));
        // What is stored at exit is a usable size, so the next start is usable too.
        const QSize size = rig.main()->size();
        QVERIFY(rig.quit());
        rig.program.reset();
        rig.v = Variables();
        QCOMPARE(rig.start(), Program::Start::Running);
        QCOMPARE(rig.main()->size(), size);
        QVERIFY(rig.quit());
    }

    void minimisedWindowKeepsTheStoredPlacement() {
        Rig rig;
        rig.settings->setValue(QStringLiteral("Settings/MainLeft"), QStringLiteral("750"));
        QCOMPARE(rig.start(), Program::Start::Running);
        rig.main()->move(300, 200);
        rig.main()->setWindowState(Qt::WindowMinimized);
        QVERIFY(rig.main()->isMinimized());
        rig.dialogs.expectQuestion(u8("Выйти?"), true).expectQuestion(u8("Сохранить диалог перед выходом?"), false);
        QVERIFY(rig.main()->close());
        QCOMPARE(rig.settings->value(QStringLiteral("Settings/MainLeft")).toString(), QStringLiteral("750"));
        QVERIFY(!rig.settings->contains(QStringLiteral("Settings/MainTop")));
    }

    void exitMenuItemAsks() {
        Rig rig;
        QCOMPARE(rig.start(), Program::Start::Running);
        rig.dialogs.expectQuestion(u8("Выйти?"), false);
        rig.find<QAction>("mnuExit")->trigger();
        QVERIFY(rig.dialogs.verify());
        QVERIFY(rig.main()->isVisible());
        rig.dialogs.expectQuestion(u8("Выйти?"), true).expectQuestion(u8("Сохранить диалог перед выходом?"), false);
        rig.find<QAction>("mnuExit")->trigger();
        QVERIFY(!rig.main()->isVisible());
    }

    void helpAndAbout() {
        Rig rig;
        QCOMPARE(rig.start(), Program::Start::Running);
        rig.dialogs.expectHelp(rig.file(QStringLiteral("help.hlp")));
        rig.find<QAction>("mnuHelp")->trigger();
        QCOMPARE(rig.dialogs.shown().constLast().topic, 1);

        QString version;
        rig.dialogs.expectModal(QStringLiteral("frmAbout"), [&](QDialog& about) {
            if (const QLabel* label = about.findChild<QLabel*>(QStringLiteral("lblVersion")))
                version = label->text();
        });
        rig.find<QAction>("mnuAbout")->trigger();
        QVERIFY(rig.dialogs.verify());
        QVERIFY2(version.contains(QStringLiteral("1.0")), qPrintable(version));

        rig.dialogs.expectQuestion(u8("Выйти?"), true).expectQuestion(u8("Сохранить диалог перед выходом?"), false);
        QVERIFY(rig.main()->close());
    }

    void longDialogueAppendsStayCheap() {
        Rig rig;
        QCOMPARE(rig.start(), Program::Start::Running);
        auto* phrase = rig.find<QLineEdit>("txtPhrase");
        for (int i = 0; i < 200; ++i) {
            rig.random.push(0.0);
            rig.random.push(0.0);
            phrase->setText(QStringLiteral("фраза номер %1").arg(i));
            rig.main()->Enter();
        }
        QCOMPARE(rig.shownPane(), QString(rig.pane()).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
        QCOMPARE(rig.journal().size(), 3 + 400);
        rig.dialogs.expectQuestion(u8("Выйти?"), true)
            .expectQuestion(u8("Сохранить диалог перед выходом?"), false)
            .expectQuestion(u8("Сохранить базы знаний перед выходом?"), false);
        QVERIFY(rig.main()->close());
    }
};

QTEST_MAIN(tst_frmMain)
#include "tst_frmmain.moc"
