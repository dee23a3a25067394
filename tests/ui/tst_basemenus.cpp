// The menu "Базы знаний" of the running program: the editors and statistics, choosing and creating base files,
// and the merge.
#include "ProgramRig.h"
#include "core/Options.h"
#include "core/TextFile.h"
#include "engine/BaseEdit.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest/QTest>

#include <memory>

namespace {

const QString allKinds =
    u8("Базы знаний ответов (*.tka)|*.tka|Базы знаний вопросов (*.tkq)|*.tkq|Базы знаний синонимов (*.tks)|*.tks");
const QString mergeSources =
    u8("Базы знаний ответов (*.tka)|*.tka| Базы знаний вопросов (*.tkq)|*.tkq| Базы знаний синонимов (*.tks)|*.tks");

// The shared installation with smaller bases: two answers and a single question.
struct Rig : ProgramRig {
    Rig() {
        seedFile(QStringLiteral("standart.tka"), u8("ПРИВЕТ \r\nЗдравствуй!\r\nПОКА \r\nДо встречи.\r\n"));
        seedFile(QStringLiteral("standart.tkq"), u8("Как тебя зовут?\r\n"));
    }

    bool start() { return ProgramRig::start() == Program::Start::Running; }
    bool write(const QString& name, const QString& text) const { return writeAll(file(name), cp1251(text)); }
    QStringList options() const { return TextFile::readLines(file(QStringLiteral("tk.ini"))).value(); }

    // Ends the program, declining whatever saving it offers.
    void close() {
        dialogs.clear();
        QVERIFY(quit());
    }
};

template <typename T> T* child(QDialog& window, const char* name) {
    return window.findChild<T*>(QLatin1String(name));
}

} // namespace

class tst_BaseMenus : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { VERIFY_NOTHING_LEFT_OPEN(); }

    // --- why this answer (F2 and the pane's context menu)

    // A hundred other pairs first, so that the pair's row must be scrolled to. Draws per answer: two for no question
    // and one for the reply; a rebuke draws its retort first, and 0.9 and the question's draw add a question. `menuOn`
    // is the line the pane's context menu is opened on; without it F2 is pressed in the phrase box.
    void whyOpensTheEditorOnTheEntryTheTurnUsed_data() {
        QTest::addColumn<QStringList>("phrases");
        QTest::addColumn<QList<double>>("draws");
        QTest::addColumn<QList<int>>("deleted");
        QTest::addColumn<QString>("menuOn");
        QTest::addColumn<QString>("says");
        QTest::addColumn<QString>("editor");
        QTest::addColumn<int>("row");
        const QStringList hello{u8("привет")};
        const QList<double> second{0, 0, 0.75};
        QTest::newRow("the second of two equal pairs")
            << hello << second << QList<int>() << QString() << u8("Выбрана пара № 102") << u8("frmAnswers") << 101;
        QTest::newRow("moved up by a deletion")
            << hello << second << QList<int>{0} << QString() << u8("сдвинулась") << u8("frmAnswers") << 100;
        QTest::newRow("deleted since") << hello << second << QList<int>{101, 100} << QString() << u8("больше нет")
                                       << QString() << -1;
        QTest::newRow("a question after a rebuke")
            << QStringList{u8("ого")} << QList<double>{0, 0.9, 0.75, 0} << QList<int>() << QString() << u8("вопрос № 2")
            << u8("frmQuestions") << 1;
        QTest::newRow("the menu on an earlier answer")
            << QStringList{u8("привет"), u8("ого")} << (second + QList<double>{0, 0, 0, 0}) << QList<int>()
            << u8("<TK> Здравствуй!") << u8("Выбрана пара № 102") << u8("frmAnswers") << 101;
        QTest::newRow("the menu on a person's line")
            << hello << second << QList<int>() << u8("<ЧЕЛОВЕК>Привет.") << QString() << QString() << -1;
    }
    void whyOpensTheEditorOnTheEntryTheTurnUsed() {
        QFETCH(QList<double>, draws);
        QFETCH(QString, menuOn);
        QFETCH(QString, says);
        QFETCH(QString, editor);
        Rig rig;
        rig.seedFile(QStringLiteral("standart.tka"),
                     u8("ДРУГОЕ \r\nДругое.\r\n").repeated(100) + u8("ПРИВЕТ \r\nЗдравствуй!\r\n").repeated(2));
        rig.seedFile(QStringLiteral("standart.tkq"), u8("Как тебя зовут?\r\nСколько тебе лет?\r\n"));
        QVERIFY(rig.start());
        rig.random.clear();
        for (const double draw : draws)
            rig.random.push(draw);
        QFETCH(QStringList, phrases);
        for (const QString& phrase : phrases)
            rig.say(phrase);
        QFETCH(QList<int>, deleted);
        for (const int pair : deleted)
            BaseEdit::DeleteAnswer(rig.v, pair);
        QString text;
        bool canEdit = false;
        if (!says.isEmpty())
            rig.dialogs.add({ScriptedDialogs::Kind::Modal, u8("frmWhy"), {}, true, [&](QDialog& why) {
                                 text =
                                     why.windowTitle() + u8(": ") + child<QPlainTextEdit>(why, "txtWhy")->toPlainText();
                                 canEdit = child<QPushButton>(why, "cmdEdit")->isEnabled();
                             }});
        QList<int> selected;
        if (!editor.isEmpty())
            rig.dialogs.expectModal(editor, [&](QDialog& window) {
                window.show();
                for (QListView* list : window.findChildren<QListView*>())
                    if (list->viewport()->rect().contains(list->visualRect(list->currentIndex())))
                        selected.append(list->currentIndex().row());
                window.hide();
            });
        bool offered = true;
        if (menuOn.isEmpty()) {
            QVERIFY(QTest::qWaitForWindowActive(rig.main()));
            QTest::keyClick(rig.txtPhrase(), Qt::Key_F2);
        } else {
            connect(rig.rtfDialog(), &TextPane::contextMenuOpening, this, [&offered](QMenu* menu, qsizetype) {
                QAction* why = menu->findChild<QAction*>(QStringLiteral("mnuWhy"));
                offered = why && why->isEnabled();
                QTimer::singleShot(0, menu, [menu, why, offered] {
                    menu->close();
                    if (offered)
                        why->trigger();
                });
            });
            // Right-clicked there; the caret stays at the end, on the last answer.
            const QPoint at = rig.rtfDialog()->characterRect(rig.pane().indexOf(menuOn) + 2).center();
            QWidget* viewport = rig.rtfDialog()->viewport();
            QContextMenuEvent click(QContextMenuEvent::Mouse, at, viewport->mapToGlobal(at));
            QApplication::sendEvent(viewport, &click);
        }

        QVERIFY(rig.dialogs.verify());
        QCOMPARE(offered, !says.isEmpty());
        QVERIFY2(text.startsWith(u8("Почему такой ответ: Ваша фраза: ")) == !says.isEmpty() && text.contains(says),
                 qPrintable(text));
        QCOMPARE(canEdit, !editor.isEmpty());
        QFETCH(int, row);
        const qsizetype lists = editor == QLatin1String("frmAnswers") ? 2 : editor.isEmpty() ? 0 : 1;
        QCOMPARE(selected, QList<int>(lists, row));
        rig.close();
    }

    // --- editors and statistics

    void answerAddedInTheEditorAnswersTheNextTurn() {
        Rig rig;
        QVERIFY(rig.start());
        rig.dialogs.expectModal(QStringLiteral("frmAnswers"), [](QDialog& editor) {
            child<QLineEdit>(editor, "txtKeyWords")->setText(u8("погода"));
            child<QLineEdit>(editor, "txtAnswer")->setText(u8("солнечно"));
            child<QPushButton>(editor, "cmdAdd")->click();
            QCOMPARE(child<QListView>(editor, "lstAnswers")->currentIndex().data().toString(), u8("Солнечно."));
        });

        rig.action("mnuAnswers")->trigger();
        rig.say(u8("Погода?"));

        QVERIFY(rig.dialogs.verify());
        QVERIFY2(rig.pane().endsWith(u8("<ЧЕЛОВЕК>Погода?\r\n<TK> Солнечно.")), qPrintable(rig.pane()));
        QVERIFY(rig.v.AnswerBaseChanged);
        rig.close();
    }

    void synonymAddedInTheEditorWidensTheNextTurn() {
        Rig rig;
        QVERIFY(rig.start());
        rig.dialogs.expectModal(QStringLiteral("frmSinonims"), [](QDialog& editor) {
            child<QLineEdit>(editor, "txtWord")->setText(u8("хай"));
            child<QLineEdit>(editor, "txtSinonim")->setText(u8("привет"));
            child<QPushButton>(editor, "cmdAdd")->click();
        });
        rig.action("mnuSinonim")->trigger();
        rig.say(u8("хай"));
        QVERIFY(rig.dialogs.verify());
        QVERIFY2(rig.pane().endsWith(u8("<TK> Здравствуй!")), qPrintable(rig.pane()));
        rig.close();
    }

    void questionsDeletedInTheEditorAreGone() {
        Rig rig;
        QVERIFY(rig.start());
        rig.dialogs.expectModal(QStringLiteral("frmQuestions"), [](QDialog& editor) {
            auto* list = child<QListView>(editor, "lstQuestList");
            QCOMPARE(list->model()->rowCount(), 1);
            list->setCurrentIndex(list->model()->index(0, 0));
            child<QPushButton>(editor, "cmdDel")->click();
        });
        rig.action("mnuQuestions")->trigger();
        QVERIFY(rig.dialogs.verify());
        QCOMPARE(rig.v.QuestionCount, qint16(0));
        QVERIFY(rig.v.QuestionBaseChanged);
        rig.close();
    }

    void statisticsFollowTheBases() {
        Rig rig;
        QVERIFY(rig.start());
        const auto expectCounts = [&rig](const char* a, const char* q, const char* sPairs) {
            rig.dialogs.expectModal(QStringLiteral("frmStatistics"), [a, q, sPairs](QDialog& window) {
                QCOMPARE(child<QLabel>(window, "lblA")->text(), QLatin1String(a));
                QCOMPARE(child<QLabel>(window, "lblQ")->text(), QLatin1String(q));
                QCOMPARE(child<QLabel>(window, "lblS")->text(), QLatin1String(sPairs));
            });
            rig.action("mnuStatistics")->trigger();
        };
        expectCounts("2", "1", "1");
        // One addition in the synonym editor stores two pairs.
        rig.dialogs.expectModal(QStringLiteral("frmSinonims"), [](QDialog& editor) {
            child<QLineEdit>(editor, "txtWord")->setText(u8("кот"));
            child<QLineEdit>(editor, "txtSinonim")->setText(u8("кошка"));
            child<QPushButton>(editor, "cmdAdd")->click();
        });
        rig.action("mnuSinonim")->trigger();
        expectCounts("2", "1", "3");
        QVERIFY(rig.dialogs.verify());
        rig.close();
    }

    // --- choosing a base file

    void choose_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("content");
        QTest::addColumn<qsizetype>("option"); // -1: no option changes
        const qsizetype answers = Options::indexOf(&Variables::AnswerBaseFile);
        QTest::newRow("answers") << QStringLiteral("my.tka") << u8("КОТ \r\nМяу.\r\n") << answers;
        QTest::newRow("questions") << QStringLiteral("my.tkq") << u8("Кто ты?\r\nГде ты?\r\n")
                                   << Options::indexOf(&Variables::QuestionBaseFile);
        QTest::newRow("synonyms, upper-cased")
            << QStringLiteral("my.tks") << u8(" кот \r\n кошка \r\n") << Options::indexOf(&Variables::SynonymBaseFile);
        QTest::newRow("capital extension loads nothing")
            << QStringLiteral("MY.TKA") << u8("КОТ \r\nМяу.\r\n") << qsizetype(-1);
        QTest::newRow("another kind loads nothing")
            << QStringLiteral("my.txt") << u8("КОТ \r\nМяу.\r\n") << qsizetype(-1);
        QTest::newRow("empty file is an empty base") << QStringLiteral("empty.tka") << QString() << answers;
    }
    void choose() {
        QFETCH(QString, name);
        QFETCH(QString, content);
        QFETCH(qsizetype, option);
        Rig rig;
        QVERIFY(rig.start());
        rig.say(u8("привет"));
        QVERIFY(rig.write(name, content));
        const QStringList optionsBefore = rig.options();
        const Variables before = rig.v;
        const QString paneBefore = rig.pane();
        // The options file is written whenever a file was chosen, even with nothing to change.
        QVERIFY(QFile::remove(rig.file(QStringLiteral("tk.ini"))));
        rig.dialogs.add({ScriptedDialogs::Kind::OpenFile, u8("Выбор базы знаний"), rig.file(name)});

        rig.action("mnuChoose")->trigger();

        QVERIFY(rig.dialogs.verify());
        const ScriptedDialogs::Shown chooser = rig.dialogs.lastChooser();
        QCOMPARE(chooser.filter, allKinds);
        QCOMPARE(QDir(chooser.folder).canonicalPath(), QDir(rig.folder).canonicalPath());
        QStringList expectedOptions = optionsBefore;
        if (option >= 0)
            expectedOptions[option] = rig.file(name);
        QCOMPARE(rig.options(), expectedOptions);

        QStringList lines = TextFile::splitLines(cp1251(content));
        if (name.endsWith(QLatin1String(".tks")))
            for (QString& line : lines)
                line = line.toUpper();
        QCOMPARE(rig.v.AnswerBase, option == Options::indexOf(&Variables::AnswerBaseFile) ? lines : before.AnswerBase);
        QCOMPARE(rig.v.QuestionBase,
                 option == Options::indexOf(&Variables::QuestionBaseFile) ? lines : before.QuestionBase);
        QCOMPARE(rig.v.SynonymBase,
                 option == Options::indexOf(&Variables::SynonymBaseFile) ? lines : before.SynonymBase);
        QCOMPARE(rig.v.AnswerCount, qint16(rig.v.AnswerBase.size()));
        QCOMPARE(rig.v.QuestionCount, qint16(rig.v.QuestionBase.size()));
        QCOMPARE(rig.v.SynonymCount, qint16(rig.v.SynonymBase.size()));
        // Nothing else is reset: the dialogue goes on.
        QCOMPARE(rig.pane(), paneBefore);
        QCOMPARE(rig.v.PreviousPhrase, before.PreviousPhrase);
        QVERIFY(rig.main()->isEnabled());
        QVERIFY(!QApplication::overrideCursor());
        rig.close();
    }

    void choosingTheLoadedAnswerBaseReloadsIt() {
        Rig rig;
        QVERIFY(rig.start());
        rig.dialogs.expectModal(QStringLiteral("frmAnswers"),
                                [](QDialog& editor) { child<QPushButton>(editor, "cmdClear")->click(); });
        rig.action("mnuAnswers")->trigger();
        QCOMPARE(rig.v.AnswerCount, qint16(0));
        rig.dialogs.add(
            {ScriptedDialogs::Kind::OpenFile, u8("Выбор базы знаний"), rig.file(QStringLiteral("standart.tka"))});

        rig.action("mnuChoose")->trigger();

        QCOMPARE(rig.v.AnswerCount, qint16(4));
        QVERIFY(rig.v.AnswerBaseChanged);
        rig.close();
    }

    void choosingAQuestionBaseKeepsTheDialogue() {
        Rig rig;
        QVERIFY(rig.start());
        rig.action("mnuProgramm")->trigger();
        rig.action("mnuNewDialog")->trigger();
        const QList<qint16> asked = rig.v.AskedQuestions;
        QVERIFY(!asked.isEmpty());
        const QString pane = rig.pane();
        QVERIFY(rig.write(QStringLiteral("other.tkq"), u8("Другой вопрос?\r\n")));
        rig.dialogs.add(
            {ScriptedDialogs::Kind::OpenFile, u8("Выбор базы знаний"), rig.file(QStringLiteral("other.tkq"))});
        rig.action("mnuChoose")->trigger();
        QCOMPARE(rig.v.QuestionBase, QStringList{u8("Другой вопрос?")});
        QCOMPARE(rig.v.AskedQuestions, asked);
        QCOMPARE(rig.pane(), pane);
        rig.close();
    }

    void failedLoadKeepsThePreviousBaseAndPath_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("makeFolder");
        QTest::newRow("vanished") << QStringLiteral("gone.tkq") << false;
        QTest::newRow("a folder") << QStringLiteral("folder.tkq") << true;
    }
    void failedLoadKeepsThePreviousBaseAndPath() {
        QFETCH(QString, name);
        QFETCH(bool, makeFolder);
        Rig rig;
        QVERIFY(rig.start());
        const QStringList questions = rig.v.QuestionBase;
        const QString path = rig.v.QuestionBaseFile;
        const QStringList options = rig.options();
        if (makeFolder)
            QVERIFY(QDir(rig.folder).mkdir(name));
        rig.dialogs.add({ScriptedDialogs::Kind::OpenFile, u8("Выбор базы знаний"), rig.file(name)});
        rig.dialogs.expectMessageStartingWith(u8("Не удалось"));

        rig.action("mnuChoose")->trigger();

        QVERIFY(rig.dialogs.verify());
        const ScriptedDialogs::Shown told = rig.dialogs.shown().constLast();
        QVERIFY2(told.text.contains(name), qPrintable(told.text));
        QCOMPARE(told.title, u8("Ошибка"));
        QCOMPARE(rig.v.QuestionBase, questions);
        QCOMPARE(rig.v.QuestionBaseFile, path);
        QCOMPARE(rig.options(), options);
        QVERIFY(rig.dialogs.shown().constLast().windowUsable);
        QVERIFY(rig.main()->isEnabled());
        QVERIFY(!QApplication::overrideCursor());
        rig.close();
    }

    void cancelledChoosersChangeNothing_data() {
        QTest::addColumn<QString>("item");
        QTest::addColumn<bool>("save");
        QTest::addColumn<QString>("title");
        QTest::newRow("choose") << QStringLiteral("mnuChoose") << false << u8("Выбор базы знаний");
        QTest::newRow("create") << QStringLiteral("mnuCreate") << true << u8("Создание базы знаний");
        QTest::newRow("first source") << QStringLiteral("mnuFirstBase") << false << u8("Выбор 1-й базы знаний");
        QTest::newRow("second source") << QStringLiteral("mnuSecondBase") << false << u8("Выбор 2-й базы знаний");
    }
    void cancelledChoosersChangeNothing() {
        QFETCH(QString, item);
        QFETCH(bool, save);
        QFETCH(QString, title);
        Rig rig;
        QVERIFY(rig.start());
        QVERIFY(QFile::remove(rig.file(QStringLiteral("tk.ini"))));
        const QStringList files = QDir(rig.folder).entryList(QDir::Files);
        const Variables before = rig.v;
        rig.dialogs.add({save ? ScriptedDialogs::Kind::SaveFile : ScriptedDialogs::Kind::OpenFile, title, {}});

        rig.action(item.toLatin1().constData())->trigger();

        QVERIFY(rig.dialogs.verify());
        QCOMPARE(QDir(rig.folder).entryList(QDir::Files), files);
        QCOMPARE(rig.v.AnswerBaseFile, before.AnswerBaseFile);
        QCOMPARE(rig.v.MergeFirstBaseFile, QString());
        QCOMPARE(rig.v.MergeSecondBaseFile, QString());
        QCOMPARE(rig.action("mnuFirstBase")->text(), u8("1-я база"));
        QCOMPARE(rig.action("mnuSecondBase")->text(), u8("2-я база"));
        rig.close();
    }

    // --- creating a base file

    void createEmptiesAnExistingFile() {
        Rig rig;
        QVERIFY(rig.start());
        const QStringList answers = rig.v.AnswerBase;
        rig.dialogs.add(
            {ScriptedDialogs::Kind::SaveFile, u8("Создание базы знаний"), rig.file(QStringLiteral("standart.tka"))});

        rig.action("mnuCreate")->trigger();

        QVERIFY(rig.dialogs.verify());
        QCOMPARE(rig.dialogs.lastChooser().filter, allKinds);
        QCOMPARE(QDir(rig.dialogs.lastChooser().folder).canonicalPath(), QDir(rig.folder).canonicalPath());
        QCOMPARE(readAll(rig.file(QStringLiteral("standart.tka"))), QByteArray());
        QVERIFY(QFileInfo::exists(rig.file(QStringLiteral("standart.tka"))));
        QCOMPARE(rig.v.AnswerBase, answers);
        QVERIFY(!rig.v.AnswerBaseChanged);
        QVERIFY(rig.main()->isEnabled());
        rig.close();
    }

    void createMakesANewFile() {
        Rig rig;
        QVERIFY(rig.start());
        const QStringList options = rig.options();
        rig.dialogs.add(
            {ScriptedDialogs::Kind::SaveFile, u8("Создание базы знаний"), rig.file(QStringLiteral("new.tks"))});
        rig.action("mnuCreate")->trigger();
        QVERIFY(rig.dialogs.verify());
        QVERIFY(QFileInfo(rig.file(QStringLiteral("new.tks"))).isFile());
        QCOMPARE(QFileInfo(rig.file(QStringLiteral("new.tks"))).size(), 0);
        QCOMPARE(rig.options(), options);
        rig.close();
    }

    void failedCreateTellsAndEnablesTheWindow() {
        Rig rig;
        QVERIFY(rig.start());
        rig.dialogs.add({ScriptedDialogs::Kind::SaveFile, u8("Создание базы знаний"),
                         rig.file(QStringLiteral("no such folder/new.tka"))});
        rig.dialogs.expectMessageStartingWith(u8("Не удалось записать файл"));
        rig.action("mnuCreate")->trigger();
        QVERIFY(rig.dialogs.verify());
        QVERIFY(rig.dialogs.shown().constLast().windowUsable);
        QVERIFY(rig.main()->isEnabled());
        QVERIFY(!QApplication::overrideCursor());
        rig.close();
    }

    // --- the merge

    void mergeCaptions_data() {
        QTest::addColumn<QStringList>("choices"); // "1 path" or "2 path", in order
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("second");
        QTest::addColumn<bool>("ready");
        const auto c = [](const char* which, const char* path) -> QString {
            return QString::fromLatin1(which) + QLatin1Char(' ') + QString::fromLatin1(path);
        };
        QTest::newRow("first only") << QStringList{c("1", "/a/b.tka")} << u8("1-я база (/a/b.tka)") << u8("2-я база")
                                    << false;
        QTest::newRow("second only") << QStringList{c("2", "/a/b.tka")} << u8("1-я база") << u8("2-я база (/a/b.tka)")
                                     << false;
        QTest::newRow("two of a kind") << QStringList{c("1", "/a/b.tka"), c("2", "/a/c.tka")}
                                       << u8("1-я база (/a/b.tka)") << u8("2-я база (/a/c.tka)") << true;
        QTest::newRow("second of another kind un-chooses the first")
            << QStringList{c("1", "/a/b.tka"), c("2", "/a/c.tkq")} << u8("1-я база") << u8("2-я база (/a/c.tkq)")
            << false;
        QTest::newRow("same file twice") << QStringList{c("1", "/a/b.tka"), c("2", "/a/b.tka")} << u8("1-я база")
                                         << u8("2-я база (/a/b.tka)") << false;
        QTest::newRow("letter case of the extension counts") << QStringList{c("1", "/a/b.tka"), c("2", "/a/c.TKA")}
                                                             << u8("1-я база") << u8("2-я база (/a/c.TKA)") << false;
        QTest::newRow("twenty characters shown whole")
            << QStringList{c("1", "/abcdefghijklmno.tka"), c("2", "/abcdefghijklmnop.tka")}
            << u8("1-я база (/abcdefghijklmno.tka)") << u8("2-я база (/abcdefghijklmnop.tk...)") << true;
        QTest::newRow("a new first of another kind hides the command")
            << QStringList{c("1", "/a/b.tka"), c("2", "/a/c.tka"), c("1", "/a/d.tks")} << u8("1-я база (/a/d.tks)")
            << u8("2-я база") << false;
        // The second source keeps its path, but its caption stays plain until it is chosen again.
        QTest::newRow("back to the first kind stays hidden")
            << QStringList{c("1", "/a/b.tka"), c("2", "/a/c.tka"), c("1", "/a/d.tks"), c("1", "/a/e.tka")}
            << u8("1-я база (/a/e.tka)") << u8("2-я база") << false;
        QTest::newRow("chosen again") << QStringList{c("1", "/a/b.tka"), c("2", "/a/b.tka"), c("1", "/a/d.tka")}
                                      << u8("1-я база (/a/d.tka)") << u8("2-я база (/a/b.tka)") << true;
    }
    void mergeCaptions() {
        QFETCH(QStringList, choices);
        QFETCH(QString, first);
        QFETCH(QString, second);
        QFETCH(bool, ready);
        Rig rig;
        QVERIFY(rig.start());
        for (const QString& choice : choices) {
            const bool isFirst = choice.startsWith(QLatin1Char('1'));
            rig.dialogs.add({ScriptedDialogs::Kind::OpenFile,
                             isFirst ? u8("Выбор 1-й базы знаний") : u8("Выбор 2-й базы знаний"), choice.mid(2)});
            rig.action(isFirst ? "mnuFirstBase" : "mnuSecondBase")->trigger();
            QCOMPARE(rig.dialogs.lastChooser().filter, mergeSources);
            QCOMPARE(QDir(rig.dialogs.lastChooser().folder).canonicalPath(), QDir(rig.folder).canonicalPath());
        }
        QVERIFY(rig.dialogs.verify());
        QCOMPARE(rig.action("mnuFirstBase")->text(), first);
        QCOMPARE(rig.action("mnuSecondBase")->text(), second);
        QCOMPARE(rig.action("mnuRunSplit")->isVisible(), ready);
        QCOMPARE(rig.action("mnuSeparator2")->isVisible(), ready);
        rig.close();
    }

    void merge_data() {
        QTest::addColumn<QString>("first");
        QTest::addColumn<QByteArray>("firstBytes");
        QTest::addColumn<QString>("second");
        QTest::addColumn<QByteArray>("secondBytes");
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("targetFilter");
        QTest::addColumn<QByteArray>("merged");
        const QByteArray four = cp1251(u8("А \r\nОдин.\r\nБ \r\nДва.\r\n"));
        const QByteArray six = cp1251(u8("В \r\nТри.\r\nГ \r\nЧетыре.\r\nД \r\nПять.\r\n"));
        QTest::newRow("4 and 6 lines") << QStringLiteral("a.tka") << four << QStringLiteral("b.tka") << six
                                       << QStringLiteral("merged.tka") << u8("Базы знаний ответов (*.tka)|*.tka")
                                       << (four + six);
        QTest::newRow("target is the first source")
            << QStringLiteral("a.tka") << four << QStringLiteral("b.tka") << six << QStringLiteral("a.tka")
            << u8("Базы знаний ответов (*.tka)|*.tka") << (four + six);
        QTest::newRow("target is the second source")
            << QStringLiteral("a.tkq") << four << QStringLiteral("b.tkq") << six << QStringLiteral("b.tkq")
            << u8("Базы знаний вопросов (*.tkq)|*.tkq") << (four + six);
        QTest::newRow("no final line ends; letter case kept")
            << QStringLiteral("a.tks") << cp1251(u8(" кот \r\n КОШКА ")) << QStringLiteral("b.tks")
            << cp1251(u8(" пёс")) << QStringLiteral("c.tks") << u8("Базы знаний синонимов (*.tks)|*.tks")
            << cp1251(u8(" кот \r\n КОШКА \r\n пёс\r\n"));
    }
    void merge() {
        QFETCH(QString, first);
        QFETCH(QByteArray, firstBytes);
        QFETCH(QString, second);
        QFETCH(QByteArray, secondBytes);
        QFETCH(QString, target);
        QFETCH(QString, targetFilter);
        QFETCH(QByteArray, merged);
        Rig rig;
        QVERIFY(rig.start());
        QVERIFY(writeAll(rig.file(first), firstBytes));
        QVERIFY(writeAll(rig.file(second), secondBytes));
        const Variables before = rig.v;
        const QByteArray options = readAll(rig.file(QStringLiteral("tk.ini")));
        rig.dialogs.add({ScriptedDialogs::Kind::OpenFile, u8("Выбор 1-й базы знаний"), rig.file(first)});
        rig.dialogs.add({ScriptedDialogs::Kind::OpenFile, u8("Выбор 2-й базы знаний"), rig.file(second)});
        rig.dialogs.add({ScriptedDialogs::Kind::SaveFile, u8("Выбор базы знаний для слияния"), rig.file(target)});
        rig.dialogs.expectMessage(u8("Слияние баз знаний выполнено успешно!"));
        rig.action("mnuFirstBase")->trigger();
        rig.action("mnuSecondBase")->trigger();
        QVERIFY(rig.action("mnuRunSplit")->isVisible());

        rig.action("mnuRunSplit")->trigger();

        QVERIFY(rig.dialogs.verify());
        QCOMPARE(rig.dialogs.lastChooser().filter, targetFilter);
        QCOMPARE(QDir(rig.dialogs.lastChooser().folder).canonicalPath(), QDir(rig.folder).canonicalPath());
        QCOMPARE(readAll(rig.file(target)), merged);
        const ScriptedDialogs::Shown done = rig.dialogs.shown().constLast();
        QCOMPARE(done.title, u8("Сообщение"));
        QCOMPARE(done.icon, Dialogs::Icon::Information);
        QVERIFY(rig.dialogs.shown().constLast().windowUsable);
        // Files only: the bases in memory, their flags and the options stay as they were.
        QCOMPARE(rig.v.AnswerBase, before.AnswerBase);
        QCOMPARE(rig.v.QuestionBase, before.QuestionBase);
        QCOMPARE(rig.v.SynonymBase, before.SynonymBase);
        QVERIFY(!rig.v.AnswerBaseChanged && !rig.v.QuestionBaseChanged && !rig.v.SynonymBaseChanged);
        QCOMPARE(readAll(rig.file(QStringLiteral("tk.ini"))), options);
        // The sources stay chosen, so the same merge can run again.
        QVERIFY(rig.action("mnuRunSplit")->isVisible());
        QVERIFY(rig.action("mnuFirstBase")->text().startsWith(u8("1-я база (")));
        rig.close();
    }

    void failedMerge() {
        Rig rig;
        QVERIFY(rig.start());
        QVERIFY(rig.write(QStringLiteral("a.tkq"), u8("Один?\r\n")));
        QVERIFY(rig.write(QStringLiteral("b.tkq"), u8("Два?\r\n")));
        QVERIFY(rig.write(QStringLiteral("target.tkq"), u8("Прежний?\r\n")));
        rig.dialogs.add(
            {ScriptedDialogs::Kind::OpenFile, u8("Выбор 1-й базы знаний"), rig.file(QStringLiteral("a.tkq"))});
        rig.dialogs.add(
            {ScriptedDialogs::Kind::OpenFile, u8("Выбор 2-й базы знаний"), rig.file(QStringLiteral("b.tkq"))});
        rig.action("mnuFirstBase")->trigger();
        rig.action("mnuSecondBase")->trigger();
        // The second source is gone by the time the merge runs.
        QVERIFY(QFile::remove(rig.file(QStringLiteral("b.tkq"))));
        rig.dialogs.add({ScriptedDialogs::Kind::SaveFile, u8("Выбор базы знаний для слияния"),
                         rig.file(QStringLiteral("target.tkq"))});
        // The fixed text first, then which file failed and why.
        rig.dialogs.expectMessageStartingWith(u8("Не могу выполнить слияние баз знаний!\r\n"));

        rig.action("mnuRunSplit")->trigger();

        QVERIFY(rig.dialogs.verify());
        const ScriptedDialogs::Shown failed = rig.dialogs.shown().constLast();
        QCOMPARE(failed.title, u8("Ошибка"));
        QCOMPARE(failed.icon, Dialogs::Icon::Critical);
        QVERIFY(rig.dialogs.shown().constLast().windowUsable);
        QCOMPARE(readAll(rig.file(QStringLiteral("target.tkq"))), cp1251(u8("Прежний?\r\n")));
        QVERIFY(rig.main()->isEnabled());
        QVERIFY(!QApplication::overrideCursor());
        rig.close();
    }

    void cancelledTargetMergesNothing() {
        Rig rig;
        QVERIFY(rig.start());
        QVERIFY(rig.write(QStringLiteral("a.tkq"), u8("Один?\r\n")));
        QVERIFY(rig.write(QStringLiteral("b.tkq"), u8("Два?\r\n")));
        rig.dialogs.add(
            {ScriptedDialogs::Kind::OpenFile, u8("Выбор 1-й базы знаний"), rig.file(QStringLiteral("a.tkq"))});
        rig.dialogs.add(
            {ScriptedDialogs::Kind::OpenFile, u8("Выбор 2-й базы знаний"), rig.file(QStringLiteral("b.tkq"))});
        rig.dialogs.add({ScriptedDialogs::Kind::SaveFile, u8("Выбор базы знаний для слияния"), {}});
        rig.action("mnuFirstBase")->trigger();
        rig.action("mnuSecondBase")->trigger();
        const QStringList files = QDir(rig.folder).entryList(QDir::Files);
        rig.action("mnuRunSplit")->trigger();
        QVERIFY(rig.dialogs.verify());
        QCOMPARE(QDir(rig.folder).entryList(QDir::Files), files);
        rig.close();
    }

    // Merge two question bases, then choose the result: the program asks from it.
    void mergedQuestionBaseCanBeChosen() {
        Rig rig;
        QVERIFY(rig.start());
        QVERIFY(rig.write(QStringLiteral("a.tkq"), u8("Один?\r\n")));
        QVERIFY(rig.write(QStringLiteral("b.tkq"), u8("Два?\r\n")));
        rig.dialogs.add(
            {ScriptedDialogs::Kind::OpenFile, u8("Выбор 1-й базы знаний"), rig.file(QStringLiteral("a.tkq"))});
        rig.dialogs.add(
            {ScriptedDialogs::Kind::OpenFile, u8("Выбор 2-й базы знаний"), rig.file(QStringLiteral("b.tkq"))});
        rig.dialogs.add(
            {ScriptedDialogs::Kind::SaveFile, u8("Выбор базы знаний для слияния"), rig.file(QStringLiteral("ab.tkq"))});
        rig.dialogs.expectMessage(u8("Слияние баз знаний выполнено успешно!"));
        rig.dialogs.add({ScriptedDialogs::Kind::OpenFile, u8("Выбор базы знаний"), rig.file(QStringLiteral("ab.tkq"))});
        rig.action("mnuFirstBase")->trigger();
        rig.action("mnuSecondBase")->trigger();
        rig.action("mnuRunSplit")->trigger();
        rig.action("mnuChoose")->trigger();
        QVERIFY(rig.dialogs.verify());
        QCOMPARE(rig.v.QuestionBase, QStringList({u8("Один?"), u8("Два?")}));
        QCOMPARE(rig.options().value(Options::indexOf(&Variables::QuestionBaseFile)),
                 rig.file(QStringLiteral("ab.tkq")));
        rig.dialogs.expectModal(QStringLiteral("frmStatistics"), [](QDialog& window) {
            QCOMPARE(child<QLabel>(window, "lblQ")->text(), QStringLiteral("2"));
        });
        rig.action("mnuStatistics")->trigger();
        QVERIFY(rig.dialogs.verify());
        rig.close();
    }
};

QTEST_MAIN(tst_BaseMenus)
#include "tst_basemenus.moc"
