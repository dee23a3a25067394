// The running program on a full disk: for every kind of file it rewrites, the previous file stays byte for byte
// (a new file is not left half made), the person is told which file failed, and the program goes on with
// nothing in memory lost. The disk is a real file system that fills up: a small tmpfs mounted as the program's
// folder in a mount namespace of this process alone, so that it vanishes with the test.
#include "ProgramRig.h"
#include "core/FileError.h"
#include "support/PrivateMounts.h"
#include "ui/windows/frmList.h"

#include <QPushButton>

namespace {

// A tmpfs of a few pages that the test fills up.
class SmallDisk : public TmpfsMount {
public:
    SmallDisk(const QString& where, int files) : TmpfsMount(where, "size=64k,nr_inodes=" + QByteArray::number(files)) {}

    // Takes every free page; with `files` also every free inode, so that not even an empty file can be made.
    void fill(bool files) const {
        QFile filler(QDir(path()).filePath(QStringLiteral("filler")));
        if (filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
            const QByteArray block(4096, 'x');
            while (filler.write(block) == block.size()) {
            }
        }
        for (int i = 0; files && i < 10000; ++i) {
            QFile empty(QDir(path()).filePath(QStringLiteral("empty%1").arg(i)));
            if (!empty.open(QIODevice::WriteOnly))
                break;
        }
    }
};

} // namespace

class tst_FullDisk : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { VERIFY_NOTHING_LEFT_OPEN(); }

    void everyRewrittenFileSurvives_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("file");    // in the program's folder
        QTest::addColumn<QString>("message"); // how the message begins
        QTest::newRow("the three bases at exit") << "bases"
                                                 << "standart.tkq" << u8("Не удалось записать файл");
        QTest::newRow("tk.ini after the name") << "name"
                                               << "tk.ini" << u8("Настройки не сохранены и будут потеряны при выходе.");
        QTest::newRow("a dialogue file on Ctrl+S") << "save"
                                                   << "a.dlg" << u8("Диалог не сохранен.");
        QTest::newRow("an export") << "export"
                                   << "export.txt" << u8("Диалог не записан.");
        QTest::newRow("a merge target") << "merge"
                                        << "target.tkq" << u8("Не могу выполнить слияние баз знаний!");
        QTest::newRow("a new base by Создать") << "create"
                                               << "new.tka" << u8("Не удалось записать файл");
        QTest::newRow("the journal title by Очистить") << "clear"
                                                       << "ChatList.log" << u8("Журнал не очищен.");
    }

    void everyRewrittenFileSurvives() {
        QFETCH(QString, kind);
        QFETCH(QString, file);
        QFETCH(QString, message);
        if (!PrivateMounts::problem().isEmpty())
            QSKIP(qPrintable(QStringLiteral("no small file system of our own: ") + PrivateMounts::problem()));
        QTemporaryDir place;
        // Creating an empty base needs no page, only an inode: that row runs out of both.
        const SmallDisk disk(place.filePath(QStringLiteral("Talkomat")), kind == QLatin1String("create") ? 24 : 1000);
        if (!disk.mounted())
            QSKIP(qPrintable(QStringLiteral("cannot mount a tmpfs here: ") + disk.problem()));
        ProgramRig rig;
        rig.folder = place.filePath(QStringLiteral("Talkomat"));
        QCOMPARE(rig.start(), Program::Start::Running);
        const QString path = rig.file(file);

        // What the person has before the disk fills: a taught pair, a saved dialogue, older files of each kind.
        if (kind == QLatin1String("bases")) {
            rig.say(u8("Какая сегодня погода на улице"));
            rig.say(u8("Солнечно и тепло"));
            QVERIFY(rig.v.AnswerBaseChanged);
        } else if (kind == QLatin1String("save")) {
            rig.expectSaveFile(u8("Сохранить диалог как..."), path);
            rig.action("mnuSave")->trigger();
            rig.say(u8("привет"));
        } else if (kind == QLatin1String("export") || kind == QLatin1String("merge")) {
            QVERIFY(writeAll(path, cp1251(u8("Прежний?\r\n"))));
            QVERIFY(writeAll(rig.file(QStringLiteral("a.tkq")), cp1251(u8("Один?\r\n"))));
            QVERIFY(writeAll(rig.file(QStringLiteral("b.tkq")), cp1251(u8("Два?\r\n"))));
        } else if (kind == QLatin1String("clear")) {
            rig.action("mnuStop")->trigger();
        }
        QVERIFY(rig.dialogs.verify());
        const QStringList before = QDir(rig.folder).entryList(QDir::Files);
        QMap<QString, QByteArray> bytes;
        for (const QString& name : before)
            bytes[name] = readAll(rig.file(name));
        const Variables memory = rig.v;
        const QString pane = rig.pane();
        disk.fill(kind == QLatin1String("create"));

        if (kind == QLatin1String("bases")) {
            rig.dialogs.expectQuestion(u8("Выйти?"), true)
                .expectQuestion(u8("Сохранить диалог перед выходом?"), false)
                .expectQuestion(u8("Сохранить базы знаний перед выходом?"), true)
                .expectMessageStartingWith(message);
            QVERIFY(!rig.main()->close());
        } else if (kind == QLatin1String("name")) {
            rig.dialogs.add({ScriptedDialogs::Kind::Input, u8("Введите имя:"), u8("Маша")});
            rig.dialogs.expectMessageStartingWith(message);
            rig.action("nmuHumanName")->trigger();
            QCOMPARE(rig.v.HumanName, u8("Маша"));
        } else if (kind == QLatin1String("save")) {
            rig.dialogs.expectMessageStartingWith(message);
            rig.action("mnuSave")->trigger();
            QVERIFY(!rig.v.DialogSaved);
        } else if (kind == QLatin1String("export")) {
            rig.expectSaveFile(u8("Сохранение диалога"), path);
            rig.dialogs.expectMessageStartingWith(message);
            rig.action("mnuSaveFile")->trigger();
        } else if (kind == QLatin1String("merge")) {
            rig.expectOpenFile(u8("Выбор 1-й базы знаний"), rig.file(QStringLiteral("a.tkq")));
            rig.expectOpenFile(u8("Выбор 2-й базы знаний"), rig.file(QStringLiteral("b.tkq")));
            rig.expectSaveFile(u8("Выбор базы знаний для слияния"), path);
            rig.dialogs.expectMessageStartingWith(message);
            rig.action("mnuFirstBase")->trigger();
            rig.action("mnuSecondBase")->trigger();
            rig.action("mnuRunSplit")->trigger();
        } else if (kind == QLatin1String("create")) {
            rig.expectSaveFile(u8("Создание базы знаний"), path);
            rig.dialogs.expectMessageStartingWith(message);
            rig.action("mnuCreate")->trigger();
        } else if (kind == QLatin1String("clear")) {
            rig.dialogs.expectModal(QStringLiteral("frmList"), [](QDialog& list) {
                list.findChild<QPushButton*>(QStringLiteral("cmdClear"))->click();
            });
            rig.dialogs.expectMessageStartingWith(message);
            rig.action("mnuList")->trigger();
        }

        QVERIFY(rig.dialogs.verify());
        const ScriptedDialogs::Shown told = rig.dialogs.shown().constLast();
        QVERIFY2(told.text.contains(QDir::toNativeSeparators(path)), qPrintable(told.text));
        QVERIFY2(told.text.contains(u8("на диске нет места")), qPrintable(told.text));
        QCOMPARE(told.title, u8("Ошибка"));
        // Every file is as it was, and nothing half written lies beside them.
        QStringList now = QDir(rig.folder).entryList(QDir::Files);
        now.removeIf(
            [](const QString& name) { return name == QLatin1String("filler") || name.startsWith(u8("empty")); });
        QCOMPARE(now, before);
        for (const QString& name : before)
            QVERIFY2(readAll(rig.file(name)) == bytes[name], qPrintable(name));
        // The program goes on, with what it had in memory.
        QVERIFY(rig.main()->isVisible());
        QVERIFY(rig.main()->isEnabled());
        QCOMPARE(rig.v.AnswerBase, memory.AnswerBase);
        QCOMPARE(rig.v.QuestionBase, memory.QuestionBase);
        QVERIFY(rig.pane().startsWith(pane));
        rig.dialogs.clear();
        QVERIFY(rig.quit());
    }
};

int main(int argc, char* argv[]) {
    PrivateMounts::enter();
    QApplication app(argc, argv);
    app.setAttribute(Qt::AA_Use96Dpi, true);
    tst_FullDisk test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_fulldisk.moc"
